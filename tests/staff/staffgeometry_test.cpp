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

TEST(StaffGeometry, NoteYCountsHalfSpacingsUpFromTheTrackBase) {
    EXPECT_EQ(NoteY(0, 0), 2060);
    EXPECT_EQ(NoteY(0, 24), 1220);
    EXPECT_EQ(NoteY(0, 12), 1640);  // the middle line's B: head top half a spacing above it
    // Every staff is laid out alike, whatever the track.
    for (int t = 1; t < kStaffCount; ++t)
        for (int code = 0; code <= 24; ++code)
            EXPECT_EQ(NoteY(t, code) - kNoteYBase[t], NoteY(0, code) - kNoteYBase[0]);
}

TEST(StaffGeometry, ThumbSizeFollowsSongLengthAndScroll) {
    struct Case {
        int songLength;
        int scrollPos;
        double left;
        double width;
    };
    const double u100 = 9975 / 100.0;
    const Case cases[] = {
        {0, 0, 960, 9975},
        {21, 7, 960, 9975},  // short songs fill the trough whatever the scroll
        {100, 0, 960, 20 * u100},
        {100, 90, 960 + 90 * u100, 10 * u100},
        {100, 80, 960 + 80 * u100, 20 * u100},
        {100, 100, 960 + 100 * u100, 20 * u100},  // scrolled to the end: full window width
        {22, 5, 960 + 5 * 9975 / 22.0, 17 * 9975 / 22.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.songLength << "/" << c.scrollPos);
        const ThumbGeometry thumb = thumbGeometry(c.songLength, c.scrollPos);
        EXPECT_DOUBLE_EQ(thumb.left, c.left);
        EXPECT_DOUBLE_EQ(thumb.width, c.width);
    }
}

TEST(StaffGeometry, ThumbDragMapsTravelOntoTheSongRoundingHalvesToEven) {
    EXPECT_EQ(thumbDragScrollPos(960 + 9255, 100), 100);
    EXPECT_EQ(thumbDragScrollPos(960 + 9255 * 0.25, 10), 2);  // 2.5
    EXPECT_EQ(thumbDragScrollPos(960 + 9255 * 0.35, 10), 4);  // 3.5
    EXPECT_EQ(thumbDragScrollPos(961, 10), 0);
}

TEST(StaffHitTest, PointerHeightChoosesTrackWithStrictBounds) {
    const std::pair<double, int> cases[] = {
        {72, kNoTrack},  {72.1, 0},  {145.9, 0},      {146, kNoTrack},
        {172, kNoTrack}, {172.5, 1}, {240.9, 1},      {241, kNoTrack},
        {268, kNoTrack}, {300, 2},   {343, kNoTrack}, {365, kNoTrack},
        {366, 3},        {440.9, 3}, {441, kNoTrack}, {10, kNoTrack},
    };
    for (const auto& [y, track] : cases)
        EXPECT_EQ(trackAtPointer(y), track) << y;
}

TEST(StaffHitTest, RectangleCornerHeightChoosesTrackWithHalfOpenBands) {
    const std::pair<int, int> cases[] = {
        {720, kNoTrack},  {721, 0},  {2324, 0}, {2325, kNoTrack},
        {2400, kNoTrack}, {2401, 1}, {3659, 1}, {3660, kNoTrack},
        {3870, kNoTrack}, {3871, 2}, {5159, 2}, {5160, kNoTrack},
        {5300, kNoTrack}, {5301, 3}, {6659, 3}, {6660, kNoTrack},
    };
    for (const auto& [y, track] : cases)
        EXPECT_EQ(bandTrack(y), track) << y;
}

TEST(StaffHitTest, RectangleSidesChooseColumns) {
    struct Case {
        int startX;
        int endX;
        ColumnRange columns;
    };
    const Case cases[] = {
        {600, 1100, {0, 0}},      {1100, 1600, {1, 1}},
        {589, 5000, {-1, 7}},  // starts left of 590: no start column
        {590, 5000, {0, 7}},      {500, 5000, {-1, 7}},
        {1089, 1090, {0, 0}},  // column 0 is taken when the rectangle spans x = 1090
        {1090, 1590, {1, 1}},     {600, 1089, {0, -1}},
        {600, 10999, {0, 19}},    {600, 11000, {0, -1}},  // reaching x = 11000 loses the end
        {11000, 11500, {-1, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.startX << ".." << c.endX);
        EXPECT_EQ(bandColumns(c.startX, c.endX), c.columns);
    }
}

TEST(StaffHitTest, DropHeightGivesClampedPitch) {
    struct Case {
        int track;
        double y;
        int pitch;
    };
    const Case cases[] = {
        {0, 1880, 6},  // a code-5 head released where it lies moves up one code
        {0, -20000, 24},     {0, 20000, 0},     {3, 0, 24},
        {0, 2120 - 37.5, 1},  // 37.5 rounds to 38 (even)
        {0, 2120 - 36.5, 0},  // 36.5 rounds to 36
        {1, 3580 - 76, 2},   {2, 5020 - 75, 1}, {3, 6460 + 50, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.track << " @ " << c.y);
        EXPECT_EQ(dropPitch(c.track, c.y), c.pitch);
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
    EXPECT_EQ(hitTestHeads(glyphs, 61, 126), kNoSlot);
    EXPECT_EQ(hitTestHeads(glyphs, 61.5, 126), 3);
    EXPECT_EQ(hitTestHeads(glyphs, 75.9, 130.9), 3);
    EXPECT_EQ(hitTestHeads(glyphs, 76, 126), kNoSlot);
    EXPECT_EQ(hitTestHeads(glyphs, 70, 120), kNoSlot);
    EXPECT_EQ(hitTestHeads(glyphs, 70, 131), kNoSlot);

    show(7, 1050, 1900);  // overlaps slot 3's box
    EXPECT_EQ(hitTestHeads(glyphs, 70, 127), 7);
    glyphs[7].headVisible = false;
    EXPECT_EQ(hitTestHeads(glyphs, 70, 127), 3);

    show(80, 1000, 1880);  // the unplaced slot is never on the staff
    EXPECT_EQ(hitTestHeads(glyphs, 70, 127), 3);
}

}  // namespace
}  // namespace qn::staff
