#include "staff/staffgeometry.h"

#include <gtest/gtest.h>

#include <set>

#include "staff/staffhittest.h"

namespace qn::staff {
namespace {

TEST(StaffGeometry, PitchCodesMapToStaffPositionsAndSharps) {
    const int positions[] = {1, 2, 2,  3,  3,  4,  5,  5,  6,  6,  7,  7, 8,
                             9, 9, 10, 10, 11, 12, 12, 13, 13, 14, 14, 15};
    const std::set<int> sharps = {2, 4, 7, 9, 11, 14, 16, 19, 21, 23};
    for (int code = 0; code <= 24; ++code) {
        EXPECT_EQ(StaffPosition(code), positions[code]) << code;
        EXPECT_EQ(isSharp(code), sharps.count(code) == 1) << code;
    }
    // Codes outside the table are their own position and never sharp.
    for (int code : {25, -3, 100}) {
        EXPECT_EQ(StaffPosition(code), code);
        EXPECT_FALSE(isSharp(code));
    }
}

TEST(StaffGeometry, ThumbSizeFollowsSongLengthAndScroll) {
    const double u100 = 9975 / 100.0;
    const std::tuple<int, int, double, double> cases[] = {
        // Short songs fill the trough whatever the scroll; scrolled to the end, the thumb
        // keeps the full window's width.
        // clang-format off
        {0, 0, 960, 9975}, {21, 7, 960, 9975}, {100, 0, 960, 20 * u100},
        {100, 90, 960 + 90 * u100, 10 * u100}, {100, 80, 960 + 80 * u100, 20 * u100},
        {100, 100, 960 + 100 * u100, 20 * u100}, {22, 5, 960 + 5 * 9975 / 22.0, 17 * 9975 / 22.0},
        // clang-format on
    };
    for (const auto& [songLength, scrollPos, left, width] : cases) {
        SCOPED_TRACE(testing::Message() << songLength << "/" << scrollPos);
        const ThumbGeometry thumb = thumbGeometry(songLength, scrollPos);
        EXPECT_DOUBLE_EQ(thumb.left, left);
        EXPECT_DOUBLE_EQ(thumb.width, width);
    }
}

// One-number decisions at the edges of their bands and ranges.
using Decision = int (*)(double);
constexpr Decision kPointerTrack = trackAtPointer;  // pixels, strict bounds
constexpr Decision kCornerTrack = [](double y) { return bandTrack(static_cast<int>(y)); };
constexpr Decision kThumbScroll100 = [](double x) { return thumbDragScrollPos(x, 100); };
constexpr Decision kThumbScroll10 = [](double x) { return thumbDragScrollPos(x, 10); };
constexpr Decision kDrop0 = [](double y) { return dropPitch(0, y); };
constexpr Decision kDrop1 = [](double y) { return dropPitch(1, y); };
constexpr Decision kDrop2 = [](double y) { return dropPitch(2, y); };
constexpr Decision kDrop3 = [](double y) { return dropPitch(3, y); };
constexpr int kNone = kNoTrack;

const std::tuple<Decision, double, int> kBoundaryCases[] = {
    // clang-format off
    {kPointerTrack, 72, kNone}, {kPointerTrack, 72.1, 0}, {kPointerTrack, 145.9, 0},
    {kPointerTrack, 146, kNone}, {kPointerTrack, 172, kNone}, {kPointerTrack, 172.5, 1},
    {kPointerTrack, 240.9, 1}, {kPointerTrack, 241, kNone}, {kPointerTrack, 268, kNone},
    {kPointerTrack, 300, 2}, {kPointerTrack, 343, kNone}, {kPointerTrack, 365, kNone},
    {kPointerTrack, 366, 3}, {kPointerTrack, 440.9, 3}, {kPointerTrack, 441, kNone},
    {kCornerTrack, 720, kNone}, {kCornerTrack, 721, 0}, {kCornerTrack, 2324, 0},
    {kCornerTrack, 2325, kNone}, {kCornerTrack, 2400, kNone}, {kCornerTrack, 2401, 1},
    {kCornerTrack, 3659, 1}, {kCornerTrack, 3660, kNone}, {kCornerTrack, 3870, kNone},
    {kCornerTrack, 3871, 2}, {kCornerTrack, 5159, 2}, {kCornerTrack, 5160, kNone},
    {kCornerTrack, 5300, kNone}, {kCornerTrack, 5301, 3}, {kCornerTrack, 6659, 3},
    {kCornerTrack, 6660, kNone},
    // The thumb's travel maps onto the song, rounding halves to even.
    {kThumbScroll100, 960 + 9255, 100}, {kThumbScroll10, 960 + 9255 * 0.25, 2},
    {kThumbScroll10, 960 + 9255 * 0.35, 4}, {kThumbScroll10, 961, 0},
    // A dropped head: 38 twips per code up from the track's drop base, clamped.
    {kDrop0, 1880, 6}, {kDrop0, -20000, 24}, {kDrop0, 20000, 0}, {kDrop3, 0, 24},
    {kDrop0, 2120 - 37.5, 1}, {kDrop0, 2120 - 36.5, 0}, {kDrop1, 3580 - 76, 2},
    {kDrop2, 5020 - 75, 1}, {kDrop3, 6460 + 50, 0},
    // clang-format on
};

TEST(StaffHitTest, BandsAndRangesHaveExactEdges) {
    for (const auto& [decide, at, expected] : kBoundaryCases)
        EXPECT_EQ(decide(at), expected) << "at " << at;
}

TEST(StaffHitTest, RectangleSidesChooseColumns) {
    // Starting left of 590 loses the start column, reaching x = 11000 the end; column 0
    // is taken when the rectangle spans x = 1090.
    const std::tuple<int, int, ColumnRange> cases[] = {
        // clang-format off
        {600, 1100, {0, 0}}, {1100, 1600, {1, 1}}, {589, 5000, {-1, 7}}, {590, 5000, {0, 7}},
        {500, 5000, {-1, 7}}, {1089, 1090, {0, 0}}, {1090, 1590, {1, 1}}, {600, 1089, {0, -1}},
        {600, 10999, {0, 19}}, {600, 11000, {0, -1}}, {11000, 11500, {-1, -1}},
        // clang-format on
    };
    for (const auto& [startX, endX, columns] : cases) {
        SCOPED_TRACE(testing::Message() << startX << ".." << endX);
        EXPECT_EQ(bandColumns(startX, endX), columns);
    }
}

TEST(StaffHitTest, HeadHitBoxesAreStrictAndHighestSlotWins) {
    std::array<GlyphState, kGlyphSlots> glyphs{};
    auto show = [&](int slot, int x, int y) {
        glyphs[slot].headVisible = true;
        glyphs[slot].headX = x;
        glyphs[slot].headY = y;
    };
    show(3, 1000, 1880);  // pixels: left 66, top 125
    const std::tuple<double, double, int> hits[] = {{61, 126, kNoSlot}, {61.5, 126, 3},
                                                    {75.9, 130.9, 3},   {76, 126, kNoSlot},
                                                    {70, 120, kNoSlot}, {70, 131, kNoSlot}};
    for (const auto& [x, y, slot] : hits)
        EXPECT_EQ(hitTestHeads(glyphs, x, y), slot) << x << "," << y;
    show(7, 1050, 1900);  // overlaps slot 3's box
    EXPECT_EQ(hitTestHeads(glyphs, 70, 127), 7);
    glyphs[7].headVisible = false;
    EXPECT_EQ(hitTestHeads(glyphs, 70, 127), 3);

    show(80, 1000, 1880);  // the unplaced slot is never on the staff
    EXPECT_EQ(hitTestHeads(glyphs, 70, 127), 3);
}

}  // namespace
}  // namespace qn::staff
