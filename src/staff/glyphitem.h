#pragma once

// The scene item of one glyph slot. It only shows the slot's state: heads are
// hit-tested geometrically by the staff, so the item takes no mouse buttons.

#include <QGraphicsItem>

#include "glyphstate.h"

namespace qn::staff {

class GlyphItem : public QGraphicsItem {
  public:
    GlyphItem();

    // Repaints only when the state differs from the one shown.
    void setGlyph(const GlyphState& glyph);
    const GlyphState& glyph() const { return m_glyph; }

    QRectF boundingRect() const override { return m_bounds; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

  private:
    GlyphState m_glyph;
    QRectF m_bounds;
};

}  // namespace qn::staff
