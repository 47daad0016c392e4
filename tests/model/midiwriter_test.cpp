#include "model/midiwriter.h"

#include <gtest/gtest.h>

#include "model/notepreview.h"
#include "modeltestsupport.h"

namespace qn {
namespace {

using test::chunksOf;
using test::hexBytes;
using test::textBytes;
using test::operator+;

const auto kEmptyChunk = hexBytes("4D54726B 00000005 8104 FF2F00");

// The text track's events around its copyright text, which has tl bytes of length field.
std::vector<uint8_t> textTrackData(const std::string& text, const std::string& lengthHex) {
    return hexBytes("00C000 00FF7F05050F090008 00FF0307 547261636B2031 00FF200100 00FF02") +
           hexBytes(lengthHex) + textBytes(text) + hexBytes("01FF2F00");
}

TEST(WriteMidiFile, SmallCompositionMatchesTheLayoutByteForByte) {
    Composition c;
    c.Division = 96;
    c.CompositionCopyright = "Co";
    c.CompositionAuthor = "Au";
    c.CompName = "Ti";
    c.TrackInstrument = {5, 25, 118, 0};
    c.TrackOctave = {3, 4, 4, 4};
    test::appendNote(c, 0, {1, 80, 2});
    test::appendNote(c, 0, {kRestPitch, 50, kRestLength});
    test::appendNote(c, 2, {24, 127, 5});
    c.ComputeSongLength();
    const std::string text = std::string(kMidiCredit) + "Co Au. Title-Ti";
    ASSERT_EQ(text.size(), 0x38u);

    const auto expected =
        hexBytes("4D546864 00000006 0001 0006 0060") +
        hexBytes("4D54726B 00000013 00FF5103 07A120 00FF5804 04021808 00FF2F00") +
        hexBytes(
            "4D54726B 0000005C 00C000 00FF7F05050F090008 00FF0307 547261636B2031"
            "00FF200100 00FF0238") +
        textBytes(text) + hexBytes("01FF2F00") +
        hexBytes("4D54726B 00000017 18C005 00 90305010 80300018 90270128 80270000 FF2F00") +
        kEmptyChunk + hexBytes("4D54726B 0000000F 18C276 00 92537F28 82530000 FF2F00") +
        kEmptyChunk;
    EXPECT_EQ(WriteMidiFile(c, 0, 3, 0, c.SongLength), expected);
}

// One note track exported alone; octave 4 unless given, the default instruments.
struct ChunkCase {
    const char* name;
    int track;
    std::vector<Note> notes;
    int firstNote, lastNote;
    const char* expectedData;  // the note track's chunk data
    int instrument = -1, octave = 4;
};
const std::vector<Note> kSix = {{0, 1, 0}, {1, 2, 1}, {2, 3, 2}, {3, 4, 3}, {4, 5, 4}, {5, 6, 5}};

const ChunkCase kChunkCases[] = {
    // clang-format off
    {"OneNoteOfOctave4", 0, {{12, 100, 3}}, 0, 1, "18C007 00 90476418 80470010 FF2F00", 7},
    {"RestInTrack2", 2, {{kRestPitch, 90, 7}}, 0, 1, "18C212 00 92270128 82270000 FF2F00"},
    {"RestOfAShortDurationCodeIsAWholeStep", 0, {{kRestPitch, 90, 2}, {kRestPitch, 5, 0}}, 0, 1,
     "18C000 00 90270128 80270000 90270128 80270000 FF2F00"},
    {"LengthZeroSoundsNoTicks", 0, {{0, 64, 0}}, 0, 1, "18C005 00 903B4000 803B0028 FF2F00", 5},
    {"LengthFiveSoundsTheWholeStep", 0, {{0, 64, 5}}, 0, 1,
     "18C076 00 903B4028 803B0000 FF2F00", 118},
    {"Notes3To10OfSixNotesWritesThree", 1, kSix, 3, 10,
     "18C119 00 913E0418 813E0010 913F0520 813F0008 91400628 81400000 FF2F00"},
    {"FirstIndexPastTheTrackWritesEmptyChunk", 0, kSix, 8, 20, "8104FF2F00"},
    {"FirstIndexAtTheTrackEndWritesEmptyChunk", 0, kSix, 6, 20, "8104FF2F00"},
    {"LastIndexZeroWritesEmptyChunk", 0, kSix, 0, 0, "8104FF2F00"},
    {"NoteNumberAbove127IsClamped", 3, {{24, 100, 1}}, 0, 1,
     "18C376 00 937F6408 837F0020 FF2F00", -1, 9},
    {"DurationCode7OnANoteExportsAsFive", 0, {{0, 1, 7}}, 0, 1,
     "18C000 00 903B0128 803B0000 FF2F00"},
    // clang-format on
};

TEST(WriteMidiFile, NoteChunksMatchTheLayout) {
    for (const ChunkCase& k : kChunkCases) {
        SCOPED_TRACE(k.name);
        Composition c;
        if (k.instrument >= 0) c.TrackInstrument[k.track] = static_cast<int16_t>(k.instrument);
        c.TrackOctave[k.track] = static_cast<int16_t>(k.octave);
        for (const Note& n : k.notes)
            test::appendNote(c, k.track, n);
        const auto chunks = chunksOf(WriteMidiFile(c, k.track, k.track, k.firstNote, k.lastNote));
        ASSERT_EQ(chunks.size(), 4u);
        EXPECT_EQ(chunks[0].data, hexBytes("0001 0003 0040"));
        EXPECT_EQ(chunks[3].data, hexBytes(k.expectedData));
    }
}

TEST(WriteMidiFile, BackwardsRangeGivesNoBytes) {
    Composition c;
    test::fillTrack(c, 0, 10);
    EXPECT_TRUE(WriteMidiFile(c, 0, 3, 5, 4).empty());
}

TEST(WriteMidiFile, LongCopyrightTextLengthIsAVariableLengthQuantity) {
    const struct {
        size_t length;
        const char* lengthField;
    } cases[] = {{127, "7F"}, {128, "8100"}, {200, "8148"}, {300, "822C"}};
    for (const auto& k : cases) {
        Composition c;
        c.CompName = "";
        c.CompName.assign(k.length - midiCopyrightText(c).size(), 'x');
        const std::string text = midiCopyrightText(c);
        ASSERT_EQ(text.size(), k.length);
        const auto chunks = chunksOf(WriteMidiFile(c, 0, 3, 0, 0));
        ASSERT_EQ(chunks.size(), 7u) << k.length;
        EXPECT_EQ(chunks[2].data, textTrackData(text, k.lengthField)) << k.length;
    }
}

// Writenote: the one-note file that previews a note.
const auto kSecondTrackStart =
    hexBytes("00FF7F05050F090008 00FF0307 547261636B2031 00FF200100 00FF0225") +
    textBytes(kPreviewText);

TEST(Writenote, WholeFileMatchesTheLayout) {
    ASSERT_EQ(kPreviewText.size(), 37u);
    const NotePreview preview = writenote(0, 12, 3, 4, 100);
    const auto expected = hexBytes(
                              "4D546864 00000006 0001 0002 00F0"
                              "4D54726B 00000021 00FF7F07050F120303007F 00FF0307 547261636B2030"
                              "00FF51030B71B0 01FF2F00"
                              "4D54726B 00000052 00C000") +
                          kSecondTrackStart + hexBytes("00904764 813A 804700 01FF2F00");
    EXPECT_EQ(preview.bytes, expected);
    EXPECT_EQ(preview.pitch, 71);
}

struct PreviewCase {
    const char* name;
    int instrument, pitch, length, octave, velocity;
    const char* noteEvents;  // from the program change's byte to the end of the track
    int returnedPitch;
};

const PreviewCase kPreviewCases[] = {
    {"InstrumentReviewNote", 118, 3, 2, 4, 100, "76 ... 00903E64 8127 803E00", 62},
    {"LengthZeroKeepsTwoByteDelta", 5, 0, 0, 4, 100, "05 ... 00903B64 8101 803B00", 59},
    {"LengthSevenDeltaIsAValidQuantity", 0, 0, 7, 4, 100, "00 ... 00903B64 8206 803B00", 59},
    {"LowVelocityIsPadded", 0, 0, 3, 4, 5, "00 ... 00903B05 813A 803B00", 59},
    {"VelocityAbove127IsClamped", 0, 0, 3, 4, 200, "00 ... 00903B7F 813A 803B00", 59},
    {"NoteNumberAbove127IsClamped", 0, 24, 3, 9, 100, "00 ... 00907F64 813A 807F00", 127},
    {"InstrumentAbove127IsClamped", 300, 0, 3, 4, 100, "7F ... 00903B64 813A 803B00", 59},
    {"RestIsABarelyAudibleNote", 0, kRestPitch, 3, 4, 100, "00 ... 00902701 813A 802700",
     kRestPitch},
};

TEST(Writenote, WritesClampedValidEvents) {
    for (const PreviewCase& k : kPreviewCases) {
        SCOPED_TRACE(k.name);
        const NotePreview preview =
            writenote(k.instrument, k.pitch, k.length, k.octave, k.velocity);
        EXPECT_EQ(preview.pitch, k.returnedPitch);
        const auto chunks = chunksOf(preview.bytes);
        ASSERT_EQ(chunks.size(), 3u);
        const std::string events = k.noteEvents;
        const size_t gap = events.find("...");
        EXPECT_EQ(chunks[2].data, hexBytes("00C0") + hexBytes(events.substr(0, gap)) +
                                      kSecondTrackStart + hexBytes(events.substr(gap + 3)) +
                                      hexBytes("01FF2F00"));
    }
}

}  // namespace
}  // namespace qn
