#include "staff/glyphstate.h"

#include <gtest/gtest.h>

#include <tuple>

#include "model/composition.h"
#include "staff/staffgeometry.h"

namespace qn::staff {
namespace {

const GlyphLayout& screen = screenGlyphLayout();

GlyphState drawn(int slot, int pitch, int length, int velocity = 100) {
    GlyphState g = initialGlyphState(screen, slot);
    DrawNoteGlyph(g, screen, slot, pitch, length, velocity);
    return g;
}

int flagsShown(const GlyphState& g) {
    return g.flags[0].visible + g.flags[1].visible + g.flags[2].visible;
}

bool sharpShown(const GlyphState& g) {
    return g.sharp[0].visible && g.sharp[1].visible && g.sharp[2].visible && g.sharp[3].visible;
}

TEST(GlyphDrawing, LengthCodesChooseHeadStemAndFlags) {
    const std::tuple<int, bool, bool, bool, int> cases[] = {
        {0, true, true, true, 3},    {1, true, true, true, 2},    {2, true, true, true, 1},
        {3, true, true, true, 0},    {4, true, false, true, 0},   {5, true, false, false, 0},
        {6, false, false, false, 0}, {7, false, false, false, 0},
    };
    for (const auto& [length, head, filled, stem, flags] : cases) {
        SCOPED_TRACE(length);
        const GlyphState g = drawn(0, 5, length, 87);
        EXPECT_EQ(std::tie(g.headVisible, g.headFilled, g.stem.visible),
                  std::make_tuple(head, filled && head, stem));
        EXPECT_EQ(flagsShown(g), flags);
        EXPECT_EQ(g.velocityText, "87");
        EXPECT_FALSE(g.rest[0].visible || g.rest[1].visible);
    }
}

TEST(GlyphDrawing, UnknownLengthShowsTheHeadAndKeepsTheRest) {
    for (const int before : {0, 5, 7}) {
        GlyphState g = drawn(0, 5, before);
        const GlyphState shape = g;
        DrawNoteGlyph(g, screen, 0, 5, before == 7 ? 255 : 9, 100);
        EXPECT_TRUE(g.headVisible) << before;  // a hidden head comes back
        EXPECT_EQ(g.headFilled, shape.headFilled) << before;
        EXPECT_EQ(g.stem.visible, shape.stem.visible) << before;
        EXPECT_EQ(flagsShown(g), flagsShown(shape)) << before;
    }
}

TEST(GlyphDrawing, HeadStemFlagsAndLabelStandAtTheSlotsPlace) {
    const std::tuple<int, int, int, int> cases[] = {
        {0, 0, 1000, 2060},  {0, 24, 1000, 1220}, {19, 12, 10500, 1640},
        {20, 0, 1000, 3460}, {45, 5, 3500, 4720}, {79, 24, 10500, 5500},
    };
    for (const auto& [slot, pitch, x, y] : cases) {
        SCOPED_TRACE(testing::Message() << slot << ":" << pitch);
        GlyphState g;
        g.labelY = 1;  // track 0's labels keep their top
        DrawNoteGlyph(g, screen, slot, pitch, 0, 100);
        EXPECT_EQ(std::tie(g.headX, g.headY, g.labelX, g.labelY),
                  std::make_tuple(x, y, x - 60, slot < 20 ? 1 : kVolumeLabelRow[slot / 20]));
        EXPECT_EQ(g.stem, (GlyphLine{x + 160, y - 240, x + 160, y + 60, true}));
        EXPECT_EQ(g.flags[2], (GlyphLine{x + 160, y - 120, x + 260, y - 70, true}));
    }
}

TEST(GlyphDrawing, SharpsOnlyOnSharpCodesSharingTheNaturalsPosition) {
    const GlyphState natural = drawn(3, 1, 3);
    GlyphState g = drawn(3, 2, 3);
    EXPECT_EQ(natural.headY, g.headY);
    EXPECT_FALSE(natural.sharp[0].visible || natural.sharp[3].visible);
    ASSERT_TRUE(sharpShown(g));
    EXPECT_EQ(g.sharp[0], (GlyphLine{2500 - 140, g.headY, 2500 - 140, g.headY + 140, true}));
    EXPECT_EQ(g.sharp[3], (GlyphLine{2500 - 160, g.headY + 100, 2500 - 40, g.headY + 100, true}));
    DrawNoteGlyph(g, screen, 3, 3, 3, 100);  // drawn again with a natural: the sharp goes
    EXPECT_FALSE(g.sharp[0].visible || g.sharp[3].visible);

    g = drawn(10, 14, 6, 64);  // a hidden head keeps its sharp and label
    EXPECT_TRUE(!g.headVisible && sharpShown(g));
    EXPECT_EQ(g.velocityText, "64");
}

TEST(GlyphDrawing, RestPlacesStrokesAndTouchesNothingElse) {
    GlyphState g = drawn(79, 7, 0, 90);
    DrawNoteGlyph(g, screen, 79, kRestPitch, 3, 12);
    EXPECT_EQ(g.rest[0], (GlyphLine{10500, 5860, 10740, 5980, true}));
    EXPECT_EQ(g.rest[1], (GlyphLine{10620, 5960, 10500, 6120, true}));
    // The note drawn before stays as it was: the caller hides a slot before reuse.
    EXPECT_TRUE(g.headVisible && g.stem.visible && sharpShown(g));
    EXPECT_EQ(g.velocityText, "90");
}

TEST(GlyphDrawing, DraggedHeadTakesStemAndFlagsAndDropsTheSharp) {
    GlyphState g = drawn(21, 2, 0);
    const GlyphState before = g;
    dragHead(g, 3000);
    EXPECT_EQ(std::tie(g.headX, g.headY, g.labelY),
              std::make_tuple(before.headX, 3000, before.labelY));
    EXPECT_EQ(g.stem, (GlyphLine{before.stem.x1, 2760, before.stem.x1, 3060, true}));
    EXPECT_EQ(g.flags[1], (GlyphLine{before.stem.x1, 2820, before.stem.x1 + 100, 2870, true}));
    EXPECT_FALSE(g.sharp[0].visible || g.sharp[3].visible);
}

}  // namespace
}  // namespace qn::staff
