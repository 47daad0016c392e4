#include "model/notepreview.h"

#include <gtest/gtest.h>

#include "modeltestsupport.h"

namespace qn {
namespace {

using test::chunksOf;
using test::hexBytes;
using test::textBytes;
using test::operator+;

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
