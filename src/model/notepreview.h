#pragma once

// The one-note Standard MIDI File heard when a piano key is pressed or an
// instrument is reviewed: 80 beats per minute, 240 ticks per quarter note.

#include <cstdint>
#include <string_view>
#include <vector>

namespace qn {

inline constexpr std::string_view kPreviewText = "Quillnote note preview, quillnote.org";

struct NotePreview {
    std::vector<uint8_t> bytes;
    int pitch = 0;  // the MIDI note number written; the rest code stays as it was
};

// instrument: General MIDI program; pitch, length: codes as stored in a track;
// octave: the active track's octave; velocity: the default velocity of entered notes.
// Values that cannot be carried are clamped so the file stays valid; a rest is
// written as the exporter writes rests (a barely audible step), though the
// piano never previews one.
NotePreview writenote(int instrument, int pitch, int length, int octave, int velocity);

}  // namespace qn
