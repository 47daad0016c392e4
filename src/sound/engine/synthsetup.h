#pragma once

// The synthesiser configuration that playback and offline rendering share, so
// a rendered file sounds as the composition sounds when played: the same
// settings, sound font, base gain and player set-up.

#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "fluidhandles.h"

namespace qn {

inline constexpr int kDefaultSampleRate = 44100;  // Hz
// Synth gain at master volume 0. FluidSynth's default of 0.2 leaves room for
// dozens of voices; four single-voice tracks need less: at 0.5 the loudest
// four-track compositions peak near -5 dB full scale with either system font.
inline constexpr float kBaseGain = 0.5f;
// Master volume range in hundredths of a decibel.
inline constexpr int kMinVolume = -10000;
inline constexpr int kMaxVolume = 2000;

// Settings and synth, declared in the order they must be deleted in reverse.
struct SynthCore {
    FluidSettings settings;
    FluidSynth synth;
};

// Whether `soundFont` names an existing SoundFont file; if not, `error` says
// so in a sentence for the user.
bool checkSoundFont(const QString& soundFont, QString* error);

// A synthesiser at `sampleRate` (Hz) with the sound font at `soundFont`
// loaded, or nothing with `error` set to a sentence for the user. Routes
// FluidSynth's log into the sound category first.
std::optional<SynthCore> createSynth(double sampleRate, const QString& soundFont, QString* error);

// The synth gain for a master volume in hundredths of a decibel (clamped to
// kMinVolume..kMaxVolume): kBaseGain at 0, a tenth of it at -2000.
float gainForVolume(int hundredthsOfDb);

// Whether `bytes` hold a Standard MIDI File's header chunk and as many track
// chunks as it announces, all inside the bytes. The events are left to the player.
bool isStandardMidiFile(const uint8_t* bytes, size_t size);
inline bool isStandardMidiFile(const std::vector<uint8_t>& bytes) {
    return isStandardMidiFile(bytes.data(), bytes.size());
}

// The tick of the last event of the longest track (its end-of-track event):
// where the player has played the file to its end. Nothing when the tracks
// cannot be walked (a chunk or event reaching past its end).
std::optional<uint32_t> midiEndTick(const std::vector<uint8_t>& midiFile);

// A player on `synth` holding a copy of `midiFile`, to be played `passes`
// times (-1: endlessly). FluidSynth forbids creating or deleting a player
// while its synth renders: the caller makes sure it does not.
FluidPlayer createPlayer(fluid_synth_t* synth, const std::vector<uint8_t>& midiFile, int passes);

}  // namespace qn
