#include "staff/staffcontroller.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "compositions.h"

namespace qn::staff {
namespace {

constexpr int kNone = -1;

class StaffControllerTest : public testing::Test {
  protected:
    // Notes whose velocity is 1 + their index (test::indexNote).
    void fill(int track, int count) { test::fillTrack(c, track, count); }
    void select(int trackFrom, int trackTo, int start, int end) {
        e.SelTrackFrom = trackFrom;
        e.SelTrackTo = trackTo;
        e.SelStart = start;
        e.SelEnd = end;
        s.ShowSelection();
    }
    bool red(int slot) const { return s.glyph(slot).colour == GlyphColour::Red; }

    std::unique_ptr<Composition> owned = std::make_unique<Composition>();
    Composition& c = *owned;
    EditState e;
    StaffController s{c, e};
};

TEST_F(StaffControllerTest, RedrawShowsTheVisibleWindowOfEveryTrack) {
    fill(0, 30);
    fill(1, 12);
    c.setNote(2, 10, Note{kRestPitch, 99, 7});
    c.NoteCount[2] = 11;
    c.Lyrics[12] = "sing";
    e.ScrollPos = 10;
    s.RedrawStaff();

    // Slot 21 holds track 1's last note, 22 is past its end; a rest leaves its label empty.
    // clang-format off
    for (const auto& [slot, head, label] : {std::tuple{19, true, "30"}, {0, true, "11"},
             {21, true, "12"}, {22, false, ""}, {60, false, ""}}) {
        // clang-format on
        EXPECT_EQ(s.glyph(slot).headVisible, head) << slot;
        EXPECT_EQ(s.glyph(slot).velocityText, label) << slot;
    }
    EXPECT_TRUE(s.glyph(40).rest[0].visible && s.glyph(40).velocityText.empty());
    EXPECT_EQ(s.lyricText(2) + "|" + s.noteNumberText(), "sing|11");

    // Scrolling past a track's end empties its columns, stems and flags included.
    e.ScrollPos = 12;
    s.RedrawStaff();
    for (int slot = 20; slot < 40; ++slot) {
        EXPECT_FALSE(s.glyph(slot).headVisible || s.glyph(slot).stem.visible) << slot;
        EXPECT_EQ(s.glyph(slot).velocityText, "");
    }
    EXPECT_FALSE(s.glyph(40).rest[0].visible);
}

TEST_F(StaffControllerTest, SelectionColoursExactlyTheSelectedSlots) {
    select(1, 2, 3, 5);
    EXPECT_TRUE(e.SelActive);
    for (int slot = 0; slot < kGlyphSlots; ++slot)
        EXPECT_EQ(red(slot), slot / 20 >= 1 && slot / 20 <= 2 && slot % 20 >= 3 && slot % 20 <= 5)
            << slot;
    s.ClearSelectionDisplay();
    EXPECT_EQ(std::tie(e.SelActive, e.SelStart, e.SelEnd), std::make_tuple(false, -1, -1));
    select(1, 2, 6, 2);  // reversed: nothing coloured, still active
    EXPECT_TRUE(e.SelActive);
    for (int slot = 0; slot < kGlyphSlots; ++slot)
        EXPECT_FALSE(red(slot)) << slot;
}

TEST_F(StaffControllerTest, ScrollingStopsAtZeroAndWithTheEndInColumnFifteen) {
    fill(2, 16);
    s.stepBack();
    EXPECT_EQ(e.ScrollPos, 0);
    s.stepForward();
    s.stepForward();  // index 15 already shows in column 14: no further
    EXPECT_EQ(e.ScrollPos, 1);
    // Held buttons step once per tick, back before forward.
    fill(0, 100);
    const std::tuple<bool, bool, int> ticks[] = {
        {false, true, 2}, {false, true, 3}, {true, true, 3}, {true, false, 2}, {false, false, 2}};
    for (const auto& [back, forward, scrollPos] : ticks) {
        s.setScrollBackHeld(back);
        s.setScrollForwardHeld(forward);
        EXPECT_EQ(s.scrollButtonHeld(), back || forward);
        s.scrollTimerTick();
        EXPECT_EQ(e.ScrollPos, scrollPos) << back << forward;
    }
}

TEST_F(StaffControllerTest, ThumbDragFollowsThePointerWithinItsLimits) {
    fill(0, 100);
    e.ScrollPos = 10;
    s.RedrawStaff();
    const double left = s.thumb().left;  // 960 + 10 * 99.75
    s.thumbDown(left + 100);             // grabbed 100 twips into the thumb
    const std::pair<double, int> moves[] = {
        {left + 100 + 925.5, 21},  // thumb left at 960 + 1923: 1923 / 9255 * 100 = 20.78
        {500 + 100, 0},            // pulled past the trough's start: the first note
        {left + 100 + 925.5, 21},
        {10100, 21},  // pointer at the drag's right limit: ignored
        {10099, 98},  // (10099 - 100 - 960) / 9255 * 100 = 97.67
    };
    for (const auto& [pointerX, scrollPos] : moves) {
        s.thumbMove(pointerX);
        EXPECT_EQ(e.ScrollPos, scrollPos) << pointerX;
    }
    EXPECT_DOUBLE_EQ(s.thumb().left, 960 + 98 * 99.75);  // redrawn at the new scroll position
    s.thumbUp();
    s.thumbMove(3000);
    EXPECT_EQ(e.ScrollPos, 98);
}

TEST_F(StaffControllerTest, TrackLabelClickClampsTheScrollPosition) {
    for (const auto& [noteCount, scrollAfter] : {std::pair{0, 0}, {3, 2}, {5, 5}, {9, 5}}) {
        fill(3, noteCount);
        e.ScrollPos = 5;
        s.trackLabelClick(3);
        EXPECT_EQ(std::tie(e.ActiveTrack, e.ScrollPos), std::make_tuple(3, scrollAfter))
            << noteCount;
    }
}

TEST_F(StaffControllerTest, VelocityLabelClickSetsTheDefaultVelocityOnNotesOnly) {
    fill(1, 5);
    c.NotePitch[1][2] = kRestPitch;
    e.ScrollPos = 1;
    e.DefaultVelocity = 33;
    s.RedrawStaff();
    for (const int slot : {21, 25, 80}) {  // the rest, past the track's end, off the staff
        s.velocityLabelClick(slot);
        EXPECT_FALSE(c.Modified) << slot;
    }
    EXPECT_EQ(std::tie(c.NoteVelocity[1][2], s.glyph(25).velocityText), std::make_tuple(3, ""));
    s.velocityLabelClick(22);
    EXPECT_EQ(std::tie(c.NoteVelocity[1][3], s.glyph(22).velocityText), std::make_tuple(33, "33"));
    EXPECT_TRUE(c.Modified);
}

TEST_F(StaffControllerTest, NoteVolumeSliderMarksModifiedAndSetsTheSelection) {
    fill(0, 10);
    fill(1, 10);
    s.noteVolumeChanged(77);  // no selection: only the default changes
    EXPECT_EQ(std::tie(e.DefaultVelocity, c.Modified), std::make_tuple(77, false));
    e.ScrollPos = 2;
    select(1, 1, 1, 2);
    s.noteVolumeChanged(5);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(c.NoteVelocity[0][i], 1 + i);
        EXPECT_EQ(c.NoteVelocity[1][i], i == 3 || i == 4 ? 5 : 1 + i) << i;
    }
    EXPECT_FALSE(e.SelActive);  // the redraw cleared it
    EXPECT_EQ(s.glyph(21).velocityText, "5");
}

TEST_F(StaffControllerTest, BassClefLowersTheSecondOctaveLabelWhenTurnedOn) {
    const std::pair<std::string, std::string> cases[] = {
        {"4", "2"}, {"9", "7"}, {"3", "keep"}, {"", "keep"}};
    for (const auto& [octave0, octave1] : cases) {
        s.setBassClef(false);
        s.setOctaveLabel(0, octave0);
        s.setOctaveLabel(1, "keep");
        s.BassClef_Click();
        EXPECT_TRUE(c.BassClef && s.bassClefShown());
        EXPECT_EQ(s.octaveLabel(1), octave1) << octave0;
    }
    s.setOctaveLabel(1, "keep");
    s.setBassClef(true);  // already shown: nothing more happens
    s.BassClef_Click();   // turned off: the label stays
    EXPECT_FALSE(c.BassClef || s.bassClefShown());
    EXPECT_EQ(s.octaveLabel(1), "keep");
}

TEST_F(StaffControllerTest, ClickOnAHeadSelectsItAndTheDropStoresThePitch) {
    fill(0, 3);
    fill(1, 3);
    e.ActiveTrack = 2;
    s.RedrawStaff();
    const GlyphState& head = s.glyph(21);  // track 1, index 1
    ASSERT_TRUE(head.headVisible);
    s.mouseDown(head.headX + 15, head.headY + 15);
    EXPECT_TRUE(s.noteDragActive() && !s.bandTrackerRunning());
    EXPECT_EQ(std::tuple(e.ActiveTrack, e.SelActive, e.SelStart, s.hitGlyph()),
              std::tuple(1, true, 1, 21));
    EXPECT_TRUE(red(21));

    s.mouseMove(0, 100, false);  // any button drags; far above, the head stops at the clamp
    EXPECT_EQ(s.glyph(21).headY, 2650);
    s.mouseUp(0, 100);
    EXPECT_FALSE(s.noteDragActive());
    EXPECT_EQ(std::tie(c.NotePitch[1][1], c.Modified, s.glyph(21).headY),
              std::make_tuple(24, true, 2620));
    EXPECT_TRUE(s.takeChanges().backgroundMouseUp);
}

TEST_F(StaffControllerTest, RectangleSelectsTheColumnsAndTracksItCovers) {
    fill(0, 30);
    // The last column selected in tracks 0 and 1 (kNone: nothing selected).
    const std::tuple<const char*, int, int, int, int, bool, bool, int> cases[] = {
        {"two columns", 600, 1000, 1700, 3000, true, true, 1},
        {"narrow but tall", 1080, 1000, 1100, 3000, true, true, 0},
        {"up and to the left", 5000, 3000, 4000, 2000, true, true, kNone},
        {"too small", 1080, 1000, 1109, 1029, true, true, kNone},
        {"released before a tick", 600, 1000, 3000, 3000, false, true, kNone},
        {"starts left of 590", 585, 1000, 3000, 3000, true, true, kNone},
        {"ends at 11000", 600, 1000, 11000, 3000, true, true, kNone},
        {"outside the staves", 600, 7000, 3000, 9000, true, true, kNone},
        {"right button", 600, 1000, 3000, 3000, true, false, kNone},
    };
    for (const auto& [name, x1, y1, x2, y2, tick, leftButton, lastColumn] : cases) {
        SCOPED_TRACE(name);
        e.clearSelection();
        s.RedrawStaff();
        s.mouseDown(x1, y1);
        s.mouseMove(x2, y2, leftButton);
        if (tick) s.bandTrackerTick();
        s.mouseUp(x2, y2);
        EXPECT_FALSE(s.bandTrackerRunning());
        EXPECT_EQ(e.SelActive, lastColumn != kNone);
        if (lastColumn != kNone) {
            EXPECT_EQ(std::tie(e.SelTrackFrom, e.SelTrackTo, e.SelStart, e.SelEnd),
                      std::make_tuple(0, 1, 0, lastColumn));
        }
        for (int slot = 0; slot < kGlyphSlots; ++slot)
            EXPECT_EQ(red(slot), slot % 20 <= lastColumn && slot < 40) << slot;
    }
    // The right button's rectangle stays on the screen until the next redraw.
    EXPECT_TRUE(s.band().visible);
    EXPECT_EQ(s.band().endX, 3000);
    s.RedrawStaff();
    EXPECT_FALSE(s.band().visible);
}

TEST_F(StaffControllerTest, CommandResultsRedrawOnlyWhatIsShown) {
    fill(0, 40);
    e.ScrollPos = 10;
    s.RedrawStaff();
    s.takeChanges();

    c.NotePitch[0][12] = 24;
    c.NoteLength[0][12] = 0;
    c.NoteVelocity[0][15] = 7;
    c.NoteVelocity[0][35] = 8;
    s.apply({.glyphs = {{0, 12}, {0, 5}, {0, 30}}, .velocityLabels = {{0, 15}, {0, 35}}});
    const StaffChanges changes = s.takeChanges();
    EXPECT_EQ(changes.glyphs.count(), 2u);
    EXPECT_EQ(s.glyph(2).headY, 1220);
    const auto& flags = s.glyph(2).flags;
    EXPECT_TRUE(flags[0].visible && flags[1].visible && flags[2].visible);
    EXPECT_EQ(s.glyph(5).velocityText, "7");

    // A command that leaves a selection gets it shown, columns kept.
    e = EditState{.ScrollPos = 10, .SelActive = true, .SelStart = 4, .SelEnd = 4};
    CommandResult selection;
    selection.selection = true;
    s.apply(selection);
    EXPECT_TRUE(red(4));
    EXPECT_EQ(e.SelStart, 4);
}

TEST_F(StaffControllerTest, LyricBoxesStoreAtTheScrolledIndex) {
    e.ScrollPos = 9990;
    s.lyricEdited(3, "hey");
    EXPECT_EQ(c.Lyrics[9993], "hey");
    EXPECT_TRUE(s.takeChanges().composition && c.Modified);
    c.Modified = false;
    s.lyricEdited(3, "hey");  // unchanged text is no change
    EXPECT_FALSE(c.Modified);
    s.lyricEdited(19, "beyond");  // index 10009 does not exist
    EXPECT_FALSE(s.takeChanges().composition);
}

}  // namespace
}  // namespace qn::staff
