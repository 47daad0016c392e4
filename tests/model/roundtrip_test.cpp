// Save followed by Open restores the composition.

#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "model/documentcommands.h"
#include "modeltestsupport.h"

namespace qn {
namespace {

// Texts that look like file lines, or carry commas and characters beyond ASCII.
const std::string kTexts[] = {"",           " ",        "la, la",   "TRACK 3",     "LYRICS",
                              "DIVISION 5", "BASSCLEF", " 1, 2, 3", "Grüße – “ü”", "ECHO ",
                              "  leading",  "x"};

Composition randomComposition(std::mt19937& rng) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    Composition c;
    c.Division = pick(kMinDivision, kMaxDivision);
    c.CompositionAuthor = kTexts[pick(0, 11)];
    c.CompositionCopyright = kTexts[pick(0, 11)];
    c.CompName = "typed name";
    for (auto&& effect : c.Effects)
        effect = pick(0, 1) == 1;
    c.BassClef = pick(0, 1) == 1;
    for (int t = 0; t < kTrackCount; ++t) {
        c.TrackInstrument[t] = static_cast<int16_t>(pick(0, 127));
        c.TrackOctave[t] = static_cast<int16_t>(pick(0, 9));
        const int count = pick(0, 3) == 0 ? 0 : pick(1, 60);
        for (int i = 0; i < count; ++i) {
            const int pitch = pick(0, 25);
            test::appendNote(
                c, t,
                {static_cast<int16_t>(pitch == 25 ? kRestPitch : pitch),
                 static_cast<uint8_t>(pick(0, 127)), static_cast<uint8_t>(pick(0, 7))});
        }
    }
    for (int i = 0; i < 80; ++i)
        c.Lyrics[i] = kTexts[pick(0, 11)];
    return c;
}

void expectRestored(const Composition& saved, const Composition& opened) {
    for (int t = 0; t < kTrackCount; ++t)
        EXPECT_EQ(test::notesOf(opened, t), test::notesOf(saved, t)) << "track " << t;
    const auto restored = [](const Composition& c) {
        return std::tie(c.TrackInstrument, c.TrackOctave, c.SongLength, c.CompositionAuthor,
                        c.CompositionCopyright, c.Division, c.Effects, c.BassClef);
    };
    EXPECT_EQ(restored(opened), restored(saved));
    for (int i = 0; i < kNoteSlots; ++i)
        ASSERT_EQ(opened.Lyrics[i], i < saved.SongLength ? saved.Lyrics[i] : "") << i;
    EXPECT_FALSE(opened.Modified);
}

// Opens the text in a window that held another composition, as Open does after New.
Composition openedFrom(const std::string& text, std::string_view path, EditState& e) {
    Composition c;
    test::fillTrack(c, 0, 500);
    c.Lyrics[400] = "from before";
    c.TrackOctave = {7, 7, 7, 7};
    c.Effects.fill(c.BassClef = c.Modified = true);
    newComposition(c, e);
    const auto error = openMsf(text, path, c, e);
    EXPECT_FALSE(error) << error->text();
    return c;
}

TEST(RoundTrip, SaveThenOpenRestoresEverythingButTheName) {
    std::mt19937 rng(20240611);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        Composition saved = randomComposition(rng);
        const std::string text = msfTextForSave(saved, "/home/me/songs/first.msf");
        markSaved(saved, "/home/me/songs/first.msf");
        EXPECT_EQ(saved.DocName, "first.msf");
        EditState e;
        const Composition opened = openedFrom(text, "/tmp/copy of first.msf", e);
        expectRestored(saved, opened);
        EXPECT_EQ(std::tie(opened.CompName, opened.DocName),
                  std::make_tuple("first.msf", "copy of first.msf"));
        EXPECT_EQ(e.ScrollPos, saved.SongLength < 1 ? 1 : std::max(saved.SongLength - 10, 0));
    }
}

}  // namespace
}  // namespace qn
