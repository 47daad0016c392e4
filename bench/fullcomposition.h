#pragma once

// The largest composition the model holds: four full tracks of 10 001 notes
// and a lyric on every index. The benchmarks and make_full_msf share it, so
// the file the whole-process comparison exports is the one measured in-process.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "model/composition.h"

namespace qn::bench {

// Deterministic, so every run and every machine measures the same bytes.
class Lcg {
  public:
    explicit Lcg(uint32_t seed) : m_state(seed) {}
    uint32_t next() {
        m_state = m_state * 1664525u + 1013904223u;
        return m_state >> 8;  // the low bits of an LCG repeat too quickly
    }
    int below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }

  private:
    uint32_t m_state;
};

// About one note in eight is a rest; notes have pitches 0..24, lengths 0..5 and
// velocities 40..127. Lyrics are short words, some empty, a few not ASCII, so
// the reader's UTF-8 check sees multi-byte text.
inline std::unique_ptr<Composition> makeFullComposition() {
    static constexpr std::array<const char*, 12> kWords = {
        "la", "", "sing", "a-", "long", "", "Grüße", "the", "night,", "o", "été", "dream"};
    auto c = std::make_unique<Composition>();
    Lcg random(20100101u);
    for (int t = 0; t < kTrackCount; ++t) {
        for (int i = 0; i < kNoteSlots; ++i) {
            Note n;
            if (random.below(8) == 0) {
                n = Note{kRestPitch, 100, kRestLength};
            } else {
                n.pitch = static_cast<int16_t>(random.below(kHighestPitch + 1));
                n.velocity = static_cast<uint8_t>(40 + random.below(kMaxVelocity - 40 + 1));
                n.length = static_cast<uint8_t>(random.below(6));
            }
            c->setNote(t, i, n);
        }
        c->NoteCount[t] = kNoteSlots;
    }
    c->TrackInstrument = {0, 25, 18, 118};
    c->TrackOctave = {4, 3, 5, 2};
    for (int i = 0; i < kNoteSlots; ++i)
        c->Lyrics[i] = kWords[random.below(static_cast<int>(kWords.size()))];
    c->CompName = "full";
    c->ComputeSongLength();
    return c;
}

}  // namespace qn::bench
