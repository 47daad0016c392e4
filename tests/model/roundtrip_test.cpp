// Save followed by Open restores the composition.

#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "model/documentcommands.h"
#include "modeltestsupport.h"

namespace qn {
namespace {

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
