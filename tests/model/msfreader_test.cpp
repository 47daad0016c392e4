#include "model/msfreader.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "model/documentcommands.h"
#include "model/editstate.h"
#include "modeltestsupport.h"

namespace qn {
namespace {

// A composition as Open clears it before reading.
Composition clearedForOpening() {
    Composition c;
    c.TrackInstrument.fill(0);
    return c;
}

Composition readOk(std::string_view text) {
    Composition c = clearedForOpening();
    const auto error = readMsf(text, c);
    EXPECT_FALSE(error) << error->text();
    return c;
}

TEST(ReadMsf, EffectAndBassClefLinesMustMatchTheWholeLine) {
    // The effect each line switches on (-1: none) and whether it sets the bass clef.
    const std::tuple<const char*, int, bool> cases[] = {
        {"DISTORTION", 0, false}, {"DISTORTION ", -1, false}, {" ECHO", -1, false},
        {"chorus", 2, false},     {"PARA", 6, false},         {"PARAMETRIC", -1, false},
        {"BASSCLEF", -1, true},   {"BASSCLEF ", -1, false},
    };
    for (const auto& [line, effect, bassClef] : cases) {
        const Composition c = readOk(line);
        for (int e = 0; e < kEffectCount; ++e)
            EXPECT_EQ(c.Effects[e], e == effect) << line;
        EXPECT_EQ(c.BassClef, bassClef) << line;
    }
}

TEST(ReadMsf, FieldsAreReadFromTheirFixedPositions) {
    // Keywords in any case. Division: the last three characters; track: the last two;
    // instrument: from the sixth character on; octave: the last character.
    const auto division = [](const Composition& c) { return c.Division; };
    const auto instrument = [](const Composition& c) { return int{c.TrackInstrument[0]}; };
    const auto octave = [](const Composition& c) { return int{c.TrackOctave[0]}; };
    const auto track3 = [](const Composition& c) { return int{c.NoteCount[3]}; };
    const std::tuple<const char*, std::function<int(const Composition&)>, int> cases[] = {
        // clang-format off
        {"division 120", division, 120}, {"DIVISIONx100", division, 100},
        {"Division 64 ", division, 64}, {"TRACK  3\n1,2,3", track3, 1},
        {"tracks 3\n1,2,3", track3, 1}, {"track 0\ninst125", instrument, 25},
        {"TRACK 0\nINST 25 guitar", instrument, 25}, {"TRACK 0\nINST 2.5", instrument, 2},
        {"TRACK 0\noctave 12", octave, 2}, {"TRACK 0\nOCTAVE", octave, 0},
        // clang-format on
    };
    for (const auto& [text, field, value] : cases)
        EXPECT_EQ(field(readOk(text)), value) << text;
}

TEST(ReadMsf, NoteLinesSplitAtTheFirstTwoCommas) {
    const std::pair<const char*, Note> cases[] = {
        // clang-format off
        {" 5, 90, 4", {5, 90, 4}}, {" 169, 100, 7", {kRestPitch, 100, 7}}, {" 7, 80", {7, 80, 0}},
        {"7,,", {7, 0, 0}}, {"x,y,z", {0, 0, 0}}, {"3,4,5,6", {3, 4, 5}},
        {" 2.5, 99.5, 2.5", {2, 100, 2}}, {" 24.5, 0, 0", {24, 0, 0}},
        {"169.4,127,7", {kRestPitch, 127, 7}}, {", 5, 3", {0, 5, 3}},
        // clang-format on
    };
    for (const auto& [line, note] : cases) {
        const Composition c = readOk("TRACK 2\n" + std::string(line));
        EXPECT_EQ(test::notesOf(c, 2), std::vector<Note>{note}) << line;
    }
}

TEST(ReadMsf, TrackLineStartsTheTrackAfresh) {
    const Composition c =
        readOk(" 9, 9, 1\nTRACK 2\n 5, 90, 4\n 169, 100, 7\nTRACK 0\n1,1,1\nTRACK 0\n3,3,3\n");
    EXPECT_EQ(test::notesOf(c, 2), (std::vector<Note>{{5, 90, 4}, {kRestPitch, 100, 7}}));
    EXPECT_EQ(test::notesOf(c, 0), (std::vector<Note>{{3, 3, 3}}));
    EXPECT_EQ(c.NoteCount[1] + c.NoteCount[3], 0);
}

TEST(ReadMsf, LyricLinesAreStoredAsTheyStand) {
    const Composition c = readOk("TRACK 0\nlyrics\n 4\na, b\nTRACK 3\nDIVISION 20\n\nBASSCLEF\n");
    EXPECT_EQ(std::vector<std::string>(c.Lyrics.begin(), c.Lyrics.begin() + 4),
              (std::vector<std::string>{"a, b", "TRACK 3", "DIVISION 20", ""}));
    EXPECT_EQ(std::tie(c.NoteCount[0], c.Division), std::make_tuple(0, 64));
    EXPECT_TRUE(c.BassClef);  // the line after the block is a rule line again
}

TEST(ReadMsf, LyricCountIsRoundedHalfToEven) {
    const std::pair<const char*, int> cases[] = {{" 2", 2},   {" 2.5", 2}, {" 1.5", 2},
                                                 {" 1.4", 1}, {"-3", 0},   {"none", 0}};
    for (const auto& [count, lyricLines] : cases) {
        const Composition c = readOk("LYRICS\n" + std::string(count) + "\none\ntwo\nthree\n");
        EXPECT_EQ(c.Lyrics[0], lyricLines > 0 ? "one" : "") << count;
        EXPECT_EQ(c.Lyrics[1], lyricLines > 1 ? "two" : "") << count;
        EXPECT_EQ(c.Lyrics[2], "") << count;
    }
}

TEST(ReadMsf, LinesMayEndInCrLfLfOrCr) {
    for (const char* end : {"\r\n", "\n", "\r"}) {
        std::string text;
        for (const char* line : {"COMPOSITIONAUTHORme", "TRACK 1", " 1, 2, 3", "", " 4, 5, 6",
                                 "LYRICS", " 2", "", "x"})
            text += line + std::string(end);
        const Composition c = readOk(text);
        EXPECT_EQ(c.CompositionAuthor, "me");
        EXPECT_EQ(test::notesOf(c, 1), (std::vector<Note>{{1, 2, 3}, {4, 5, 6}}));
        EXPECT_EQ(std::tie(c.Lyrics[0], c.Lyrics[1]), std::make_tuple("", "x"));
    }
}

std::string manyNotes(int count) {
    std::string text = "TRACK 1\n";
    for (int i = 0; i < count; ++i)
        text += " 1, 2, 3\n";
    return text;
}

TEST(ReadMsf, AcceptsTheModelsRangesAndRejectsTheRestNamingTheLine) {
    // The line a rejection names (0: accepted) and what its message mentions.
    const std::tuple<std::string, int, const char*> cases[] = {
        // clang-format off
        {"DIVISION 16", 0, ""}, {"DIVISION 127", 0, ""}, {"TRACK 0\nINST 0\nINST 127", 0, ""},
        {"LYRICS\n 10001", 0, ""}, {"TRACK 3\n 0, 0, 0\n 24, 127, 7\n 169, 0, 0", 0, ""},
        {"TRACK 0\n 1, 126.5, 6.5", 0, ""}, {manyNotes(10001), 0, ""},
        {"TRACK 0\nINST 5." + std::string(400, '0'), 0, ""},
        {"TRACK 4", 1, "track number 4"}, {"DIVISION 64\nTRACK-1", 2, "track number -1"},
        {"COMPOSITIONNAMEx\nINST 5", 2, "INST comes before any TRACK"},
        {"OCTAVE 5", 1, "OCTAVE comes before any TRACK"}, {"DIVISION 15", 1, "division 15"},
        {"DIVISION 128", 1, "division 128"}, {"DIVISION", 1, "division 0"},
        {"TRACK 0\n 25, 1, 1", 2, "pitch 25"}, {"TRACK 0\n 168.5, 1, 1", 2, "pitch 168.5"},
        {"TRACK 0\n 169.5, 1, 1", 2, "pitch 169.5"}, {"TRACK 0\n-1, 1, 1", 2, "pitch -1"},
        {"TRACK 0\n 1, 128, 1", 2, "velocity 128"}, {"TRACK 0\n 1, 127.5, 1", 2, "velocity 127.5"},
        {"TRACK 0\n 1, -1, 1", 2, "velocity -1"}, {"TRACK 0\n 1, 1, 8", 2, "duration code 8"},
        {"TRACK 0\n 1, 1, 7.5", 2, "duration code 7.5"}, {"TRACK 0\nINST 128", 2, "instrument 128"},
        {"TRACK 0\nINST -1", 2, "instrument -1"}, {"LYRICS\n 10002", 2, "10001 lyric"},
        {"LYRICS\n 10001.5", 2, "10001 lyric"}, {manyNotes(10002), 10003, "more than 10001 notes"},
        // clang-format on
    };
    for (const auto& [text, line, about] : cases) {
        Composition c = clearedForOpening();
        const auto error = readMsf(text, c);
        ASSERT_EQ(error.has_value(), line > 0) << text.substr(0, 40);
        if (!error) continue;
        EXPECT_EQ(error->line, line) << text.substr(0, 40);
        EXPECT_NE(error->message.find(about), std::string::npos) << error->message;
        EXPECT_EQ(error->text().rfind("line " + std::to_string(line) + ": ", 0), 0u);
    }
}

TEST(OpenMsf, RejectedFileLeavesTheCompositionAsOpenClearedIt) {
    Composition c;
    EditState e;
    test::fillTrack(c, 2, 30);
    c.Lyrics[3] = "old";
    c.TrackOctave = {1, 2, 3, 4};
    c.Division = 99;
    newComposition(c, e);
    ASSERT_TRUE(
        openMsf("ECHO\nBASSCLEF\nTRACK 1\nINST 5\nOCTAVE 2\n 1, 1, 3\nLYRICS\n 1\nla\n"
                "TRACK 9\n",
                "/songs/bad.msf", c, e));
    EXPECT_EQ(c.NoteCount, (std::array<int16_t, 4>{}));
    EXPECT_EQ(c.TrackInstrument, (std::array<int16_t, 4>{}));
    EXPECT_EQ(c.TrackOctave, (std::array<int16_t, 4>{1, 2, 3, 4}));
    EXPECT_EQ(c.Effects, (std::array<bool, kEffectCount>{}));
    EXPECT_EQ(std::tie(c.Division, c.BassClef, c.DocName), std::make_tuple(99, false, "Untitled"));
    EXPECT_EQ(std::tie(c.Lyrics[0], c.Lyrics[3]), std::make_tuple("", ""));
}

}  // namespace
}  // namespace qn
