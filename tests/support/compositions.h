#pragma once

// Compositions for tests: tracks whose notes follow their index (so moved notes
// show), and random compositions that use every storable value.

#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "model/composition.h"

namespace qn {
// Notes print as {pitch, velocity, length} in failure messages.
inline void PrintTo(const Note& n, std::ostream* os) {
    *os << '{' << n.pitch << ", " << int{n.velocity} << ", " << int{n.length} << '}';
}
}  // namespace qn

namespace qn::test {

inline void appendNote(Composition& c, int t, Note n) {
    c.setNote(t, c.NoteCount[t], n);
    ++c.NoteCount[t];
}
// The note that fillTrack puts at index i: every field follows the index.
inline Note indexNote(int i) {
    return Note{static_cast<int16_t>(i % 25), static_cast<uint8_t>(1 + i % 127),
                static_cast<uint8_t>(i % 6)};
}
inline void fillTrack(Composition& c, int t, int count) {
    c.NoteCount[t] = 0;
    for (int i = 0; i < count; ++i)
        appendNote(c, t, indexNote(i));
}
inline std::vector<Note> notesOf(const Composition& c, int t) {
    std::vector<Note> notes;
    for (int i = 0; i < c.NoteCount[t]; ++i)
        notes.push_back(c.note(t, i));
    return notes;
}

// Texts that look like file lines, or carry commas and characters beyond ASCII.
inline const std::vector<std::string> kTrickyTexts = {
    "",         " ",        "la, la",      "TRACK 3", "LYRICS",    "DIVISION 5",
    "BASSCLEF", " 1, 2, 3", "Grüße – “ü”", "ECHO ",   "  leading", "x"};

// Every value drawn from its whole storable range: rests, duration codes 0 to 7,
// velocity 0, octaves 0 to 9; a quarter of the tracks empty, the others holding
// 1 to maxNotes notes; tricky texts in the author, copyright and first 80 lyrics.
inline Composition randomComposition(std::mt19937& rng, int maxNotes = 60) {
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(rng); };
    const auto text = [&] { return kTrickyTexts[pick(0, int(kTrickyTexts.size()) - 1)]; };
    Composition c;
    c.Division = pick(kMinDivision, kMaxDivision);
    c.CompositionAuthor = text();
    c.CompositionCopyright = text();
    c.CompName = "random";
    for (auto&& effect : c.Effects)
        effect = pick(0, 1) == 1;
    c.BassClef = pick(0, 1) == 1;
    for (int t = 0; t < kTrackCount; ++t) {
        c.TrackInstrument[t] = static_cast<int16_t>(pick(0, 127));
        c.TrackOctave[t] = static_cast<int16_t>(pick(0, 9));
        const int count = pick(0, 3) == 0 ? 0 : pick(1, maxNotes);
        for (int i = 0; i < count; ++i) {
            const int pitch = pick(0, kHighestPitch + 1);
            appendNote(c, t,
                       {static_cast<int16_t>(pitch > kHighestPitch ? kRestPitch : pitch),
                        static_cast<uint8_t>(pick(0, kMaxVelocity)),
                        static_cast<uint8_t>(pick(0, kMaxLengthCode))});
        }
    }
    for (int i = 0; i < 80; ++i)
        c.Lyrics[i] = text();
    c.ComputeSongLength();
    return c;
}

}  // namespace qn::test
