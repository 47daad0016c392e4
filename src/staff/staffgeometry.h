#pragma once

// Fixed layout of the four staves in the main window's client area. Every
// coordinate is in twips (1440 per inch, 15 per screen pixel at zoom 1).
// Every staff is laid out as a treble staff, whatever the track's octave or clef.

#include <array>

#include "clientlayout.h"

namespace qn::staff {

inline constexpr int kStaffCount = 4;
inline constexpr int kColumns = 20;
inline constexpr int kStaffSlots = 80;  // glyph slots shown on the staff: 20 x track + column
inline constexpr int kGlyphSlots = 81;  // slot 80 exists but is never shown
inline constexpr int kColumnWidth = 500;
inline constexpr int kLineSpacing = 120;
inline constexpr int kStaffLeft = 240;     // staff lines and left edge line
inline constexpr int kStaffRight = 10920;  // right edge line
inline constexpr int kGuideLeft = 960;
inline constexpr int kGuideRight = 10800;

struct TwipRange {
    int low = 0;
    int high = 0;
};

// Per-track tables, index = track 0..3.
inline constexpr std::array<int, kStaffCount> kStaffTop{1440, 2880, 4320, 5760};  // top line
inline constexpr std::array<int, kStaffCount> kNoteYBase{2120, 3520, 4960, 6400};
inline constexpr std::array<int, kStaffCount> kDropBase{2120, 3580, 5020, 6460};
inline constexpr std::array<TwipRange, kStaffCount> kDragClamp{
    {{1226, 2080}, {2650, 3520}, {4120, 4975}, {5520, 6420}}};
inline constexpr std::array<int, kStaffCount> kVolumeLabelRow{2200, 3620, 5100, 6570};
inline constexpr std::array<TwipRange, kStaffCount> kGuideLineY{
    {{1320, 2040}, {2760, 3480}, {4200, 4920}, {5640, 6360}}};
inline constexpr std::array<int, kStaffCount> kClefTop{1320, 2760, 4200, 5640};
inline constexpr std::array<int, kStaffCount> kVolCaptionY{2200, 3600, 5080, 6600};

// The staff line items are numbered as the window always numbered them:
// kStaffLineItem[t][k] is the item of track t's k-th line from the top.
inline constexpr std::array<std::array<int, 5>, kStaffCount> kStaffLineItem{
    {{0, 1, 2, 3, 19}, {5, 6, 7, 8, 9}, {14, 13, 12, 11, 10}, {4, 18, 17, 16, 15}}};
inline constexpr int kStaffLineItems = 28;  // 20 staff lines and 8 guide lines (20 + 2t, 21 + 2t)

// Pictures and labels beside the staves.
inline constexpr int kClefX = 360;
inline constexpr int kTrebleClefWidth = 450;
inline constexpr int kTrebleClefHeight = 750;
inline constexpr int kBassClefWidth = 375;
inline constexpr int kBassClefHeight = 420;
inline constexpr int kBassClefY = 2880;
inline constexpr int kTrackLabelSize = 255;  // Bar and OctLabel squares at x = 0
inline constexpr int kInstLabelX = 11040;

// Scroll bar, note number and lyric row.
inline constexpr int kScrollButtonSize = 480;
inline constexpr int kScrollButtonY = 7080;
inline constexpr int kScrollBackX = 480;
inline constexpr int kScrollUpX = 10920;
inline constexpr int kTroughX = 960;
inline constexpr int kTroughY = 7200;
inline constexpr int kTroughWidth = 9975;
inline constexpr int kTroughHeight = 255;
inline constexpr int kThumbDragTravel = 9255;  // pointer travel that spans the whole song
inline constexpr int kThumbDragRight = 10100;  // pointer x at which thumb drags stop
inline constexpr int kNoteNumberX = 1080;
inline constexpr int kNoteNumberY = 6960;
inline constexpr int kLyricX = 840;
inline constexpr int kLyricY = 360;
inline constexpr int kLyricWidth = 490;
inline constexpr int kLyricHeight = 315;

inline constexpr int staffLineY(int track, int line) {
    return kStaffTop[track] + kLineSpacing * line;
}

// Horizontal positions of column c's items.
inline constexpr int headLeft(int column) {
    return 1000 + kColumnWidth * column;
}
inline constexpr int stemX(int column) {
    return 1160 + kColumnWidth * column;
}
inline constexpr int sharpLeft(int column) {
    return 840 + kColumnWidth * column;
}
inline constexpr int restLeft(int column) {
    return 1000 + kColumnWidth * column;
}
inline constexpr int volumeLabelLeft(int column) {
    return 940 + kColumnWidth * column;
}
inline constexpr int lyricLeft(int column) {
    return kLyricX + kColumnWidth * column;
}

inline constexpr int slotOf(int track, int column) {
    return kColumns * track + column;
}

// Staff position of a pitch code, in half line-spacings upwards; sharpened codes
// share the natural below them. A code outside 0..24 is used as the position itself.
int StaffPosition(int pitch);
// Top edge of the note head of `pitch` on `track`'s staff.
int NoteY(int track, int pitch);
// The codes drawn with a sharp sign: 2, 4, 7, 9, 11, 14, 16, 19, 21, 23.
bool isSharp(int pitch);

// Thumb of the sheet slider in the trough.
struct ThumbGeometry {
    double left = kTroughX;
    double width = kTroughWidth;
    bool operator==(const ThumbGeometry&) const = default;
};
ThumbGeometry thumbGeometry(int songLength, int scrollPos);
// Scroll position for a thumb dragged so that its left edge is at `thumbLeft`.
int thumbDragScrollPos(double thumbLeft, int songLength);

}  // namespace qn::staff
