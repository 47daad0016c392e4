// The duration palette and the application icon; the background pictures and
// the toolbar icons are in their own files.
#include "pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace qn {

namespace {

const QColor kGlyphInk(0x21, 0x21, 0x21);

// A note head centred on `centre`, tilted like an engraved one. Open heads
// (half notes) keep a slim, steeper hole.
QPainterPath noteHead(QPointF centre, double width, double height, bool open) {
    QTransform tilt;
    tilt.translate(centre.x(), centre.y());
    tilt.rotate(-20);
    QPainterPath outer;
    outer.addEllipse(QPointF(0, 0), width / 2, height / 2);
    QPainterPath head = tilt.map(outer);
    if (open) {
        QTransform holeTilt;
        holeTilt.translate(centre.x(), centre.y());
        holeTilt.rotate(-35);
        QPainterPath hole;
        hole.addEllipse(QPointF(0, 0), width * 0.38, height * 0.25);
        head = head.subtracted(holeTilt.map(hole));
    }
    return head;
}

// One flag hanging from the top of an up-stem at (x, top).
QPainterPath flag(double x, double top) {
    QPainterPath p;
    p.moveTo(x, top);
    p.cubicTo(x + 0.6, top + 4.2, x + 7.6, top + 5.6, x + 6.4, top + 12.5);
    p.cubicTo(x + 6.6, top + 8.4, x + 2.0, top + 6.0, x, top + 3.6);
    p.closeSubpath();
    return p;
}

void drawNote(QPainter& p, int code) {
    p.setPen(Qt::NoPen);
    p.setBrush(kGlyphInk);
    if (code == 5) {  // whole note: wide head, hole leaning the other way, no stem
        const QPointF centre(20, 15);
        QPainterPath head;
        head.addEllipse(centre, 6.6, 4.4);
        QTransform holeTilt;
        holeTilt.translate(centre.x(), centre.y());
        holeTilt.rotate(50);
        QPainterPath hole;
        hole.addEllipse(QPointF(0, 0), 3.6, 2.1);
        p.drawPath(head.subtracted(holeTilt.map(hole)));
        return;
    }
    const int flags = code <= 2 ? 3 - code : 0;  // 32nd three, 16th two, 8th one
    const QPointF centre(flags > 0 ? 17.0 : 19.0, 23.0);
    p.drawPath(noteHead(centre, 9.6, 6.6, code == 4));
    const double stemX = centre.x() + 3.75;
    const double top = flags == 3 ? 2.0 : 3.5;
    p.drawRect(QRectF(stemX, top, 1.3, centre.y() - 1.0 - top));
    for (int i = 0; i < flags; ++i)
        p.drawPath(flag(stemX + 1.0, top + 4.3 * i));
}

void drawEmptyFrame(QPainter& p) {
    QPen dotted(QColor(0x75, 0x75, 0x75), 1.2, Qt::DotLine, Qt::RoundCap);
    p.setPen(dotted);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(12.5, 3.5, 15, 23), 3, 3);
}

// The quarter rest: thin stroke, thick diagonal, thin stroke, hook.
void drawRest(QPainter& p) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kGlyphInk, 1.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(17.2, 3.0), QPointF(22.6, 9.4));
    p.drawLine(QPointF(17.8, 15.0), QPointF(23.0, 21.4));
    p.setPen(QPen(kGlyphInk, 4.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(22.0, 9.6), QPointF(18.4, 14.6));
    QPainterPath hook;
    hook.moveTo(23.0, 21.4);
    hook.cubicTo(19.5, 19.4, 15.6, 22.2, 19.8, 27.4);
    p.setPen(QPen(kGlyphInk, 2.3, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(hook);
}

void drawApplicationIcon(QPainter& p) {
    QLinearGradient ground(QPointF(4, 2), QPointF(44, 46));
    ground.setColorAt(0, QColor(0x5C, 0x6B, 0xC0));
    ground.setColorAt(1, QColor(0x28, 0x35, 0x93));
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.setBrush(ground);
    p.drawRoundedRect(QRectF(2.5, 2.5, 43, 43), 10, 10);

    p.setPen(QPen(QColor(255, 255, 255, 70), 1));
    for (int i = 0; i < 5; ++i)
        p.drawLine(QPointF(7, 17.5 + 5 * i), QPointF(41, 17.5 + 5 * i));

    const QColor white(0xFF, 0xFF, 0xFF);
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    const QPointF head(15, 35);
    p.drawPath(noteHead(head, 11.5, 8.2, false));
    const double stemX = head.x() + 4.3;
    p.drawRect(QRectF(stemX, 10, 1.9, head.y() - 11));
    QTransform bigger;
    bigger.translate(stemX + 1.2, 10);
    bigger.scale(1.25, 1.2);
    p.drawPath(bigger.map(flag(0, 0)));

    // The quill, its nib touching the staff where it writes.
    const QPointF nib(27, 32);
    const QPointF tip(42.5, 5.5);
    const double length = std::hypot(tip.x() - nib.x(), tip.y() - nib.y());
    p.save();
    p.translate(nib);
    p.rotate(std::atan2(tip.y() - nib.y(), tip.x() - nib.x()) * 180.0 / std::numbers::pi);
    QPainterPath vane;
    vane.moveTo(8, 0);
    vane.cubicTo(length * 0.45, -7.5, length * 0.85, -6.0, length, 0);
    vane.cubicTo(length * 0.8, 4.0, length * 0.45, 4.5, 8, 0);
    QLinearGradient gold(QPointF(8, 0), QPointF(length, 0));
    gold.setColorAt(0, QColor(0xFF, 0xCA, 0x28));
    gold.setColorAt(1, QColor(0xFF, 0xF1, 0x76));
    p.setBrush(gold);
    p.drawPath(vane);
    p.setPen(QPen(QColor(0xE6, 0x8A, 0x00), 1.1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(2.5, 0), QPointF(length - 1, 0));
    p.setPen(QPen(QColor(0x3E, 0x27, 0x23), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, 0), QPointF(3, 0));
    p.restore();
}

}  // namespace

QPixmap durationPicture(int code) {
    if (code < 0 || code >= kDurationPictureCount) return {};
    QPixmap picture(kDurationPictureSize);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    if (code == 6) {
        drawEmptyFrame(p);
    } else if (code == 7) {
        drawRest(p);
    } else {
        drawNote(p, code);
    }
    return picture;
}

QImage applicationImage(int size) {
    if (size <= 0) return {};
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 48.0, size / 48.0);
    drawApplicationIcon(p);
    return image;
}

QIcon applicationIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(QPixmap::fromImage(applicationImage(size)));
    }
    return icon;
}

}  // namespace qn
