#pragma once

// The synthesiser configuration that playback and offline rendering share, so
// a rendered file sounds as the composition sounds when played: the same
// settings, sound font and base gain.

#include <QString>
#include <optional>

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
    int fontId = -1;  // the sound font's id in the synth
};

// Whether the file `soundFont` exists; if not, `error` says so in a sentence
// for the user. No library is loaded for it.
bool soundFontExists(const QString& soundFont, QString* error);

// Whether `soundFont` names an existing SoundFont file; if not, `error` says
// so in a sentence for the user. Asking whether it is a SoundFont loads
// FluidSynth (soundlibraries.h) the first time; without it `error` says so.
bool checkSoundFont(const QString& soundFont, QString* error);

// A synthesiser at `sampleRate` (Hz) with the sound font at `soundFont`
// loaded, or nothing with `error` set to a sentence for the user (which may
// be that FluidSynth is missing). Routes FluidSynth's log into the sound
// category first. Samples load only when a preset is selected or pinned
// (dynamic sample loading), so the font's size costs no memory beyond the
// instruments in use. Any thread.
std::optional<SynthCore> createSynth(double sampleRate, const QString& soundFont, QString* error);

// The synth gain for a master volume in hundredths of a decibel (clamped to
// kMinVolume..kMaxVolume): kBaseGain at 0, a tenth of it at -2000.
float gainForVolume(int hundredthsOfDb);

}  // namespace qn
