#pragma once

// Standard MIDI File export of a range of the composition. Every note index is
// one step of 40 ticks; a note of duration code k sounds for 8 k ticks of it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "composition.h"

namespace qn {

// Note index i starts at tick kMidiFirstNoteTick + kMidiStepTicks * i of every note track.
inline constexpr int kMidiStepTicks = 40;
inline constexpr int kMidiFirstNoteTick = 24;  // the program change waits this long

// A rest is exported as this note, barely audible, for its whole 40-tick step.
inline constexpr int kRestNoteNumber = 0x27;
inline constexpr int kRestVelocity = 1;

// Opens the copyright text of every file the program writes.
inline constexpr std::string_view kMidiCredit = "Made with Quillnote, hello@quillnote.org ";

// The copyright notice: the credit, then the copyright, the author and the title.
std::string midiCopyrightText(const Composition& c);

// A format-1 file holding notes firstNote..lastNote (inclusive, and only those
// below each track's NoteCount) of tracks firstTrack..lastTrack. A backwards
// range gives no bytes at all.
std::vector<uint8_t> WriteMidiFile(const Composition& c, int firstTrack, int lastTrack,
                                   int firstNote, int lastNote);

// MIDI note number of a pitch code in an octave, clamped into 0..127.
int midiNoteNumber(int octave, int pitchCode);

}  // namespace qn
