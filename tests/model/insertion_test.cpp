#include "model/insertion.h"

#include <gtest/gtest.h>

#include "modeltestsupport.h"

namespace qn {
namespace {

using test::indexNote;
using test::notesOf;

class InsertionTest : public testing::Test {
  protected:
    void SetUp() override {
        e.DefaultVelocity = 77;
        e.DefaultLength = 2;
        for (int i = 0; i < 12; ++i)
            c.Lyrics[i] = std::string("L").append(std::to_string(i));
    }
    Composition c;
    EditState e;
    const Note blank{kBlankPitch, 77, 2};
};

TEST_F(InsertionTest, AllTracksOpenTheGapAndMoveTheLyrics) {
    test::fillTrack(c, 0, 5);
    test::fillTrack(c, 2, 3);
    const CommandResult r = Insertion(c, e, 0, 3, 2, 3);
    EXPECT_EQ(notesOf(c, 0), (std::vector<Note>{indexNote(0), indexNote(1), blank, blank, blank,
                                                indexNote(2), indexNote(3), indexNote(4)}));
    // Shorter tracks get their gap at their end, so they never hold holes.
    EXPECT_EQ(notesOf(c, 1), (std::vector<Note>{blank, blank, blank}));
    EXPECT_EQ(notesOf(c, 2),
              (std::vector<Note>{indexNote(0), indexNote(1), blank, blank, blank, indexNote(2)}));
    EXPECT_EQ(c.SongLength, 8);
    const std::vector<std::string> lyrics(c.Lyrics.begin(), c.Lyrics.begin() + 9);
    EXPECT_EQ(lyrics,
              (std::vector<std::string>{"L0", "L1", "L2", "L3", "L4", "L2", "L3", "L4", "L5"}));
    EXPECT_TRUE(c.Modified && r.staff && !r.refused);
}

TEST_F(InsertionTest, RefusedWholeWhenATrackWouldPassTheLastSlot) {
    test::fillTrack(c, 0, 10);
    test::fillTrack(c, 3, kNoteSlots - 2);
    e.SelActive = true;
    const Composition before = c;
    const CommandResult r = Insertion(c, e, 0, 3, 0, 3);
    EXPECT_TRUE(r.refused && !r.staff);
    EXPECT_EQ(c.NoteCount, before.NoteCount);
    EXPECT_EQ(c.Lyrics, before.Lyrics);
    EXPECT_TRUE(e.SelActive && !c.Modified);

    EXPECT_FALSE(Insertion(c, e, 0, 3, 0, 2).refused);  // exactly filling the slots
    EXPECT_EQ(c.NoteCount[3], kNoteSlots);
    EXPECT_EQ(c.note(3, kMaxNoteIndex), indexNote(kNoteSlots - 3));
}

TEST_F(InsertionTest, LyricsNearTheLastSlotStayInTheTable) {
    for (int t = 0; t < kTrackCount; ++t)
        test::fillTrack(c, t, kMaxNoteIndex - 1);
    c.Lyrics[kMaxNoteIndex - 2] = "end";
    Insertion(c, e, 0, 3, kMaxNoteIndex - 5, 2);
    EXPECT_EQ(c.Lyrics[kMaxNoteIndex], "end");
    EXPECT_EQ(c.NoteCount[0], kNoteSlots);
}

}  // namespace
}  // namespace qn
