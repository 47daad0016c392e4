// Whatever bytes a .msf file holds, Open returns (a composition or a
// rejection) and leaves a composition that keeps the model's invariants.

#include <gtest/gtest.h>

#include <random>

#include "model/documentcommands.h"
#include "model/msfwriter.h"
#include "model/textencoding.h"
#include "modeltestsupport.h"

namespace qn {
namespace {

// The invariants, and settings and texts the rest of the program can rely on.
void expectValidComposition(Composition& c, const EditState& e) {
    test::expectModelInvariants(c);
    for (int t = 0; t < kTrackCount; ++t) {
        EXPECT_TRUE(c.TrackInstrument[t] >= 0 && c.TrackInstrument[t] <= 127 &&
                    c.TrackOctave[t] >= 0 && c.TrackOctave[t] <= 9);
    }
    EXPECT_TRUE(c.Division >= kMinDivision && c.Division <= kMaxDivision);
    EXPECT_GE(e.ScrollPos, 0);
    for (const auto* text :
         {&c.DocName, &c.CompName, &c.CompositionAuthor, &c.CompositionCopyright})
        EXPECT_TRUE(isValidUtf8(*text));
}

// Opens the text as the window does: New, then Open.
void openAndCheck(std::string_view text) {
    Composition c;
    EditState e;
    newComposition(c, e);
    const auto error = openMsf(text, "fuzz.msf", c, e);
    if (error) {
        EXPECT_GE(error->line, 1);
        EXPECT_EQ(c.NoteCount, (std::array<int16_t, 4>{}));
    }
    expectValidComposition(c, e);
}

TEST(OpenRobustness, RandomBytesGiveACompositionOrARejection) {
    std::mt19937 rng(4242);
    static const char kAlphabet[] = "0123456789 ,.-+\r\nTRACKINSTOCTAVEDIVISIONLYRICS\0\xFF\x80";
    const std::string alphabet(kAlphabet, sizeof kAlphabet - 1);
    for (int round = 0; round < 300 && !testing::Test::HasFatalFailure(); ++round) {
        std::string text(rng() % 2000, '\0');
        const bool fromAlphabet = round % 2 == 0;
        for (char& ch : text)
            ch = fromAlphabet ? alphabet[rng() % alphabet.size()] : static_cast<char>(rng());
        openAndCheck(text);
    }
}

TEST(OpenRobustness, MutatedValidFilesGiveACompositionOrARejection) {
    std::mt19937 rng(99);
    const std::string inserts[] = {
        // clang-format off
        "\r\nTRACK 7\r\n", "\r\nINST 99999999999999999999\r\n", "\r\n 1e308, 5, 5\r\n",
        std::string("\0\0\0", 3), "\r\nLYRICS\r\n 999999\r\n", "\r\nDIVISION -0\r\n",
        "\r\nOCTAVE -\r\n", "\r\n-0.5,-0.4,-0.5\r\n", "\r\n 24.5, 127.49, 7.49999\r\n",
        // clang-format on
    };
    for (int round = 0; round < 400 && !testing::Test::HasFatalFailure(); ++round) {
        std::string text = writeMsf(test::randomComposition(rng, 40), "valid.msf");
        const int kind = round % 4;  // cut short, bits flipped, a line inserted, bytes erased
        if (kind == 0) text.resize(rng() % (text.size() + 1));
        for (int k = 0; kind == 1 && k < 5; ++k)
            text[rng() % text.size()] ^= static_cast<char>(1 << (rng() % 8));
        if (kind == 2) text.insert(rng() % text.size(), inserts[rng() % std::size(inserts)]);
        if (kind == 3) text.erase(rng() % text.size(), rng() % 30);
        openAndCheck(text);
    }
}

TEST(OpenRobustness, HugeLinesAndNumbersAreReadOrRejected) {
    const std::string digits(100000, '9');
    const std::string longFraction = "0." + std::string(100000, '0') + "1";
    std::string thousandsOfTracks;
    for (int k = 0; k < 20000; ++k)
        thousandsOfTracks.append("TRACK ").append(std::to_string(k % 4)).append("\n1,2,3\n");
    const std::string cases[] = {
        // clang-format off
        "COMPOSITIONNAME" + std::string(100000, 'x'), "TRACK 0\r\n" + std::string(100000, ','),
        "TRACK 0\r\n" + digits + ", 1, 1", "TRACK 0\r\n 1, " + longFraction + ", 1",
        "TRACK 0\r\nINST " + digits, "LYRICS\r\n " + digits,
        "LYRICS\r\n 3\r\n" + std::string(100000, 'y'), std::string(100000, '\0'),
        std::string(100000, '\r'), thousandsOfTracks,
        // clang-format on
    };
    for (const auto& text : cases)
        openAndCheck(text);
}

}  // namespace
}  // namespace qn
