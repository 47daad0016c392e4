#pragma once

// Synthetic signals and measurements shared by the effect tests. Signals are
// interleaved stereo float, as the effects process them.

#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <vector>

#include "sound/effects/effectparameters.h"

namespace qn::fx::test {

using Signal = std::vector<float>;

inline constexpr double kRates[] = {44100, 48000};

inline int frames(const Signal& s) {
    return static_cast<int>(s.size() / 2);
}
inline int samples(double ms, double rate) {
    return static_cast<int>(std::lround(ms * rate / 1000));
}
inline double db(double ratio) {
    return 20 * std::log10(ratio);
}

inline Signal sine(double hz, double amplitude, int frames, double rate) {
    Signal s(2 * frames);
    for (int i = 0; i < frames; ++i)
        s[2 * i] = s[2 * i + 1] =
            static_cast<float>(amplitude * std::sin(2 * std::numbers::pi * hz * i / rate));
    return s;
}

// Independent uniform noise in both channels unless `mono`.
inline Signal noise(int frames, float amplitude = 1, bool mono = false, unsigned seed = 7) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> value(-amplitude, amplitude);
    Signal s(2 * frames);
    for (int i = 0; i < frames; ++i) {
        s[2 * i] = value(random);
        s[2 * i + 1] = mono ? s[2 * i] : value(random);
    }
    return s;
}

inline Signal impulse(int frames, bool left = true, bool right = true) {
    Signal s(2 * frames);
    s[0] = left ? 1.0f : 0.0f;
    s[1] = right ? 1.0f : 0.0f;
    return s;
}

template <typename Fx>
Signal run(Fx& fx, Signal s) {
    fx.process(s.data(), frames(s));
    return s;
}

// Amplitude of the `hz` component of one channel over `count` frames from
// `begin`; exact when the span holds whole periods.
inline double amplitude(const Signal& s, int channel, double hz, double rate, int begin,
                        int count) {
    std::complex<double> sum;
    for (int i = begin; i < begin + count; ++i)
        sum += double{s[2 * i + channel]} * std::polar(1.0, -2 * std::numbers::pi * hz * i / rate);
    return 2 * std::abs(sum) / count;
}

// Level in dB of `x` from `begin` to the end.
inline double rmsDb(const std::vector<double>& x, size_t begin = 0) {
    double sum = 0;
    for (size_t i = begin; i < x.size(); ++i)
        sum += x[i] * x[i];
    return 10 * std::log10(sum / (x.size() - begin));
}

// `s` with only `kind` switched on.
inline EffectSettings only(Effect kind, EffectSettings s = {}) {
    s.enabled.fill(false);
    s.enabled[static_cast<int>(kind)] = true;
    return s;
}

inline std::vector<double> channel(const Signal& s, int c) {
    std::vector<double> out(s.size() / 2);
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = s[2 * i + c];
    return out;
}

}  // namespace qn::fx::test
