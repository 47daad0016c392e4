#include "model/documentcommands.h"

#include <gtest/gtest.h>

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
    const struct {
        int notes;
        int scrollPos;
    } cases[] = {{0, 1}, {1, 0}, {10, 0}, {11, 1}, {25, 15}, {kNoteSlots, kNoteSlots - 10}};
    for (const auto& k : cases) {
        std::string text = "TRACK 2\n";
        for (int i = 0; i < k.notes; ++i)
            text += "1,2,3\n";
        Composition c;
        EditState e{.ScrollPos = 500, .SelActive = true};
        ASSERT_FALSE(openMsf(text, "x.msf", c, e));
        EXPECT_EQ(c.SongLength, k.notes);
        EXPECT_EQ(e.ScrollPos, k.scrollPos) << k.notes;
        EXPECT_FALSE(e.SelActive);
    }
}

}  // namespace
}  // namespace qn
