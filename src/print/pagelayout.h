#pragma once

// Where things stand on a printed page. The page is laid out in twips like the
// main window's staff area: the staves, notes and lyric row keep the window's
// heights, and a header band above y = 0 holds the title, the author and the
// instrument labels.

#include <QRectF>
#include <QTransform>
#include <array>

namespace qn::print {

inline constexpr int kPageColumns = 20;  // note positions per page
inline constexpr int kPageSlots = 80;    // glyph slots 1..80: 20 x track + column 1..20

// The page's drawing area, twips.
inline constexpr int kPageLeft = 0;
inline constexpr int kPageTop = -1080;
inline constexpr int kPageWidth = 11400;
inline constexpr int kPageHeight = 8280;

// Staff lines and edge lines run from here to there on every staff.
inline constexpr int kPageStaffLeft = 360;
inline constexpr int kPageStaffRight = 11040;

// Header band (tops and heights).
inline constexpr int kTitleTop = -1080;
inline constexpr int kTitleHeight = 360;
inline constexpr int kAuthorTop = -720;
inline constexpr int kHeaderRowHeight = 240;
inline constexpr int kInstrumentTop = -480;  // two rows of two tracks each
inline constexpr int kInstrumentColumnX = 5700;
inline constexpr int kPageNumberTop = 6900;

// Velocity label rows of the page, as its glyph layout places them.
inline constexpr std::array<int, 4> kPageLabelRow{2160, 3620, 5080, 6520};

// The smallest number of 20-note pages that holds `songLength` notes, at least 1.
int PageCount(int songLength);
// Index of the first note on page `page` (1-based).
inline int PageStart(int page) {
    return kPageColumns * (page - 1);
}

QRectF pageBounds();
// Maps page twips into `target`: one scale for both directions, centred, the
// whole page inside.
QTransform fitPage(const QRectF& target);

}  // namespace qn::print
