#include "sound/engine/wavwriter.h"

#include <gtest/gtest.h>

#include <vector>

namespace qn {
namespace {

TEST(WavWriter, WritesTheCanonicalHeaderAndSixteenBitSamplesClippedAndRounded) {
    WavWriter wav(44100);
    const float samples[] = {0.0f, 1.0f, -1.0f, 0.5f, 2.0f, -3.0f, 1e-6f, -0.25f};
    wav.append(samples, 2);
    wav.append(samples + 4, 2);
    EXPECT_EQ(wav.frames(), 4u);
    const std::vector<uint8_t> expected = {
        'R',  'I',  'F',  'F',  0x34, 0x00, 0x00, 0x00,  // 36 + 16
        'W',  'A',  'V',  'E',  'f',  'm',  't',  ' ',
        0x10, 0x00, 0x00, 0x00,                          // fmt chunk: 16 bytes
        0x01, 0x00, 0x02, 0x00,                          // PCM, 2 channels
        0x44, 0xAC, 0x00, 0x00,                          // 44100 Hz
        0x10, 0xB1, 0x02, 0x00,                          // 176400 bytes per second
        0x04, 0x00, 0x10, 0x00,                          // 4 bytes per frame, 16 bits
        'd',  'a',  't',  'a',  0x10, 0x00, 0x00, 0x00,  // 16 bytes of data
        0x00, 0x00, 0xFF, 0x7F,                          // 0, 32767
        0x01, 0x80, 0x00, 0x40,                          // -32767, 16384 (16383.5 rounds to even)
        0xFF, 0x7F, 0x01, 0x80,                          // clipped to 32767 and -32767
        0x00, 0x00, 0x00, 0xE0,                          // 0, -8192
    };
    EXPECT_EQ(wav.finish(), expected);
    EXPECT_EQ(wav.frames(), 0u);  // finished: empty again
}

}  // namespace
}  // namespace qn
