#include "pianokeyitem.h"

#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>

namespace qn {

namespace {

constexpr int kCaptionPixels = 11;
constexpr double kEdgeWidth = 1;
const QColor kEdge(0x55, 0x55, 0x55);
// How much darker a held key is, in percent.
constexpr int kPressedDarker = 115;

}  // namespace

PianoKeyItem::PianoKeyItem(QString caption, QSizeF size, double captionTop)
    : m_caption(std::move(caption)), m_rect(QPointF(0, 0), size), m_captionTop(captionTop) {
    setAcceptedMouseButtons(Qt::LeftButton);
}

void PianoKeyItem::setColor(const QColor& color) {
    if (color == m_color) return;
    m_color = color;
    update();
}

void PianoKeyItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    // Two plain fills, edge and face: the fastest way to draw a key at any zoom.
    painter->fillRect(m_rect, kEdge);
    painter->fillRect(m_rect.adjusted(kEdgeWidth, kEdgeWidth, -kEdgeWidth, -kEdgeWidth),
                      m_pressed ? m_color.darker(kPressedDarker) : m_color);

    QFont font = scene() ? scene()->font() : QFont();
    font.setPixelSize(kCaptionPixels);
    painter->setFont(font);
    painter->setPen(m_color.lightness() < 128 ? Qt::white : Qt::black);
    painter->drawText(m_rect.adjusted(0, m_captionTop, 0, 0), Qt::AlignCenter, m_caption);
}

void PianoKeyItem::mousePressEvent(QGraphicsSceneMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        setPressed(true);
    else
        event->ignore();
}

// Like a push button: held only while the mouse is over the key.
void PianoKeyItem::mouseMoveEvent(QGraphicsSceneMouseEvent* event) {
    setPressed(m_rect.contains(event->pos()));
}

void PianoKeyItem::mouseReleaseEvent(QGraphicsSceneMouseEvent* event) {
    const bool click = m_pressed && m_rect.contains(event->pos());
    setPressed(false);
    if (click) emit clicked();
}

void PianoKeyItem::setPressed(bool pressed) {
    if (pressed == m_pressed) return;
    m_pressed = pressed;
    update();
}

}  // namespace qn
