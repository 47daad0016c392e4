// The carried background pictures. They lie behind black staves, notes and
// labels, so every shape stays within a narrow band of light tones that
// nothing drawn in black can be confused with.
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "pictures.h"

namespace qn {

namespace {

struct Palette {
    QColor groundTop;
    QColor groundBottom;
    QColor light;   // large filled areas
    QColor middle;  // second tone, shadows
    QColor line;    // outlines and details: the darkest tone used
};

const Palette kWarm{QColor(0xFC, 0xFA, 0xF6), QColor(0xF4, 0xEF, 0xE6), QColor(0xFF, 0xFD, 0xF9),
                    QColor(0xEC, 0xE4, 0xD7), QColor(0xE0, 0xD5, 0xC4)};
const Palette kCool{QColor(0xF8, 0xFA, 0xFC), QColor(0xEC, 0xF1, 0xF6), QColor(0xF3, 0xF6, 0xFA),
                    QColor(0xE2, 0xE9, 0xF1), QColor(0xD4, 0xDE, 0xE9)};
const Palette kAmber{QColor(0xFC, 0xF8, 0xF3), QColor(0xF5, 0xEC, 0xE1), QColor(0xF6, 0xEA, 0xDC),
                     QColor(0xEE, 0xDF, 0xCC), QColor(0xE3, 0xD0, 0xB8)};

QPen linePen(const QColor& color, double width) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void paintGround(QPainter& p, const Palette& c) {
    const QSizeF size = kBackgroundPictureSize;
    QLinearGradient ground(QPointF(0, 0), QPointF(0, size.height()));
    ground.setColorAt(0, c.groundTop);
    ground.setColorAt(1, c.groundBottom);
    p.fillRect(QRectF(QPointF(0, 0), size), ground);
    QRadialGradient glow(QPointF(size.width() * 0.3, size.height() * 0.25), size.width() * 0.6);
    glow.setColorAt(0, QColor(255, 255, 255, 150));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRectF(QPointF(0, 0), size), glow);
}

// Soft out-of-focus discs that give the empty parts some depth.
void paintDiscs(QPainter& p, const QColor& color, std::initializer_list<QPointF> centres,
                double radius) {
    p.setPen(Qt::NoPen);
    int i = 0;
    for (const QPointF centre : centres) {
        const double r = radius * (0.6 + 0.2 * (i++ % 3));
        QRadialGradient disc(centre, r);
        QColor inner = color;
        inner.setAlpha(90);
        QColor outer = color;
        outer.setAlpha(0);
        disc.setColorAt(0, inner);
        disc.setColorAt(0.7, inner);
        disc.setColorAt(1, outer);
        p.setBrush(disc);
        p.drawEllipse(centre, r, r);
    }
}

// An eighth note (or a beamed pair) drifting over the picture.
void paintFloatingNote(QPainter& p, QPointF at, double scale, double angle, bool pair,
                       const QColor& color) {
    p.save();
    p.translate(at);
    p.rotate(angle);
    p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    const double heads = pair ? 2 : 1;
    for (int i = 0; i < heads; ++i) {
        p.save();
        p.translate(i * 22.0, i * -4.0);
        p.rotate(-20);
        p.drawEllipse(QPointF(0, 0), 7.5, 5.2);
        p.restore();
        p.drawRect(QRectF(i * 22.0 + 5.2, i * -4.0 - 34, 2.6, 34));
    }
    if (pair) {
        p.drawPolygon(QPolygonF(
            {QPointF(5.2, -34), QPointF(29.8, -38), QPointF(29.8, -32), QPointF(5.2, -28)}));
    } else {
        QPainterPath flag;
        flag.moveTo(7.8, -34);
        flag.cubicTo(9, -24, 22, -22, 17, -8);
        flag.cubicTo(19, -18, 11, -21, 7.8, -24);
        flag.closeSubpath();
        p.drawPath(flag);
    }
    p.restore();
}

// A keyboard seen at an angle, running from the lower left towards the upper
// right and fading into the ground at its far end.
void paintPiano(QPainter& p) {
    const Palette& c = kWarm;
    paintGround(p, c);
    paintDiscs(p, c.middle,
               {QPointF(120, 110), QPointF(300, 60), QPointF(820, 90), QPointF(900, 520),
                QPointF(560, 600), QPointF(60, 380)},
               70);

    constexpr int kWhiteKeys = 36;
    constexpr double kKeyWidth = 30;
    constexpr double kWhiteLength = 150;
    constexpr double kBlackLength = 95;
    const double length = kWhiteKeys * kKeyWidth;
    QTransform perspective;
    const QRectF strip(0, 0, length, kWhiteLength);
    QTransform::quadToQuad(
        QPolygonF({strip.topLeft(), strip.topRight(), strip.bottomRight(), strip.bottomLeft()}),
        QPolygonF({QPointF(-60, 455), QPointF(1030, 175), QPointF(1030, 270), QPointF(-60, 650)}),
        perspective);

    // Shadow under the front edge, then the keys.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(c.middle.red(), c.middle.green(), c.middle.blue(), 120));
    p.drawPolygon(perspective.map(QPolygonF(QRectF(0, kWhiteLength, length, 22))));
    for (int i = 0; i < kWhiteKeys; ++i) {
        const QPolygonF key =
            perspective.map(QPolygonF(QRectF(i * kKeyWidth, 0, kKeyWidth, kWhiteLength)));
        p.setPen(linePen(c.line, 1.1));
        p.setBrush(c.light);
        p.drawPolygon(key);
        const QPolygonF front =
            perspective.map(QPolygonF(QRectF(i * kKeyWidth, kWhiteLength, kKeyWidth, 9)));
        p.setPen(linePen(c.line, 0.8));
        p.setBrush(c.middle);
        p.drawPolygon(front);
    }
    // Black keys after C, D, F, G and A of each octave.
    for (int i = 0; i < kWhiteKeys - 1; ++i) {
        const int degree = i % 7;
        if (degree == 2 || degree == 6) continue;
        const double x = (i + 1) * kKeyWidth - kKeyWidth * 0.3;
        const QPolygonF key =
            perspective.map(QPolygonF(QRectF(x, 0, kKeyWidth * 0.6, kBlackLength)));
        QLinearGradient shade(key.at(0), key.at(3));
        shade.setColorAt(0, c.line);
        shade.setColorAt(1, c.middle);
        p.setPen(linePen(c.line, 0.8));
        p.setBrush(shade);
        p.drawPolygon(key);
    }
    // The far end dissolves so the keyboard has no hard right edge.
    QLinearGradient fade(QPointF(560, 0), QPointF(970, 0));
    QColor clear = c.groundTop;
    clear.setAlpha(0);
    fade.setColorAt(0, clear);
    fade.setColorAt(1, c.groundTop);
    p.fillRect(QRectF(QPointF(0, 0), QSizeF(kBackgroundPictureSize)), fade);

    const QColor noteColor = c.middle;
    paintFloatingNote(p, QPointF(610, 250), 1.4, -12, false, noteColor);
    paintFloatingNote(p, QPointF(700, 170), 1.1, 8, true, noteColor);
    paintFloatingNote(p, QPointF(400, 200), 1.0, -6, false, noteColor);
    paintFloatingNote(p, QPointF(520, 120), 0.9, 14, false, noteColor);
    paintFloatingNote(p, QPointF(880, 140), 1.2, -16, true, noteColor);
}

// A concert grand seen from the audience, lid raised, on the right half.
void paintGrandPiano(QPainter& p) {
    const Palette& c = kCool;
    paintGround(p, c);
    paintDiscs(p, c.middle,
               {QPointF(140, 140), QPointF(90, 470), QPointF(330, 80), QPointF(250, 600),
                QPointF(930, 90)},
               80);

    // Floor shadow.
    QRadialGradient floor(QPointF(590, 612), 330);
    QColor shadow = c.middle;
    floor.setColorAt(0, shadow);
    shadow.setAlpha(0);
    floor.setColorAt(1, shadow);
    p.setPen(Qt::NoPen);
    p.setBrush(floor);
    p.drawEllipse(QPointF(590, 612), 330, 26);

    // Legs and pedal lyre behind the case.
    p.setPen(linePen(c.line, 1.2));
    p.setBrush(c.middle);
    for (const double x : {352.0, 842.0}) {
        p.drawPolygon(QPolygonF({QPointF(x - 14, 448), QPointF(x + 14, 448), QPointF(x + 8, 590),
                                 QPointF(x - 8, 590)}));
        p.drawEllipse(QPointF(x, 596), 9, 7);
    }
    p.setBrush(c.light);
    p.drawPolygon(
        QPolygonF({QPointF(455, 448), QPointF(485, 448), QPointF(478, 560), QPointF(462, 560)}));
    p.drawRoundedRect(QRectF(448, 560, 44, 12), 4, 4);
    p.drawRect(QRectF(440, 568, 14, 4));
    p.drawRect(QRectF(486, 568, 14, 4));

    // Raised lid, its prop, then the case over them.
    QPainterPath lid;
    lid.moveTo(372, 380);
    lid.lineTo(412, 178);
    lid.cubicTo(560, 186, 770, 270, 890, 372);
    lid.lineTo(890, 380);
    lid.closeSubpath();
    QLinearGradient lidShade(QPointF(412, 178), QPointF(700, 380));
    lidShade.setColorAt(0, c.light);
    lidShade.setColorAt(1, c.middle);
    p.setPen(linePen(c.line, 1.4));
    p.setBrush(lidShade);
    p.drawPath(lid);
    p.setPen(linePen(c.line, 3));
    p.drawLine(QPointF(600, 380), QPointF(588, 236));

    // Strings glimpsed under the lid.
    p.setPen(linePen(c.middle.darker(103), 0.8));
    for (int i = 0; i < 9; ++i) {
        p.drawLine(QPointF(400 + i * 6, 376), QPointF(860 - i * 22, 376 - i * 0.6));
    }

    p.setPen(linePen(c.line, 1.4));
    QLinearGradient caseShade(QPointF(0, 380), QPointF(0, 452));
    caseShade.setColorAt(0, c.light);
    caseShade.setColorAt(1, c.middle);
    p.setBrush(caseShade);
    QPainterPath body;
    body.moveTo(330, 380);
    body.lineTo(880, 380);
    body.cubicTo(898, 380, 902, 452, 880, 452);
    body.lineTo(330, 452);
    body.closeSubpath();
    p.drawPath(body);

    // Keyboard end: key slip, keys and cheek block, music desk.
    p.setPen(linePen(c.line, 1.2));
    p.setBrush(c.light);
    p.drawRect(QRectF(262, 398, 76, 30));
    p.setPen(linePen(c.line, 0.7));
    for (int i = 0; i < 9; ++i) {
        const double x = 266 + i * 8.0;
        p.drawLine(QPointF(x, 398), QPointF(x, 410));
    }
    p.setPen(linePen(c.line, 1.2));
    p.setBrush(c.middle);
    p.drawRect(QRectF(254, 392, 12, 40));
    p.drawPolygon(
        QPolygonF({QPointF(338, 380), QPointF(352, 380), QPointF(372, 322), QPointF(360, 318)}));

    const QColor noteColor = c.middle;
    paintFloatingNote(p, QPointF(300, 250), 1.3, -10, true, noteColor);
    paintFloatingNote(p, QPointF(220, 170), 1.0, 12, false, noteColor);
    paintFloatingNote(p, QPointF(360, 120), 0.9, -18, false, noteColor);
}

// One neck of the guitar in its own frame: the end of the fingerboard at the
// origin, the headstock up along negative y. Pickups and bridge lie below it.
void paintNeck(QPainter& p, const Palette& c) {
    constexpr double kLength = 540;
    constexpr double kWidth = 34;
    constexpr double kTaper = 3;
    constexpr double kScale = 640;  // nut to bridge

    p.setPen(linePen(c.line, 1.1));
    p.setBrush(c.light);
    p.drawRoundedRect(QRectF(-20, 12, 40, 18), 4, 4);
    p.drawRoundedRect(QRectF(-20, 52, 40, 18), 4, 4);
    p.setBrush(c.middle);
    p.drawRoundedRect(QRectF(-22, 92, 44, 10), 3, 3);

    p.setPen(linePen(c.line, 1.2));
    p.setBrush(c.middle);
    p.drawPolygon(QPolygonF({QPointF(-kWidth / 2, 0), QPointF(kWidth / 2, 0),
                             QPointF(kWidth / 2 - kTaper, -kLength),
                             QPointF(-kWidth / 2 + kTaper, -kLength)}));
    // Frets at their equal-tempered distances from the nut.
    p.setPen(linePen(c.light, 1.6));
    for (int n = 1; n <= 24; ++n) {
        const double y = -kLength + kScale * (1 - std::pow(2.0, -n / 12.0));
        if (y > -8) break;
        const double half = kWidth / 2 - kTaper * (y / -kLength);
        p.drawLine(QPointF(-half + 1, y), QPointF(half - 1, y));
    }
    // Headstock with six pegs.
    p.setPen(linePen(c.line, 1.2));
    p.setBrush(c.light);
    QPainterPath head;
    head.moveTo(-kWidth / 2 + kTaper, -kLength);
    head.cubicTo(-30, -kLength - 30, -28, -kLength - 80, -12, -kLength - 104);
    head.lineTo(14, -kLength - 104);
    head.cubicTo(28, -kLength - 80, 30, -kLength - 30, kWidth / 2 - kTaper, -kLength);
    head.closeSubpath();
    p.drawPath(head);
    p.setBrush(c.middle);
    for (int i = 0; i < 3; ++i) {
        const double y = -kLength - 30 - 24 * i;
        p.drawEllipse(QPointF(-27, y), 6, 6);
        p.drawEllipse(QPointF(27, y), 6, 6);
    }
    p.setPen(linePen(c.line, 0.7));
    for (int s = 0; s < 6; ++s) {
        const double x = -12.5 + 5 * s;
        p.drawLine(QPointF(x, 97), QPointF(x * 0.85, -kLength - 2));
    }
}

// A three-neck guitar lying diagonally, body at the lower right.
void paintThreeNeckGuitar(QPainter& p) {
    const Palette& c = kAmber;
    paintGround(p, c);
    paintDiscs(p, c.middle,
               {QPointF(130, 520), QPointF(260, 620), QPointF(880, 110), QPointF(720, 60),
                QPointF(80, 200)},
               75);

    p.save();
    p.translate(720, 480);
    p.rotate(-42);
    p.scale(0.8, 0.8);

    // Wide enough for three necks side by side, horns beside the outer ones.
    QPainterPath half;
    half.moveTo(0, 185);
    half.cubicTo(150, 185, 230, 130, 225, 40);
    half.cubicTo(222, -5, 175, -15, 180, -60);
    half.cubicTo(185, -105, 228, -120, 212, -170);
    half.cubicTo(198, -205, 160, -185, 150, -150);
    half.cubicTo(140, -120, 90, -110, 0, -110);
    QPainterPath body = half;
    body.connectPath(QTransform::fromScale(-1, 1).map(half.toReversed()));
    body.closeSubpath();
    QRadialGradient wood(QPointF(-40, 40), 300);
    wood.setColorAt(0, c.light);
    wood.setColorAt(1, c.middle);
    p.setPen(linePen(c.line, 1.6));
    p.setBrush(wood);
    p.drawPath(body);
    p.setPen(linePen(c.middle, 5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(QTransform::fromScale(0.93, 0.93).map(body));

    for (const int side : {-1, 1, 0}) {
        p.save();
        p.translate(side * 88.0, 20);
        p.rotate(side * 7.0);
        paintNeck(p, c);
        p.restore();
    }
    p.setPen(linePen(c.line, 1.1));
    p.setBrush(c.light);
    for (const QPointF knob : {QPointF(150, 95), QPointF(172, 55), QPointF(128, 135)}) {
        p.drawEllipse(knob, 11, 11);
    }
    p.restore();

    const QColor noteColor = c.middle;
    paintFloatingNote(p, QPointF(180, 360), 1.2, 10, false, noteColor);
    paintFloatingNote(p, QPointF(260, 480), 1.0, -8, true, noteColor);
    paintFloatingNote(p, QPointF(110, 450), 0.8, -14, false, noteColor);
}

}  // namespace

QPixmap backgroundPicture(int number) {
    void (*paint)(QPainter&) = nullptr;
    switch (number) {
        case kThreeNeckGuitarPicture:
            paint = paintThreeNeckGuitar;
            break;
        case kGrandPianoPicture:
            paint = paintGrandPiano;
            break;
        case kPianoPicture:
            paint = paintPiano;
            break;
        default:
            return {};  // kNoPicture and numbers without a picture
    }
    QImage image(kBackgroundPictureSize, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    p.end();
    return QPixmap::fromImage(image);
}

}  // namespace qn
