#include "glyphpainter.h"

#include <QPainter>

#include "clientlayout.h"

namespace qn::staff {

namespace {

constexpr int kLabelPixelSize = 11 * kTwipsPerPixel;  // 11 screen pixels

QColor colourOf(GlyphColour colour) {
    return colour == GlyphColour::Red ? QColor(255, 0, 0) : QColor(0, 0, 0);
}

QRectF headBox(const GlyphState& g) {
    return QRectF(g.headX, g.headY, kHeadWidth, kHeadHeight);
}

QRectF labelBox(const GlyphState& g) {
    return QRectF(g.labelX, g.labelY, kLabelWidth, kLabelHeight);
}

QRectF lineBounds(const GlyphLine& line, int width) {
    const double half = width / 2.0;
    return QRectF(QPointF(line.x1, line.y1), QPointF(line.x2, line.y2))
        .normalized()
        .adjusted(-half, -half, half, half);
}

// Every drawing line of a slot with its width.
template <typename Visit>
void forEachLine(const GlyphState& g, Visit visit) {
    visit(g.stem, kThickLine);
    for (const GlyphLine& line : g.flags)
        visit(line, kThickLine);
    for (const GlyphLine& line : g.rest)
        visit(line, kThickLine);
    for (const GlyphLine& line : g.sharp)
        visit(line, kThinLine);
}

}  // namespace

QFont velocityLabelFont() {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kLabelPixelSize);
    return font;
}

QRectF glyphBounds(const GlyphState& g) {
    QRectF bounds;
    if (g.headVisible) bounds = headBox(g);
    forEachLine(g, [&](const GlyphLine& line, int width) {
        if (line.visible) bounds |= lineBounds(line, width);
    });
    if (!g.velocityText.empty()) bounds |= labelBox(g);
    return bounds;
}

void paintGlyph(QPainter& painter, const GlyphState& g, const QFont& labelFont) {
    const QColor colour = colourOf(g.colour);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    forEachLine(g, [&](const GlyphLine& line, int width) {
        if (!line.visible) return;
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QLineF(line.x1, line.y1, line.x2, line.y2));
    });
    if (g.headVisible) {
        // Keep the outline inside the head's box.
        const double inset = kThinLine / 2.0;
        painter.setPen(QPen(colour, kThinLine));
        painter.setBrush(g.headFilled ? QBrush(colour) : QBrush(Qt::NoBrush));
        painter.drawEllipse(headBox(g).adjusted(inset, inset, -inset, -inset));
    }
    if (!g.velocityText.empty()) {
        painter.setPen(Qt::black);
        painter.setFont(labelFont);
        painter.drawText(labelBox(g), Qt::AlignLeft | Qt::AlignTop,
                         QString::fromStdString(g.velocityText));
    }
    painter.restore();
}

}  // namespace qn::staff
