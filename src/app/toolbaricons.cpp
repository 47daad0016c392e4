// The 22 toolbar icons, drawn on a 24-unit grid so that one routine serves
// normal and high-density screens. They are always drawn rather than taken
// from the desktop theme: half of the buttons have no theme icon, and one
// hand keeps the row consistent.
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <array>
#include <cmath>

#include "pictures.h"

namespace qn {

namespace {

const QColor kInk(0x37, 0x47, 0x4F);
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kBlue(0x1E, 0x88, 0xE5);
const QColor kRed(0xE5, 0x39, 0x35);
const QColor kGreen(0x43, 0xA0, 0x47);
const QColor kOrange(0xFB, 0x8C, 0x00);
const QColor kPurple(0x8E, 0x24, 0xAA);
const QColor kFolder(0xFF, 0xC1, 0x07);

QPen inkPen(double width = 1.5, const QColor& color = kInk) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void document(QPainter& p, QRectF r) {
    const double fold = r.width() * 0.36;
    QPainterPath page;
    page.moveTo(r.left(), r.top());
    page.lineTo(r.right() - fold, r.top());
    page.lineTo(r.right(), r.top() + fold);
    page.lineTo(r.right(), r.bottom());
    page.lineTo(r.left(), r.bottom());
    page.closeSubpath();
    p.setPen(inkPen());
    p.setBrush(kPaper);
    p.drawPath(page);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(
        QPolygonF({QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold),
                   QPointF(r.right(), r.top() + fold)}));
}

void textLines(QPainter& p, double left, double right, double top, int count, double step = 3) {
    p.setPen(inkPen(1.0, QColor(0x90, 0xA4, 0xAE)));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(left, top + step * i), QPointF(right, top + step * i));
}

// A round badge with a plus, minus or cross, for add and remove variants.
enum class Sign { Plus, Minus, Cross };
void badge(QPainter& p, QPointF centre, const QColor& color, Sign sign) {
    p.setPen(QPen(kPaper, 1.2));
    p.setBrush(color);
    p.drawEllipse(centre, 5.2, 5.2);
    p.setPen(inkPen(1.8, kPaper));
    const double a = 2.6;
    if (sign == Sign::Cross) {
        p.drawLine(centre + QPointF(-a * 0.75, -a * 0.75), centre + QPointF(a * 0.75, a * 0.75));
        p.drawLine(centre + QPointF(-a * 0.75, a * 0.75), centre + QPointF(a * 0.75, -a * 0.75));
        return;
    }
    p.drawLine(centre + QPointF(-a, 0), centre + QPointF(a, 0));
    if (sign == Sign::Plus) p.drawLine(centre + QPointF(0, -a), centre + QPointF(0, a));
}

// A quarter note with its head at `head`.
void note(QPainter& p, QPointF head, double scale = 1.0) {
    p.save();
    p.translate(head);
    p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.save();
    p.rotate(-20);
    p.drawEllipse(QPointF(0, 0), 4.0, 2.9);
    p.restore();
    p.drawRect(QRectF(2.6, -13.5, 1.5, 13));
    p.restore();
}

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& color, double width = 2.2) {
    p.setPen(inkPen(width, color));
    p.drawLine(from, to);
    const QPointF d = to - from;
    const double length = std::hypot(d.x(), d.y());
    const QPointF u = d / length;
    const QPointF n(-u.y(), u.x());
    const double head = 3.6;
    p.drawPolyline(QPolygonF({to - u * head + n * head, to, to - u * head - n * head}));
}

void newIcon(QPainter& p) {
    document(p, QRectF(4.5, 2.5, 13, 18));
    badge(p, QPointF(17.5, 17.5), kBlue, Sign::Plus);
}

void openIcon(QPainter& p) {
    p.setPen(inkPen());
    p.setBrush(kFolder.darker(115));
    QPainterPath back;
    back.moveTo(2.5, 19.5);
    back.lineTo(2.5, 5.5);
    back.lineTo(8.5, 5.5);
    back.lineTo(10.5, 7.5);
    back.lineTo(19.5, 7.5);
    back.lineTo(19.5, 10.5);
    p.drawPath(back);
    p.setBrush(kFolder);
    p.drawPolygon(QPolygonF(
        {QPointF(2.5, 19.5), QPointF(6.0, 10.5), QPointF(22.0, 10.5), QPointF(18.5, 19.5)}));
}

void saveIcon(QPainter& p) {
    p.setPen(inkPen(1.5, kBlue.darker(140)));
    p.setBrush(kBlue);
    QPainterPath body;
    body.moveTo(3.5, 3.5);
    body.lineTo(17.5, 3.5);
    body.lineTo(20.5, 6.5);
    body.lineTo(20.5, 20.5);
    body.lineTo(3.5, 20.5);
    body.closeSubpath();
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawRect(QRectF(6.5, 12.5, 11, 6.5));
    p.setBrush(QColor(0xCF, 0xD8, 0xDC));
    p.drawRect(QRectF(7.5, 4.5, 8, 5));
    p.setBrush(kBlue.darker(140));
    p.drawRect(QRectF(12.5, 5.3, 2, 3.4));
    textLines(p, 8.5, 15.5, 14.8, 2);
}

void printIcon(QPainter& p) {
    p.setPen(inkPen());
    p.setBrush(kPaper);
    p.drawRect(QRectF(6.5, 2.5, 11, 7));
    p.setBrush(QColor(0x78, 0x90, 0x9C));
    p.drawRoundedRect(QRectF(2.5, 8.5, 19, 9), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(6.5, 14.5, 11, 7));
    textLines(p, 8.5, 15.5, 17.0, 2, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(18.5, 11.5), 1.1, 1.1);
}

void cutIcon(QPainter& p) {
    p.setPen(inkPen(1.8));
    p.drawLine(QPointF(9.0, 15.0), QPointF(16.5, 2.5));
    p.drawLine(QPointF(15.0, 15.0), QPointF(7.5, 2.5));
    p.setPen(inkPen(1.8, kRed));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(7.5, 18.0), 3.2, 3.2);
    p.drawEllipse(QPointF(16.5, 18.0), 3.2, 3.2);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(12.0, 10.0), 1.1, 1.1);
}

void copyIcon(QPainter& p) {
    document(p, QRectF(3.5, 2.5, 11, 14));
    document(p, QRectF(9.5, 7.5, 11, 14));
    textLines(p, 11.5, 18.5, 14.0, 3);
}

void pasteIcon(QPainter& p) {
    p.setPen(inkPen(1.5, QColor(0x6D, 0x4C, 0x41)));
    p.setBrush(QColor(0xA1, 0x88, 0x7F));
    p.drawRoundedRect(QRectF(3.5, 4.5, 14, 17), 1.5, 1.5);
    p.setPen(inkPen());
    p.setBrush(QColor(0xB0, 0xBE, 0xC5));
    p.drawRoundedRect(QRectF(7.0, 2.5, 7, 4), 1, 1);
    document(p, QRectF(10.5, 9.5, 10, 12));
    textLines(p, 12.5, 18.0, 15.0, 3, 2.5);
}

void insertNoteIcon(QPainter& p) {
    note(p, QPointF(8.0, 17.0));
    badge(p, QPointF(17.5, 16.5), kGreen, Sign::Plus);
}

void deleteNoteIcon(QPainter& p) {
    note(p, QPointF(8.0, 17.0));
    badge(p, QPointF(17.5, 16.5), kRed, Sign::Cross);
}

void recordIcon(QPainter& p) {
    p.setPen(inkPen(1.5, kRed.darker(140)));
    p.setBrush(kRed);
    p.drawEllipse(QPointF(12, 12), 7.5, 7.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 110));
    p.drawEllipse(QPointF(9.5, 9.5), 2.2, 2.2);
}

void playIcon(QPainter& p) {
    p.setPen(inkPen(1.5, kGreen.darker(140)));
    p.setBrush(kGreen);
    p.drawPolygon(QPolygonF({QPointF(6.5, 3.5), QPointF(20.0, 12.0), QPointF(6.5, 20.5)}));
}

void pauseIcon(QPainter& p) {
    p.setPen(inkPen(1.5, kBlue.darker(140)));
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(5.5, 4.5, 4.5, 15), 1, 1);
    p.drawRoundedRect(QRectF(14.0, 4.5, 4.5, 15), 1, 1);
}

void stopIcon(QPainter& p) {
    p.setPen(inkPen(1.5, kInk.darker(130)));
    p.setBrush(QColor(0x54, 0x6E, 0x7A));
    p.drawRoundedRect(QRectF(5.0, 5.0, 14, 14), 2, 2);
}

// A small keyboard under a two-way arrow: swap the instrument.
void changeInstrumentIcon(QPainter& p) {
    const QRectF keys(2.5, 11.5, 19, 10);
    p.setPen(inkPen(1.2));
    p.setBrush(kPaper);
    p.drawRect(keys);
    const double keyWidth = keys.width() / 5;
    for (int i = 1; i < 5; ++i) {
        const double x = keys.left() + keyWidth * i;
        p.drawLine(QPointF(x, keys.top()), QPointF(x, keys.bottom()));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (const int i : {1, 2, 4}) {
        const double x = keys.left() + keyWidth * i;
        p.drawRect(QRectF(x - 1.3, keys.top(), 2.6, 5.5));
    }
    arrow(p, QPointF(4.0, 4.5), QPointF(19.0, 4.5), kPurple, 1.8);
    arrow(p, QPointF(19.0, 8.0), QPointF(5.0, 8.0), kPurple, 1.8);
}

void pitchIcon(QPainter& p, bool up) {
    note(p, QPointF(7.0, 18.0));
    if (up) {
        arrow(p, QPointF(17.5, 20.5), QPointF(17.5, 3.5), kBlue);
    } else {
        arrow(p, QPointF(17.5, 3.5), QPointF(17.5, 20.5), kBlue);
    }
}

// A note bar between arrows that push outwards (longer) or inwards (shorter).
void durationIcon(QPainter& p, bool longer) {
    p.setPen(inkPen(1.2, kOrange.darker(140)));
    p.setBrush(kOrange);
    if (longer) {
        p.drawRoundedRect(QRectF(7.0, 9.0, 10, 6), 1.5, 1.5);
        arrow(p, QPointF(6.0, 12.0), QPointF(1.5, 12.0), kInk, 1.8);
        arrow(p, QPointF(18.0, 12.0), QPointF(22.5, 12.0), kInk, 1.8);
    } else {
        p.drawRoundedRect(QRectF(10.0, 9.0, 4, 6), 1, 1);
        arrow(p, QPointF(1.5, 12.0), QPointF(8.5, 12.0), kInk, 1.8);
        arrow(p, QPointF(22.5, 12.0), QPointF(15.5, 12.0), kInk, 1.8);
    }
}

// A staff with the dashed extra lines above and below it.
void expandedScaleIcon(QPainter& p) {
    p.setPen(inkPen(1.0));
    for (int i = 0; i < 5; ++i)
        p.drawLine(QPointF(2.5, 7.5 + 2.25 * i), QPointF(21.5, 7.5 + 2.25 * i));
    QPen dashed(kBlue, 1.5, Qt::CustomDashLine, Qt::FlatCap);
    dashed.setDashPattern({2.0, 1.4});
    p.setPen(dashed);
    p.drawLine(QPointF(2.5, 3.0), QPointF(21.5, 3.0));
    p.drawLine(QPointF(2.5, 21.0), QPointF(21.5, 21.0));
}

void volumeIcon(QPainter& p, bool louder) {
    p.setPen(inkPen(1.2));
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({QPointF(1.5, 8.5), QPointF(4.5, 8.5), QPointF(9.0, 4.0),
                             QPointF(9.0, 18.0), QPointF(4.5, 13.5), QPointF(1.5, 13.5)}));
    p.setBrush(Qt::NoBrush);
    p.setPen(inkPen(1.6, kPurple));
    p.drawArc(QRectF(5.5, 7.5, 7, 7), -45 * 16, 90 * 16);
    if (louder) p.drawArc(QRectF(2.0, 4.0, 14, 14), -45 * 16, 90 * 16);
    badge(p, QPointF(18.5, 18.5), louder ? kGreen : kRed, louder ? Sign::Plus : Sign::Minus);
}

void exitIcon(QPainter& p) {
    p.setPen(inkPen());
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(13.5, 7.0), QPointF(13.5, 2.5), QPointF(3.5, 2.5),
                              QPointF(3.5, 21.5), QPointF(13.5, 21.5), QPointF(13.5, 17.0)}));
    p.setBrush(QColor(0x8D, 0x6E, 0x63));
    p.drawPolygon(
        QPolygonF({QPointF(3.5, 2.5), QPointF(9.5, 4.5), QPointF(9.5, 22.5), QPointF(3.5, 21.5)}));
    arrow(p, QPointF(11.0, 12.0), QPointF(21.5, 12.0), kRed, 2.2);
}

using IconPainter = void (*)(QPainter&);
const std::array<IconPainter, kToolbarButtonCount> kIconPainters = {
    newIcon,
    openIcon,
    saveIcon,
    printIcon,
    cutIcon,
    copyIcon,
    pasteIcon,
    insertNoteIcon,
    deleteNoteIcon,
    recordIcon,
    playIcon,
    pauseIcon,
    stopIcon,
    changeInstrumentIcon,
    [](QPainter& p) { pitchIcon(p, true); },
    [](QPainter& p) { pitchIcon(p, false); },
    [](QPainter& p) { durationIcon(p, true); },
    [](QPainter& p) { durationIcon(p, false); },
    expandedScaleIcon,
    [](QPainter& p) { volumeIcon(p, true); },
    [](QPainter& p) { volumeIcon(p, false); },
    exitIcon,
};

}  // namespace

QIcon toolbarIcon(int index) {
    if (index < 0 || index >= kToolbarButtonCount) return {};
    QIcon icon;
    for (const int ratio : {1, 2}) {
        QImage image(kToolbarIconSize * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        kIconPainters[static_cast<size_t>(index)](p);
        p.end();
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

}  // namespace qn
