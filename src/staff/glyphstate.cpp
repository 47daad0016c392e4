#include "glyphstate.h"

#include "model/composition.h"
#include "staffgeometry.h"

namespace qn::staff {

namespace {

constexpr int kStemDx = 160;      // stem x from the head's left edge
constexpr int kStemAbove = 240;   // stem top above the head's top
constexpr int kStemBelow = 60;    // stem bottom below the head's top
constexpr int kFlagLength = 100;  // each flag falls 50 twips over 100
constexpr int kFlagDrop = 50;
constexpr int kFlagSpacing = 60;
constexpr int kLabelDx = -60;  // velocity label left of the head's left edge
constexpr int kRestWidth = 240;

void placeStemAndFlags(GlyphState& g, int stemX, int headTop) {
    g.stem.place(stemX, headTop - kStemAbove, stemX, headTop + kStemBelow);
    for (int k = 0; k < 3; ++k) {
        const int top = headTop - kStemAbove + kFlagSpacing * k;
        g.flags[k].place(stemX, top, stemX + kFlagLength, top + kFlagDrop);
    }
}

void placeSharp(GlyphState& g, int x0, int y0) {
    g.sharp[0].place(x0 - 140, y0, x0 - 140, y0 + 140);
    g.sharp[1].place(x0 - 80, y0, x0 - 80, y0 + 140);
    g.sharp[2].place(x0 - 160, y0 + 20, x0 - 40, y0 + 20);
    g.sharp[3].place(x0 - 160, y0 + 100, x0 - 40, y0 + 100);
}

// Head, fill, stem and number of flags of length codes 0..7.
struct LengthShape {
    bool head;
    bool filled;  // meaningful only when the head is shown
    bool stem;
    int flags;
};
constexpr std::array<LengthShape, kMaxLengthCode + 1> kLengthShapes{{
    {true, true, true, 3},
    {true, true, true, 2},
    {true, true, true, 1},
    {true, true, true, 0},
    {true, false, true, 0},
    {true, false, false, 0},
    {false, false, false, 0},
    {false, false, false, 0},
}};

void applyLength(GlyphState& g, int length) {
    if (length < 0 || length > kMaxLengthCode) return;  // the head stays shown, the rest as it was
    const LengthShape& shape = kLengthShapes[length];
    g.headVisible = shape.head;
    if (shape.head) g.headFilled = shape.filled;
    g.stem.visible = shape.stem;
    for (int k = 0; k < 3; ++k)
        g.flags[k].visible = k < shape.flags;
}

}  // namespace

GlyphState initialGlyphState(const GlyphLayout& layout, int slot) {
    GlyphState g;
    if (const auto place = layout.place(slot)) {
        g.labelX = place->x0 + kLabelDx;
        g.labelY = layout.labelRow[place->track];
    }
    return g;
}

void hideGlyph(GlyphState& g) {
    g.headVisible = false;
    g.stem.visible = false;
    for (GlyphLine& line : g.flags)
        line.visible = false;
    for (GlyphLine& line : g.sharp)
        line.visible = false;
    for (GlyphLine& line : g.rest)
        line.visible = false;
    g.velocityText.clear();
}

void DrawNoteGlyph(GlyphState& g, const GlyphLayout& layout, int slot, int pitch, int length,
                   int velocity) {
    const auto place = layout.place(slot);
    if (isRest(pitch)) {
        g.rest[0].visible = g.rest[1].visible = true;
        if (place) {
            const RestHeights& h = layout.rest[place->track];
            const int x0 = place->x0;
            g.rest[0].place(x0, h.stroke1Top, x0 + kRestWidth, h.stroke1Top + 120);
            g.rest[1].place(x0 + 120, h.stroke2Top, x0, h.stroke2Bottom);
        }
        return;
    }

    g.headVisible = true;
    applyLength(g, length);
    g.velocityText = std::to_string(velocity);
    if (!place) return;

    const int x0 = place->x0;
    const int y0 = layout.noteYBase[place->track] - 60 * StaffPosition(pitch);
    const bool sharp = isSharp(pitch);
    if (sharp) placeSharp(g, x0, y0);
    for (GlyphLine& line : g.sharp)
        line.visible = sharp;

    g.headX = x0;
    g.headY = y0;
    g.labelX = x0 + kLabelDx;
    // Track 0's labels were laid out on their row from the start and are never moved down.
    if (place->track > 0) g.labelY = layout.labelRow[place->track];
    placeStemAndFlags(g, x0 + kStemDx, y0);
}

void dragHead(GlyphState& g, int headTop) {
    g.headY = headTop;
    placeStemAndFlags(g, g.stem.x1, headTop);
    for (GlyphLine& line : g.sharp)
        line.visible = false;
}

}  // namespace qn::staff
