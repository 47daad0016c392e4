#include "staffpictures.h"

#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QPixmap>

#include "staffgeometry.h"

namespace qn::staff {

Picture trebleClefPicture() {
    // Drawn in the picture's own twips. The staff's lines cross the picture at
    // y = 120, 240, 360, 480 and 600; the spiral winds round the G line at 480.
    Picture p;
    p.size = QSizeF(kTrebleClefWidth, kTrebleClefHeight);
    p.lineWidth = 36;
    QPainterPath& s = p.lines;
    s.moveTo(250, 500);
    s.cubicTo(205, 500, 200, 430, 255, 420);
    s.cubicTo(330, 405, 360, 505, 310, 555);
    s.cubicTo(255, 610, 130, 590, 115, 495);
    s.cubicTo(100, 395, 205, 330, 265, 265);
    s.cubicTo(325, 200, 330, 110, 300, 50);
    s.cubicTo(280, 15, 240, 30, 230, 95);
    s.cubicTo(215, 190, 245, 470, 265, 640);
    s.cubicTo(275, 725, 195, 745, 165, 700);
    p.solid.addEllipse(QPointF(185, 690), 38, 38);
    return p;
}

Picture bassClefPicture() {
    // The F line, second from the top, lies at y = 120 of the picture; the
    // curve starts on it with a dot and two dots enclose it on the right.
    Picture p;
    p.size = QSizeF(kBassClefWidth, kBassClefHeight);
    p.lineWidth = 36;
    QPainterPath& s = p.lines;
    s.moveTo(60, 120);
    s.cubicTo(55, 25, 255, 5, 270, 135);
    s.cubicTo(285, 255, 175, 350, 35, 405);
    p.solid.addEllipse(QPointF(75, 125), 42, 42);
    p.solid.addEllipse(QPointF(335, 70), 25, 25);
    p.solid.addEllipse(QPointF(335, 170), 25, 25);
    return p;
}

QIcon arrowIcon(Qt::ArrowType direction, int pixels) {
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const double a = pixels * 0.3;
    const double b = pixels * 0.7;
    QPolygonF arrow;
    if (direction == Qt::LeftArrow)
        arrow << QPointF(a, pixels / 2.0) << QPointF(b, a) << QPointF(b, b);
    else
        arrow << QPointF(b, pixels / 2.0) << QPointF(a, a) << QPointF(a, b);
    painter.drawPolygon(arrow);
    return QIcon(pixmap);
}

PictureItem::PictureItem(Picture picture) : m_picture(std::move(picture)) {}

QRectF PictureItem::boundingRect() const {
    return QRectF(QPointF(0, 0), m_picture.size);
}

void PictureItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(Qt::black, m_picture.lineWidth, Qt::SolidLine, Qt::RoundCap));
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(m_picture.lines);
    painter->setPen(Qt::NoPen);
    painter->setBrush(Qt::black);
    painter->drawPath(m_picture.solid);
    painter->restore();
}

void PictureItem::mousePressEvent(QGraphicsSceneMouseEvent* event) {
    event->accept();
}

}  // namespace qn::staff
