#pragma once

// Pure decisions of the mouse on the staff: which head is under the pointer,
// which track a height belongs to, which columns and tracks a selection
// rectangle covers, and which pitch a dropped head takes. Pointer positions
// come in screen pixels of the client area (twips / 15), rectangles in twips.

#include <span>

#include "glyphstate.h"

namespace qn::staff {

inline constexpr int kNoTrack = -1;
inline constexpr int kNoColumn = -1;
inline constexpr int kNoSlot = -1;

// The visible head of slots 0..79 whose box, widened by the click tolerance,
// holds the pointer; when boxes overlap the highest slot wins. kNoSlot if none.
int hitTestHeads(std::span<const GlyphState> glyphs, double xPx, double yPx);

// Track whose staff band holds a pointer height at mouse-down (strict bounds).
int trackAtPointer(double yPx);

// Track of a selection rectangle's corner height (half-open bands), or kNoTrack.
int bandTrack(int yTwips);

// First and last column covered by a rectangle from startX to endX; a column
// counts when the rectangle starts left of x = 1090 + 500c and ends at or right
// of it. kNoColumn for a side at or beyond x = 11000 or left of x = 501.
struct ColumnRange {
    int start = kNoColumn;
    int end = kNoColumn;
    bool operator==(const ColumnRange&) const = default;
};
ColumnRange bandColumns(int startX, int endX);

// Pitch code of a head of `track` released at height `yTwips`: 38 twips per code
// from the track's drop base, clamped to 0..24.
int dropPitch(int track, double yTwips);

}  // namespace qn::staff
