#pragma once

// The one routine that paints a glyph slot, for the screen items and for the
// printed page. The painter works in twips of its surface.

#include <QFont>
#include <QRectF>

#include "glyphstate.h"

class QPainter;

namespace qn::staff {

// The small sans-serif font of the velocity labels, sized in twips.
QFont velocityLabelFont();

// The area a glyph paints into (twips), empty when nothing is shown.
QRectF glyphBounds(const GlyphState& glyph);

void paintGlyph(QPainter& painter, const GlyphState& glyph,
                const QFont& labelFont = velocityLabelFont());

}  // namespace qn::staff
