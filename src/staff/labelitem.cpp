#include "labelitem.h"

#include <QCursor>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>

#include "staffgeometry.h"

namespace qn::staff {

QFont staffFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize * kTwipsPerPixel);
    font.setBold(bold);
    return font;
}

LabelItem::LabelItem(double width, double height, QGraphicsItem* parent)
    : QGraphicsObject(parent), m_rect(0, 0, width, height), m_font(staffFont(11)) {}

void LabelItem::setText(const QString& text) {
    if (text == m_text) return;
    m_text = text;
    update();
}

void LabelItem::setTextColour(const QColor& colour) {
    if (colour == m_colour) return;
    m_colour = colour;
    update();
}

void LabelItem::setFont(const QFont& font) {
    m_font = font;
    update();
}

void LabelItem::setAlignment(Qt::Alignment alignment) {
    m_alignment = alignment;
    update();
}

void LabelItem::setClickable(bool clickable) {
    m_clickable = clickable;
    setCursor(clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void LabelItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    if (m_text.isEmpty()) return;
    painter->setPen(m_colour);
    painter->setFont(m_font);
    painter->drawText(m_rect, static_cast<int>(m_alignment), m_text);
}

void LabelItem::mousePressEvent(QGraphicsSceneMouseEvent* event) {
    event->accept();
}

void LabelItem::mouseReleaseEvent(QGraphicsSceneMouseEvent* event) {
    if (m_clickable && event->button() == Qt::LeftButton && m_rect.contains(event->pos()))
        emit clicked();
}

}  // namespace qn::staff
