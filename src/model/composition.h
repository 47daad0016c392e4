#pragma once

// The open composition: four tracks of single-voice notes, the lyrics shared by
// all tracks, and the composition-wide values that travel in a .msf file.
// Plain data with public members: every command and view reads it directly.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "effect.h"

namespace qn {

inline constexpr int kTrackCount = 4;
inline constexpr int kMaxNoteIndex = 10000;  // highest note or lyric slot
inline constexpr int kNoteSlots = kMaxNoteIndex + 1;
inline constexpr int kVisibleColumns = 20;
inline constexpr int kClipNotes = 20;

inline constexpr int kRestPitch = 169;
inline constexpr int kHighestPitch = 24;  // codes 0..24: B below the octave up two octaves
inline constexpr int kBlankPitch = 5;     // pitch of the blank notes Insertion makes
inline constexpr int kRestLength = 7;     // duration code of the palette's rest entry
inline constexpr int kMaxLengthCode = 7;
inline constexpr int kMaxVelocity = 127;
inline constexpr int kMinDivision = 16;
inline constexpr int kMaxDivision = 127;

// One note: the triple that the three per-note tables hold at one index.
struct Note {
    int16_t pitch = 0;
    uint8_t velocity = 0;
    uint8_t length = 0;
    bool operator==(const Note&) const = default;
};

inline bool isRest(int pitch) {
    return pitch == kRestPitch;
}
inline bool isStorablePitch(int pitch) {
    return (pitch >= 0 && pitch <= kHighestPitch) || isRest(pitch);
}

struct Composition {
    template <typename T>
    using NoteTable = std::array<std::vector<T>, kTrackCount>;  // [track][0..10000]

    Composition();

    // Per-note tables. Slots at and beyond NoteCount(t) are stale: never shown,
    // played or saved, but still readable (copy reads them, as it always has).
    NoteTable<int16_t> NotePitch;
    NoteTable<uint8_t> NoteVelocity;
    NoteTable<uint8_t> NoteLength;
    std::vector<std::string> Lyrics;  // [0..10000], UTF-8

    // Per-track values.
    std::array<int16_t, kTrackCount> NoteCount{};
    std::array<int16_t, kTrackCount> TrackInstrument{0, 25, 18, 118};  // General MIDI programs
    std::array<int16_t, kTrackCount> TrackOctave{4, 4, 4, 4};          // one digit, 0..9

    // Composition-wide values.
    int SongLength = 0;                 // largest NoteCount after ComputeSongLength
    int Division = 64;                  // MIDI ticks per quarter note: the composition's speed
    std::string DocName = "Untitled";   // file name without folder, shown in the title
    std::string CompName = "Untitled";  // the composition name of the options dialog
    std::string CompositionAuthor = "Ostervald";
    std::string CompositionCopyright = "(c)2010";
    EffectSwitches Effects{};  // check marks of the effect menu items
    bool BassClef = false;     // check mark of the bass clef item
    bool Modified = false;

    void ComputeSongLength();

    // Index-safe access to one note record; indices outside the tables read as
    // an untouched slot and writes there are ignored.
    Note note(int track, int index) const;
    void setNote(int track, int index, Note n);
    bool effect(Effect e) const { return Effects[effectIndex(e)]; }
};

inline bool isNoteSlot(int index) {
    return index >= 0 && index <= kMaxNoteIndex;
}
inline bool isTrack(int track) {
    return track >= 0 && track < kTrackCount;
}

}  // namespace qn
