#pragma once

// RIFF WAVE files of 16-bit PCM, assembled in memory block by block, so a
// render never holds more than the file it produces.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qn {

inline constexpr size_t kWavHeaderBytes = 44;
// The most data a RIFF file can describe (its sizes are 32-bit).
inline constexpr uint64_t kMaxWavDataBytes = 0xFFFFFFFFull - (kWavHeaderBytes - 8);

// The canonical 44-byte header: "RIFF", size, "WAVE", a 16-byte "fmt " chunk
// for PCM (format 1), then the "data" chunk's header, little-endian.
std::array<uint8_t, kWavHeaderBytes> wavHeader(int sampleRate, int channels, int bitsPerSample,
                                               uint32_t dataBytes);

class WavWriter {
  public:
    explicit WavWriter(int sampleRate, int channels = 2);

    // Makes room for `total` frames, so that appending does not copy the data again.
    void reserve(size_t total);
    // Appends interleaved samples in -1..1, clipped outside, rounded to 16 bits.
    void append(const float* interleaved, size_t frames);
    size_t frames() const;
    // The frames that still fit into one file.
    size_t framesLeft() const;

    // The whole file; the writer is empty afterwards.
    std::vector<uint8_t> finish();

    // Streaming to a file instead: the data appended since the last take, and
    // at the end the header for all the data taken, to write at the start.
    std::vector<uint8_t> takeData();
    size_t pendingBytes() const { return m_bytes.size() - kWavHeaderBytes; }
    std::array<uint8_t, kWavHeaderBytes> header() const;

  private:
    int m_sampleRate;
    int m_channels;
    std::vector<uint8_t> m_bytes;  // header space, then the data
    uint64_t m_taken = 0;          // data bytes handed out by takeData()
};

}  // namespace qn
