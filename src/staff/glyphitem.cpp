#include "glyphitem.h"

#include "glyphpainter.h"

namespace qn::staff {

GlyphItem::GlyphItem() {
    setAcceptedMouseButtons(Qt::NoButton);
}

void GlyphItem::setGlyph(const GlyphState& glyph) {
    if (glyph == m_glyph) return;
    const QRectF bounds = glyphBounds(glyph);
    if (bounds != m_bounds) {
        prepareGeometryChange();
        m_bounds = bounds;
    }
    m_glyph = glyph;
    update();
}

void GlyphItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    paintGlyph(*painter, m_glyph);
}

}  // namespace qn::staff
