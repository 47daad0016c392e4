#pragma once

// The retained drawing items of one glyph slot and the routine that turns a
// note into them. Pure data: the screen items and the printed page paint from it.

#include <array>
#include <cstdint>
#include <string>

#include "glyphlayout.h"

namespace qn::staff {

// Sizes and line widths, twips (a screen pixel is 15 twips).
inline constexpr int kHeadWidth = 195;
inline constexpr int kHeadHeight = 150;
inline constexpr int kLabelWidth = 375;
inline constexpr int kLabelHeight = 255;
inline constexpr int kThinLine = 15;   // sharp strokes, head outline
inline constexpr int kThickLine = 30;  // stem, flags, rest strokes

enum class GlyphColour : std::uint8_t { Black, Red };

struct GlyphLine {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    bool visible = false;

    void place(int ax, int ay, int bx, int by) {
        x1 = ax;
        y1 = ay;
        x2 = bx;
        y2 = by;
    }
    bool operator==(const GlyphLine&) const = default;
};

struct GlyphState {
    int headX = 0;  // top-left corner of the head's 195 x 150 box
    int headY = 0;
    bool headVisible = false;
    bool headFilled = false;  // solid or hollow head
    GlyphLine stem;
    std::array<GlyphLine, 3> flags;
    std::array<GlyphLine, 4> sharp;  // two vertical strokes, then two horizontal ones
    std::array<GlyphLine, 2> rest;
    std::string velocityText;  // the label is always shown; empty text shows nothing
    int labelX = 0;            // top-left corner of the 375 x 255 velocity label
    int labelY = 0;
    // Outline of every drawing item and fill of a solid head; never the label's text.
    GlyphColour colour = GlyphColour::Black;

    bool operator==(const GlyphState&) const = default;
};

// A slot before anything was drawn in it: every item hidden, the velocity
// label at its place in the slot's column.
GlyphState initialGlyphState(const GlyphLayout& layout, int slot);

// Hides head, stem, flags, sharp and rest strokes and empties the label text,
// as a full redraw does before drawing a slot again.
void hideGlyph(GlyphState& glyph);

// Draws a note (pitch code, length code, velocity) into the items of `slot`.
// Items the note does not use keep their state unless the length code hides
// them; a length code outside 0..7 leaves fill, stem and flags unchanged. A
// slot outside the layout's staves is shown and labelled but not moved.
void DrawNoteGlyph(GlyphState& glyph, const GlyphLayout& layout, int slot, int pitch, int length,
                   int velocity);

// Moves a dragged head vertically to `headTop`, taking stem and flags along
// and hiding the sharp sign; the label and rest strokes stay.
void dragHead(GlyphState& glyph, int headTop);

}  // namespace qn::staff
