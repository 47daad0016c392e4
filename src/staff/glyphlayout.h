#pragma once

// Where the glyph slots of one surface lie: the screen staff and the printed
// page number their slots and place their columns differently but draw the
// same glyph shapes. All values are twips of that surface.

#include <array>
#include <optional>

namespace qn::staff {

struct RestHeights {
    int stroke1Top = 0;     // first stroke falls 120 twips over 240 from here
    int stroke2Top = 0;     // second stroke runs from x0 + 120 at this height ...
    int stroke2Bottom = 0;  // ... back to x0 at this height
};

struct SlotPlace {
    int track = 0;
    int column = 0;
    int x0 = 0;  // left edge of the note head, and of the rest sign
};

struct GlyphLayout {
    int firstSlot = 0;     // slot of track 0's first column; each track has 20 slots after it
    int columnOrigin = 0;  // x0 of column number 0 (which may not exist on the surface)
    std::array<int, 4> noteYBase{};
    std::array<int, 4> labelRow{};  // top edge of the velocity labels
    std::array<RestHeights, 4> rest{};

    // Track and column that a slot serves; none for slots outside the four staves.
    std::optional<SlotPlace> place(int slot) const;
    // x0 of column `column`.
    int headLeft(int column) const;
};

// The main window's staff: slots 0..79, columns 0..19, x0 = 1000 + 500c.
const GlyphLayout& screenGlyphLayout();
// The printed page: slots 1..80, columns 1..20, x0 = 500 + 500c, so a note sits
// at the same x as on screen.
const GlyphLayout& pageGlyphLayout();

}  // namespace qn::staff
