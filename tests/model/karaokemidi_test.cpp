#include "model/karaokemidi.h"

#include <gtest/gtest.h>

#include "model/midiwriter.h"
#include "modeltestsupport.h"

namespace qn {
namespace {

using test::hexBytes;
using test::textBytes;
using test::operator+;

// Each lyric lands where its note position starts in the note tracks (tick
// 24 + 40 i), as the delta from the lyric before; empty lyrics and those past
// the last note are left out. The plain export stays intact around the words.
TEST(AddLyricsTrack, LyricEventsAtTheirNotePositionsAfterThePlainExport) {
    const struct {
        const char* what;
        std::vector<std::pair<int, std::string>> lyrics;  // position, text
        std::vector<uint8_t> events;                      // between the name and the end
    } cases[] = {
        {"empty one skipped, long delta",
         {{0, "a"}, {1, ""}, {10, "b"}},
         hexBytes("18 FF05 02") + textBytes("a ") + hexBytes("8310 FF05 02") + textBytes("b ")},
        {"syllable and blank kept",
         {{2, "hel-"}, {3, "lo "}},
         hexBytes("68 FF05 04") + textBytes("hel-") + hexBytes("28 FF05 03") + textBytes("lo ")},
        {"past the last note", {{11, "gone"}}, {}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        Composition c;
        test::fillTrack(c, 1, 11);
        c.ComputeSongLength();
        for (const auto& [at, text] : test.lyrics)
            c.Lyrics[at] = text;
        const std::vector<uint8_t> plain = WriteMidiFile(c, 0, 3, 0, c.SongLength);
        std::vector<uint8_t> kar = plain;
        addLyricsTrack(kar, c);

        const std::vector<uint8_t> data =
            hexBytes("00 FF03 05") + textBytes("Words") + test.events + hexBytes("00 FF2F00");
        EXPECT_EQ(kar[11], plain[11] + 1) << "track count";
        kar[11] = plain[11];
        EXPECT_TRUE(std::equal(plain.begin(), plain.end(), kar.begin()));
        EXPECT_EQ(test::chunksOf(kar).back().data, data);
    }
}

}  // namespace
}  // namespace qn
