#include "sound/engine/wavwriter.h"

#include <gtest/gtest.h>

#include <vector>

namespace qn {
namespace {

TEST(WavWriter, HeaderIsTheCanonicalPcmHeader) {
    const auto h = wavHeader(44100, 2, 16, 1000);
    const std::vector<uint8_t> expected = {
        'R',  'I',  'F',  'F',  0x0C, 0x04, 0x00, 0x00,  // 36 + 1000
        'W',  'A',  'V',  'E',  'f',  'm',  't',  ' ',
        0x10, 0x00, 0x00, 0x00,                          // fmt chunk: 16 bytes
        0x01, 0x00, 0x02, 0x00,                          // PCM, 2 channels
        0x44, 0xAC, 0x00, 0x00,                          // 44100 Hz
        0x10, 0xB1, 0x02, 0x00,                          // 176400 bytes per second
        0x04, 0x00, 0x10, 0x00,                          // 4 bytes per frame, 16 bits
        'd',  'a',  't',  'a',  0xE8, 0x03, 0x00, 0x00,  // 1000 bytes of data
    };
    EXPECT_EQ(std::vector<uint8_t>(h.begin(), h.end()), expected);
}

TEST(WavWriter, WritesSixteenBitLittleEndianSamplesClippedAndRounded) {
    WavWriter wav(48000);
    const float samples[] = {0.0f, 1.0f, -1.0f, 0.5f, 2.0f, -3.0f, 1e-6f, -0.25f};
    wav.append(samples, 2);
    wav.append(samples + 4, 2);
    EXPECT_EQ(wav.frames(), 4u);
    const std::vector<uint8_t> file = wav.finish();
    ASSERT_EQ(file.size(), kWavHeaderBytes + 16);
    const auto header = wavHeader(48000, 2, 16, 16);
    EXPECT_TRUE(std::equal(header.begin(), header.end(), file.begin()));
    const std::vector<uint8_t> data(file.begin() + kWavHeaderBytes, file.end());
    const std::vector<uint8_t> expected = {
        0x00, 0x00, 0xFF, 0x7F,  // 0, 32767
        0x01, 0x80, 0x00, 0x40,  // -32767, 16384 (16383.5 rounds to even)
        0xFF, 0x7F, 0x01, 0x80,  // clipped to 32767 and -32767
        0x00, 0x00, 0x00, 0xE0,  // 0, -8192
    };
    EXPECT_EQ(data, expected);
    EXPECT_EQ(wav.frames(), 0u);  // finished: empty again
}

TEST(WavWriter, AnEmptyFileIsAHeaderWithNoDataAndTheSizeIsCapped) {
    WavWriter wav(44100);
    EXPECT_EQ(wav.framesLeft(), static_cast<size_t>(kMaxWavDataBytes / 4));
    const auto file = wav.finish();
    const auto header = wavHeader(44100, 2, 16, 0);
    EXPECT_EQ(file, std::vector<uint8_t>(header.begin(), header.end()));
}

TEST(WavWriter, StreamedPiecesMakeTheSameFileAsOneBuffer) {
    const float samples[] = {0.5f, -0.5f, 0.25f, 1.5f, -1.0f, 0.0f};
    WavWriter whole(48000);
    whole.append(samples, 3);
    WavWriter streamed(48000);
    std::vector<uint8_t> file(kWavHeaderBytes);
    for (int frame = 0; frame < 3; ++frame) {
        streamed.append(samples + 2 * frame, 1);
        const auto data = streamed.takeData();
        file.insert(file.end(), data.begin(), data.end());
    }
    EXPECT_EQ(streamed.frames(), 3u);
    const auto header = streamed.header();
    std::copy(header.begin(), header.end(), file.begin());
    EXPECT_EQ(file, whole.finish());
}

}  // namespace
}  // namespace qn
