#pragma once

// Helpers shared by the model tests: byte strings written as hex, the chunks of
// a MIDI file, and the model's invariants.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "compositions.h"
#include "model/composition.h"
#include "scriptedquestions.h"

namespace qn::test {

// "4D 54 68 64" -> the four bytes; blanks are ignored.
inline std::vector<uint8_t> hexBytes(std::string_view hex) {
    std::vector<uint8_t> out;
    std::string digits;
    for (const char ch : hex)
        if (ch != ' ') digits += ch;
    for (size_t i = 0; i + 1 < digits.size(); i += 2)
        out.push_back(static_cast<uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return out;
}

inline std::vector<uint8_t> textBytes(std::string_view s) {
    return {s.begin(), s.end()};
}

inline std::vector<uint8_t> operator+(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Chunks of a Standard MIDI File; fails the test when the lengths do not add up.
struct Chunk {
    std::string id;
    std::vector<uint8_t> data;
};
inline std::vector<Chunk> chunksOf(const std::vector<uint8_t>& file) {
    std::vector<Chunk> chunks;
    size_t at = 0;
    while (at + 8 <= file.size()) {
        const size_t length = (size_t{file[at + 4]} << 24) | (size_t{file[at + 5]} << 16) |
                              (size_t{file[at + 6]} << 8) | file[at + 7];
        if (at + 8 + length > file.size()) break;
        chunks.push_back({std::string(file.begin() + at, file.begin() + at + 4),
                          {file.begin() + at + 8, file.begin() + at + 8 + length}});
        at += 8 + length;
    }
    EXPECT_EQ(at, file.size()) << "chunk lengths do not cover the file";
    return chunks;
}

// Counts within the slots, SongLength the longest track, and every existing
// note of tracks from index `from` on made of storable codes.
inline void expectModelInvariants(Composition& c, int from = 0, int to = kNoteSlots) {
    int longest = 0;
    for (int t = 0; t < kTrackCount; ++t) {
        ASSERT_GE(c.NoteCount[t], 0);
        ASSERT_LE(c.NoteCount[t], kNoteSlots);
        longest = std::max<int>(longest, c.NoteCount[t]);
        for (int i = std::max(from, 0); i < std::min<int>(to, c.NoteCount[t]); ++i) {
            const Note n = c.note(t, i);
            ASSERT_TRUE(isStorablePitch(n.pitch)) << "track " << t << " note " << i;
            ASSERT_LE(n.velocity, kMaxVelocity) << "track " << t << " note " << i;
            ASSERT_LE(n.length, kMaxLengthCode) << "track " << t << " note " << i;
        }
    }
    c.ComputeSongLength();
    ASSERT_EQ(c.SongLength, longest);
}

}  // namespace qn::test
