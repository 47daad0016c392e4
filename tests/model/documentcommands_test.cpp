#include "model/documentcommands.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "modeltestsupport.h"

namespace qn {
namespace {

TEST(NewComposition, AfterEditingAsksOnceAndDropsOnlyTheNotes) {
    Composition c;
    EditState e{.ScrollPos = 12};
    test::fillTrack(c, 0, 30);
    c.Lyrics[3] = "kept";
    c.TrackInstrument[2] = 77;
    c.TrackOctave[1] = 2;
    c.BassClef = true;
    c.DocName = c.CompName = "song.msf";
    c.Modified = true;
    test::ScriptedQuestions q;
    q.yesNo = {false, true};
    int saves = 0;
    PromptSaveChanges(c, q, [&] { return ++saves > 0; });
    EXPECT_TRUE(newComposition(c, e).staff);
    EXPECT_EQ(q.asked,
              std::vector<std::string>{"End program|Do you want to save changes to song.msf ?"});
    EXPECT_EQ(std::tie(saves, c.Modified, c.NoteCount[0], e.ScrollPos),
              std::make_tuple(0, false, 0, 0));
    EXPECT_EQ(std::tie(c.DocName, c.CompName), std::make_tuple("Untitled", "Untitled"));
    EXPECT_EQ(std::tie(c.Lyrics[3], c.TrackInstrument[2], c.TrackOctave[1], c.BassClef),
              std::make_tuple("kept", 77, 2, true));
}

TEST(OpenMsf, ScrollsNearTheEndOfTheLongestTrack) {
    for (const auto& [notes, scrollPos] :
         {std::pair{0, 1}, {1, 0}, {10, 0}, {11, 1}, {25, 15}, {kNoteSlots, kNoteSlots - 10}}) {
        std::string text = "TRACK 2\n";
        for (int i = 0; i < notes; ++i)
            text += "1,2,3\n";
        Composition c;
        EditState e{.ScrollPos = 500, .SelActive = true};
        ASSERT_FALSE(openMsf(text, "x.msf", c, e));
        EXPECT_EQ(c.SongLength, notes);
        EXPECT_EQ(e.ScrollPos, scrollPos) << notes;
        EXPECT_FALSE(e.SelActive);
    }
}

TEST(RoundTrip, SaveThenOpenRestoresEverythingButTheName) {
    std::mt19937 rng(20240611);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        Composition saved = test::randomComposition(rng);
        const std::string text = msfTextForSave(saved, "/home/me/songs/first.msf");
        markSaved(saved, "/home/me/songs/first.msf");
        EXPECT_EQ(saved.DocName, "first.msf");

        // Opened in a window that held another composition, as Open does after New.
        Composition opened;
        EditState e;
        test::fillTrack(opened, 0, 500);
        opened.Lyrics[400] = "from before";
        opened.Effects.fill(opened.BassClef = opened.Modified = true);
        newComposition(opened, e);
        ASSERT_FALSE(openMsf(text, "/tmp/copy of first.msf", opened, e));

        for (int t = 0; t < kTrackCount; ++t)
            EXPECT_EQ(test::notesOf(opened, t), test::notesOf(saved, t)) << "track " << t;
        const auto restored = [](const Composition& c) {
            return std::tie(c.TrackInstrument, c.TrackOctave, c.SongLength, c.CompositionAuthor,
                            c.CompositionCopyright, c.Division, c.Effects, c.BassClef, c.Modified);
        };
        EXPECT_EQ(restored(opened), restored(saved));
        for (int i = 0; i < kNoteSlots; ++i)
            ASSERT_EQ(opened.Lyrics[i], i < saved.SongLength ? saved.Lyrics[i] : "") << i;
        EXPECT_EQ(std::tie(opened.CompName, opened.DocName),
                  std::make_tuple("first.msf", "copy of first.msf"));
    }
}

}  // namespace
}  // namespace qn
