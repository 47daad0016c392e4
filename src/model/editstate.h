#pragma once

// Editing state beside the composition: active track, scroll position,
// selection, clipboard and the values given to newly entered notes.

#include <array>
#include <cstdint>

#include "composition.h"

namespace qn {

struct EditState {
    int ActiveTrack = 0;  // 0..3
    int ScrollPos = 0;    // note index shown in staff column 0, never below 0

    // Selection: tracks SelTrackFrom..SelTrackTo and columns SelStart..SelEnd
    // (inclusive, relative to ScrollPos); -1 columns when none.
    bool SelActive = false;
    int SelTrackFrom = 0;
    int SelTrackTo = 0;
    int SelStart = -1;
    int SelEnd = -1;

    // Clipboard: one rectangular block of ClipTracks tracks by ClipLen notes.
    template <typename T>
    using ClipTable = std::array<std::array<T, kClipNotes>, kTrackCount>;
    ClipTable<int16_t> ClipPitch{};
    ClipTable<uint8_t> ClipVelocity{};
    ClipTable<uint8_t> ClipLength{};
    int ClipTracks = 0;
    int ClipLen = 0;

    int DefaultLength = 3;      // duration code of notes entered from the piano
    int DefaultVelocity = 100;  // velocity of entered notes, 1..127

    // The state half of clearing the selection display: no selection, columns -1.
    void clearSelection();
    // The state half of showing the selection: marks it active.
    void showSelection() { SelActive = true; }

    // Note index of a selected column.
    int indexOfColumn(int column) const { return ScrollPos + column; }

    Note clip(int track, int i) const;
    void setClip(int track, int i, Note n);
};

}  // namespace qn
