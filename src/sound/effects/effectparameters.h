#pragma once

// Parameter sets of the eight audio effects, with the units, ranges and
// defaults of the standard effect parameter structures that the dialog's
// values have always been written for.

#include <cstdint>
#include <optional>

#include "model/effect.h"

namespace qn::fx {

struct DistortionParameters {
    float gain = -18;                    // dB, -60..0, level after the shaper
    float edge = 15;                     // %, 0..100, intensity
    float postEQCenterFrequency = 2400;  // Hz, 100..8000
    float postEQBandwidth = 2400;        // Hz, 100..8000
    float preLowpassCutoff = 8000;       // Hz, 100..8000
    bool operator==(const DistortionParameters&) const = default;
};

struct EchoParameters {
    float wetDryMix = 50;    // % wet, 0..100
    float feedback = 50;     // %, 0..100
    float leftDelay = 500;   // ms, 1..2000
    float rightDelay = 500;  // ms, 1..2000
    int32_t panDelay = 0;    // 0 or 1: successive echoes swap sides
    bool operator==(const EchoParameters&) const = default;
};

// Chorus and flanger share one structure and one algorithm.
inline constexpr int32_t kWaveTriangle = 0;
inline constexpr int32_t kWaveSine = 1;
struct ModulationParameters {
    float wetDryMix = 50;          // %, 0..100
    float depth = 10;              // % by which the LFO swings the delay, 0..100
    float feedback = 25;           // %, -99..99
    float frequency = 1.1f;        // LFO Hz, 0..10
    int32_t waveform = kWaveSine;  // kWaveTriangle or kWaveSine
    float delay = 16;              // ms, chorus 0..20, flanger 0..4
    int32_t phase = 3;             // right LFO = left + (phase - 2) x 90 degrees, 0..4
    bool operator==(const ModulationParameters&) const = default;
};
inline constexpr ModulationParameters kChorusDefaults{50, 10, 25, 1.1f, kWaveSine, 16, 3};
inline constexpr ModulationParameters kFlangerDefaults{50, 100, -50, 0.25f, kWaveSine, 2, 2};
inline constexpr float kChorusMaxDelay = 20;
inline constexpr float kFlangerMaxDelay = 4;

struct CompressorParameters {
    float gain = 0;         // dB makeup, -60..60
    float attack = 10;      // ms, 0.01..500
    float release = 200;    // ms, 50..3000
    float threshold = -20;  // dBFS, -60..0
    float ratio = 3;        // n:1, 1..100
    float predelay = 4;     // ms lookahead, 0..4
    bool operator==(const CompressorParameters&) const = default;
};

inline constexpr uint32_t kGargleTriangle = 0;
inline constexpr uint32_t kGargleSquare = 1;
struct GargleParameters {
    uint32_t rateHz = 20;                  // 1..1000
    uint32_t waveShape = kGargleTriangle;  // kGargleTriangle or kGargleSquare
    bool operator==(const GargleParameters&) const = default;
};

struct ParamEqParameters {
    float center = 8000;   // Hz, 80..16000, moved down to fs/3 when above it
    float bandwidth = 12;  // semitones, 1..36
    float gain = 0;        // dB, -15..15
    bool operator==(const ParamEqParameters&) const = default;
};

struct ReverbParameters {
    float inGain = 0;                // dB, -96..0
    float reverbMix = 0;             // dB, -96..0 (0 is all wet)
    float reverbTime = 1000;         // ms, 0.001..3000
    float highFreqRTRatio = 0.001f;  // 0.001..0.999
    bool operator==(const ReverbParameters&) const = default;
};

// Everything the chain needs: which effects are on and each one's parameters.
struct EffectSettings {
    EffectSwitches enabled{};
    DistortionParameters distortion;
    EchoParameters echo;
    ModulationParameters chorus = kChorusDefaults;
    ModulationParameters flanger = kFlangerDefaults;
    CompressorParameters compressor;
    GargleParameters gargle;
    ParamEqParameters paramEq;
    ReverbParameters reverb;

    bool on(Effect effect) const { return enabled[effectIndex(effect)]; }
};

// Sample rates (Hz) the effects are prepared for; the delay lines are sized at
// preparation for the longest delay their parameters allow at that rate.
inline constexpr double kMinSampleRate = 8000;
inline constexpr double kMaxSampleRate = 192000;

// A field outside its legal range, with the limits, for the caller's message.
struct FieldRange {
    const char* field;
    double min;
    double max;
};

// The first field outside its range (NaN included), or nothing when the whole
// set is legal. Distortion and ParamEq frequencies above a third of the sample
// rate are legal here: the effects move them down to it.
std::optional<FieldRange> findOutOfRange(const DistortionParameters& p);
std::optional<FieldRange> findOutOfRange(const EchoParameters& p);
std::optional<FieldRange> findOutOfRange(const ModulationParameters& p, float maxDelayMs);
std::optional<FieldRange> findOutOfRange(const CompressorParameters& p);
std::optional<FieldRange> findOutOfRange(const GargleParameters& p);
std::optional<FieldRange> findOutOfRange(const ParamEqParameters& p);
std::optional<FieldRange> findOutOfRange(const ReverbParameters& p);

}  // namespace qn::fx
