#include "thumbitem.h"

#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <algorithm>

#include "staffgeometry.h"

namespace qn::staff {

namespace {

constexpr int kBevel = 15;  // one pixel of raised edge
// Ten pixels: a thumb narrower than this could not be grabbed on a long song.
constexpr double kMinWidth = 150;

}  // namespace

ThumbItem::ThumbItem() {
    setToolTip(QStringLiteral("Sheet Slider Control"));
    setAcceptedMouseButtons(Qt::LeftButton | Qt::RightButton | Qt::MiddleButton);
}

void ThumbItem::setGeometry(double left, double width) {
    // Widened to a grabbable size, and moved back where that would pass the trough's end.
    if (width < kMinWidth) {
        width = kMinWidth;
        left = std::min(left, static_cast<double>(kTroughX + kTroughWidth) - width);
    }
    if (width != m_width) {
        prepareGeometryChange();
        m_width = width;
    }
    setPos(left, kTroughY);
    update();
}

QRectF ThumbItem::boundingRect() const {
    return QRectF(0, 0, m_width, kTroughHeight);
}

void ThumbItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    const QRectF r = boundingRect();
    painter->fillRect(r, QColor(128, 128, 255));
    // A raised button: light top and left edges, dark bottom and right edges.
    painter->fillRect(QRectF(r.left(), r.top(), r.width(), kBevel), QColor(224, 224, 255));
    painter->fillRect(QRectF(r.left(), r.top(), kBevel, r.height()), QColor(224, 224, 255));
    painter->fillRect(QRectF(r.left(), r.bottom() - kBevel, r.width(), kBevel),
                      QColor(64, 64, 128));
    painter->fillRect(QRectF(r.right() - kBevel, r.top(), kBevel, r.height()), QColor(64, 64, 128));
}

void ThumbItem::mousePressEvent(QGraphicsSceneMouseEvent* event) {
    event->accept();
    emit pressed(event->scenePos().x());
}

void ThumbItem::mouseMoveEvent(QGraphicsSceneMouseEvent* event) {
    emit moved(event->scenePos().x());
}

void ThumbItem::mouseReleaseEvent(QGraphicsSceneMouseEvent*) {
    emit released();
}

}  // namespace qn::staff
