#pragma once

// Assembles the bytes of a Standard MIDI File: big-endian fields, variable-length
// quantities and chunks whose length is filled in once their content is known.

#include <cstdint>
#include <string_view>
#include <vector>

namespace qn {

class ByteBuffer {
  public:
    void u8(unsigned value) { m_bytes.push_back(static_cast<uint8_t>(value)); }
    void u16(unsigned value) {
        u8(value >> 8);
        u8(value);
    }
    void u32(uint32_t value) {
        u16(value >> 16);
        u16(value);
    }
    void text(std::string_view s) { m_bytes.insert(m_bytes.end(), s.begin(), s.end()); }
    void bytes(std::initializer_list<uint8_t> list) {
        m_bytes.insert(m_bytes.end(), list.begin(), list.end());
    }

    // Variable-length quantity: 7 bits per byte, high bit set on all but the last.
    void vlq(uint32_t value) {
        uint8_t groups[5];
        int n = 0;
        do {
            groups[n++] = value & 0x7F;
            value >>= 7;
        } while (value != 0);
        while (n > 1)
            u8(groups[--n] | 0x80);
        u8(groups[0]);
    }

    // Starts a chunk ("MThd", "MTrk"); endChunk writes its length field.
    size_t beginChunk(std::string_view id) {
        text(id);
        const size_t lengthAt = m_bytes.size();
        u32(0);
        return lengthAt;
    }
    void endChunk(size_t lengthAt) {
        const auto length = static_cast<uint32_t>(m_bytes.size() - lengthAt - 4);
        for (int k = 0; k < 4; ++k)
            m_bytes[lengthAt + k] = static_cast<uint8_t>(length >> (24 - 8 * k));
    }

    void reserve(size_t n) { m_bytes.reserve(n); }
    std::vector<uint8_t> take() { return std::move(m_bytes); }

  private:
    std::vector<uint8_t> m_bytes;
};

}  // namespace qn
