#include "wavwriter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace qn {

namespace {

void put16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void put32(uint8_t* p, uint32_t v) {
    put16(p, v);
    put16(p + 2, v >> 16);
}

}  // namespace

std::array<uint8_t, kWavHeaderBytes> wavHeader(int sampleRate, int channels, int bitsPerSample,
                                               uint32_t dataBytes) {
    std::array<uint8_t, kWavHeaderBytes> h{};
    const auto rate = static_cast<uint32_t>(sampleRate);
    const auto blockAlign = static_cast<uint32_t>(channels * bitsPerSample / 8);
    std::memcpy(h.data(), "RIFF", 4);
    put32(&h[4], 36 + dataBytes);
    std::memcpy(&h[8], "WAVEfmt ", 8);
    put32(&h[16], 16);  // fmt chunk size
    put16(&h[20], 1);   // PCM
    put16(&h[22], static_cast<uint32_t>(channels));
    put32(&h[24], rate);
    put32(&h[28], rate * blockAlign);  // bytes per second
    put16(&h[32], blockAlign);
    put16(&h[34], static_cast<uint32_t>(bitsPerSample));
    std::memcpy(&h[36], "data", 4);
    put32(&h[40], dataBytes);
    return h;
}

WavWriter::WavWriter(int sampleRate, int channels)
    : m_sampleRate(sampleRate), m_channels(channels), m_bytes(kWavHeaderBytes, 0) {}

void WavWriter::reserve(size_t total) {
    const size_t frameBytes = 2 * static_cast<size_t>(m_channels);
    const auto most = static_cast<size_t>(kMaxWavDataBytes / frameBytes);
    m_bytes.reserve(kWavHeaderBytes + std::min(total, most) * frameBytes);
}

void WavWriter::append(const float* interleaved, size_t frames) {
    const size_t samples = std::min(frames, framesLeft()) * static_cast<size_t>(m_channels);
    const size_t at = m_bytes.size();
    m_bytes.resize(at + 2 * samples);
    uint8_t* out = m_bytes.data() + at;
    for (size_t i = 0; i < samples; ++i) {
        const float clipped = std::clamp(interleaved[i], -1.0f, 1.0f);
        const auto value = static_cast<int16_t>(std::lrint(clipped * 32767.0f));
        put16(out + 2 * i, static_cast<uint16_t>(value));
    }
}

size_t WavWriter::frames() const {
    return static_cast<size_t>((m_taken + pendingBytes()) /
                               (2 * static_cast<uint64_t>(m_channels)));
}

size_t WavWriter::framesLeft() const {
    const size_t frameBytes = 2 * static_cast<size_t>(m_channels);
    return static_cast<size_t>(kMaxWavDataBytes / frameBytes) - frames();
}

std::vector<uint8_t> WavWriter::takeData() {
    std::vector<uint8_t> data(m_bytes.begin() + kWavHeaderBytes, m_bytes.end());
    m_bytes.resize(kWavHeaderBytes);
    m_taken += data.size();
    return data;
}

std::array<uint8_t, kWavHeaderBytes> WavWriter::header() const {
    return wavHeader(m_sampleRate, m_channels, 16, static_cast<uint32_t>(m_taken + pendingBytes()));
}

std::vector<uint8_t> WavWriter::finish() {
    const auto dataBytes = static_cast<uint32_t>(m_bytes.size() - kWavHeaderBytes);
    const auto header = wavHeader(m_sampleRate, m_channels, 16, dataBytes);
    std::copy(header.begin(), header.end(), m_bytes.begin());
    std::vector<uint8_t> file = std::move(m_bytes);
    m_bytes.assign(kWavHeaderBytes, 0);
    return file;
}

}  // namespace qn
