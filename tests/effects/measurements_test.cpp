// What each effect does to sound, measured through the chain at 44.1 and
// 48 kHz: one row per effect, parameter set and measured property.

#include <gtest/gtest.h>

#include <functional>

#include "effectstestsupport.h"
#include "sound/effects/biquad.h"
#include "sound/effects/distortion.h"
#include "sound/effects/effectchain.h"
#include "sound/effects/parameq.h"

namespace qn::fx {
namespace {

using namespace test;

using Process = std::function<Signal(Signal)>;
using Measure = std::function<double(const Process&, double rate)>;

// Steady-state gain in dB for a sine of `hz` and `level`, on the left channel
// (or the right, at `rightLevel` beside a full left) after half a second.
Measure gainAt(double hz, double level = 0.5, double rightLevel = 0) {
    return [=](const Process& fx, double rate) {
        const int second = static_cast<int>(rate);
        Signal in = sine(hz, level, second * 3 / 2, rate);
        for (size_t i = 1; rightLevel > 0 && i < in.size(); i += 2)
            in[i] *= rightLevel / level;
        const int c = rightLevel > 0 ? 1 : 0;
        return db(amplitude(fx(in), c, hz, rate, second / 2, second) / (c ? rightLevel : level));
    };
}

// Level of the `n`th harmonic of a full-scale 500 Hz sine, against the fundamental.
Measure harmonicDb(int n) {
    return [=](const Process& fx, double rate) {
        const int second = static_cast<int>(rate);
        const Signal out = fx(sine(500, 1.0, 2 * second, rate));
        return db(amplitude(out, 0, 500.0 * n, rate, second, second) /
                  amplitude(out, 0, 500, rate, second, second));
    };
}

// Level change of a second of mono noise after `settleSeconds`.
Measure noiseGainDb(double settleSeconds) {
    return [=](const Process& fx, double rate) {
        const int settled = static_cast<int>(rate * settleSeconds);
        const Signal in = noise(settled + static_cast<int>(rate), 0.5f, true);
        return rmsDb(channel(fx(in), 0), settled) - rmsDb(channel(in, 0), settled);
    };
}

// Milliseconds until the first non-zero output of an impulse of `level` (left only).
Measure latencyMs(float level) {
    return [=](const Process& fx, double rate) {
        Signal in = impulse(static_cast<int>(rate / 10), true, false);
        in[0] = level;
        const Signal out = fx(in);
        size_t i = 0;
        while (i < out.size() && out[i] == 0)
            i += 2;
        return i / 2 * 1000 / rate;
    };
}

// 1 when the output of a left impulse differs from the expected echoes
// ({channel, ms, value}) anywhere in 400 ms, else 0.
using Echo = std::tuple<int, double, float>;
Measure echoesDifferFrom(std::vector<Echo> echoes) {
    return [=](const Process& fx, double rate) {
        Signal expected(2 * (samples(400, rate) + 1));
        for (const auto& [channel, ms, value] : echoes)
            expected[2 * samples(ms, rate) + channel] = value;
        return double(fx(impulse(frames(expected), true, false)) != expected);
    };
}

// Loudest sample of frames `from` to `to`.
float peak(const Signal& s, int from, int to) {
    float loudest = 0;
    for (int i = 2 * from; i < 2 * to; ++i)
        loudest = std::max(loudest, std::fabs(s[i]));
    return loudest;
}

// Loudest output in the 10th second after an impulse.
Measure peakInTenthSecond() {
    return [](const Process& fx, double rate) {
        const int second = static_cast<int>(rate);
        return double(peak(fx(impulse(10 * second)), 9 * second, 10 * second));
    };
}

// Compressor: a DC step from -40 to 0 dBFS at 0.5 s and back at 2 s; ms until
// the gain reduction reaches 63 % of its full 40/3 dB (attack) or falls to
// 37 % of it (release).
Measure stepResponseMs(bool release) {
    return [=](const Process& fx, double rate) {
        const int up = samples(500, rate), down = samples(2000, rate);
        Signal in(2 * samples(3500, rate), 0.01f);
        std::fill(in.begin() + 2 * up, in.begin() + 2 * down, 1.0f);
        const Signal out = fx(in);
        const auto reduction = [&](int i) { return -db(out[2 * i] / in[2 * i]) / (40.0 / 3); };
        int i = release ? down : up;
        while (release ? reduction(i) > 0.368 : reduction(i) < 0.632)
            ++i;
        return (i - (release ? down : up)) * 1000 / rate;
    };
}

// Compressor: how much louder than the settled level the first millisecond of
// a full-scale tone after half a second of silence comes out.
Measure onsetOvershootDb(float predelayMs) {
    return [=](const Process& fx, double rate) {
        Signal tone = sine(1000, 1.0, samples(1000, rate), rate);
        std::fill(tone.begin(), tone.begin() + 2 * samples(500, rate), 0.0f);
        const Signal out = fx(tone);
        const int onset = samples(500 + predelayMs, rate);
        return db(peak(out, onset, onset + samples(1, rate)) /
                  peak(out, onset + samples(300, rate), onset + samples(400, rate)));
    };
}

// Chorus: clicks every 30 ms into both channels. Each echo's centroid gives
// the delay at that moment, which must trace 10 ms x (1 + LFO) with the right
// channel (phase - 2) quarter cycles ahead; the worst miss in ms.
Measure delayTrackingErrorMs(int waveform, int phase) {
    return [=](const Process& fx, double rate) {
        constexpr int kClicks = 80;
        const int spacing = samples(30, rate);
        Signal in(2 * kClicks * spacing);
        for (int k = 0; k < kClicks; ++k)
            in[2 * k * spacing] = in[2 * k * spacing + 1] = 1;
        const Signal out = fx(in);
        double worst = 0;
        for (int c = 0; c < 2; ++c) {
            for (int k = 0; k < kClicks; ++k) {
                double weight = 0, moment = 0;
                for (int i = k * spacing; i < (k + 1) * spacing; ++i) {
                    weight += std::fabs(out[2 * i + c]);
                    moment += i * std::fabs(out[2 * i + c]);
                }
                const double arrival = moment / weight;
                const double lfo =
                    2 * std::numbers::pi * (arrival / rate + (c == 1 ? (phase - 2) / 4.0 : 0));
                const double shape = waveform == kWaveSine
                                         ? std::sin(lfo)
                                         : 2 / std::numbers::pi * std::asin(std::sin(lfo));
                const double delayMs = (arrival - k * spacing) * 1000 / rate;
                worst = std::max(worst, std::fabs(delayMs - 10 * (1 + shape)));
            }
        }
        return worst;
    };
}

// Gargle: largest distance of a DC input's output from the ideal modulator
// (square: on for the first half of each cycle; triangle: 0 at each cycle's
// start, 1 half way), over two seconds; samples on a square's edge are skipped.
Measure modulatorError(uint32_t shape, double hz) {
    return [=](const Process& fx, double rate) {
        const Signal out = fx(Signal(4 * static_cast<int>(rate), 1.0f));
        double worst = 0;
        for (int i = 0; i < frames(out); ++i) {
            const double cycle = i * hz / rate - std::floor(i * hz / rate);
            const bool edge = std::fabs(cycle - 0.5) < 1e-9 || cycle < 1e-9;
            const double ideal =
                shape == kGargleSquare ? (cycle < 0.5 ? 1.0 : 0.0) : 1 - std::fabs(1 - 2 * cycle);
            if (!(shape == kGargleSquare && edge))
                worst = std::max(
                    {worst, std::fabs(out[2 * i] - ideal), std::fabs(out[2 * i + 1] - ideal)});
        }
        return worst;
    };
}

// Reverb: seconds for the impulse response (optionally an octave band of it)
// to decay by 60 dB: Schroeder backward integration, a line fitted between
// -5 and -35 dB.
Measure decaySeconds(double seconds, double octaveHz = 0) {
    return [=](const Process& fx, double rate) {
        std::vector<double> h = channel(fx(impulse(static_cast<int>(seconds * rate))), 0);
        if (octaveHz > 0) {
            Biquad first, second;
            first.setCoefficients(BiquadCoefficients::bandPass(octaveHz, 1.41, rate));
            second.setCoefficients(BiquadCoefficients::bandPass(octaveHz, 1.41, rate));
            for (double& v : h)
                v = second.process(first.process(v));
        }
        std::vector<double> energy(h.size());
        double sum = 0;
        for (size_t i = h.size(); i-- > 0;)
            energy[i] = sum += h[i] * h[i];
        double n = 0, st = 0, sl = 0, stt = 0, stl = 0;
        for (size_t i = 0; i < h.size(); ++i) {
            const double level = 10 * std::log10(energy[i] / energy[0]);
            if (level > -5 || level < -35) continue;
            const double t = i / rate;
            n += 1, st += t, sl += level, stt += t * t, stl += t * level;
        }
        return -60 / ((n * stl - st * sl) / (n * stt - st * st));
    };
}

// Reverb: correlation of the left and right impulse responses.
Measure sideCorrelation() {
    return [](const Process& fx, double rate) {
        const Signal out = fx(impulse(static_cast<int>(rate)));
        double lr = 0, ll = 0, rr = 0;
        for (size_t i = 0; i < out.size(); i += 2)
            lr += out[i] * out[i + 1], ll += out[i] * out[i], rr += out[i + 1] * out[i + 1];
        return std::fabs(lr) / std::sqrt(ll * rr);
    };
}

// Only `effect` switched on, with `field` set to `parameters`.
using S = EffectSettings;
template <typename P>
S set(Effect effect, P S::*field, P parameters) {
    S s = only(effect);
    s.*field = parameters;
    return s;
}
const auto distortion = [](DistortionParameters p) {
    return set(Effect::Distortion, &S::distortion, p);
};
const auto echo = [](EchoParameters p) { return set(Effect::Echo, &S::echo, p); };
const auto compressor = [](CompressorParameters p) {
    return set(Effect::Compressor, &S::compressor, p);
};
const auto reverb = [](ReverbParameters p) { return set(Effect::Reverb, &S::reverb, p); };
const auto gargle = [](uint32_t hz, uint32_t shape) {
    return set(Effect::Gargle, &S::gargle, {hz, shape});
};
const auto eq = [](float gain) { return set(Effect::Para, &S::paramEq, {1000, 12, gain}); };
// Flanger at depth 0: its delay stays at 2 ms.
const auto comb = [](float mix, float feedback) {
    return set(Effect::Flanger, &S::flanger, {mix, 0, feedback, 0.25f, kWaveSine, 2, 2});
};
// Chorus swinging 10 ms +- 10 ms once a second.
const auto chorus = [](int waveform, int phase) {
    return set(Effect::Chorus, &S::chorus, {100, 100, 0, 1, waveform, 10, phase});
};

// What is measured, with one effect switched on, and the range the measured value must lie in.
using Row = std::tuple<const char*, EffectSettings, Measure, double, double>;

constexpr float kThird = -40.0f / 3;  // ratio 3 on 0 dBFS, threshold -20 dBFS

TEST(Effects, MeasuredPropertiesFollowTheirParameters) {
    const Row rows[] = {
        {"distortion gain", distortion({-6, 0, 1000, 8000, 8000}), gainAt(1000), -6.2, -5.8},
        {"distortion 7 kHz", distortion({-6, 0, 7000, 8000, 8000}), gainAt(7000, 0.1), -8.5, -7.2},
        {"distortion lowpass", distortion({-6, 0, 7000, 8000, 1000}), gainAt(7000, 0.1), -99, -33},
        {"edge 0, 3rd", distortion({0, 0, 1500, 1500, 8000}), harmonicDb(3), -400, -100},
        {"edge 50, 3rd", distortion({0, 50, 1500, 1500, 8000}), harmonicDb(3), -7.5, -6.4},
        {"edge 100, 3rd", distortion({0, 100, 1500, 1500, 8000}), harmonicDb(3), -1, 0},
        {"edge 100, 2nd", distortion({0, 100, 1500, 1500, 8000}), harmonicDb(2), -400, -60},

        {"echo half wet", echo({50, 0, 100, 100, 0}),
         echoesDifferFrom({{0, 0, 0.5f}, {0, 100, 0.5f}}), 0, 0},
        {"echo feedback", echo({100, 50, 100, 100, 0}),
         echoesDifferFrom({{0, 100, 1}, {0, 200, 0.5f}, {0, 300, 0.25f}, {0, 400, 0.125f}}), 0, 0},
        {"echo ping-pong", echo({100, 50, 100, 150, 1}),
         echoesDifferFrom({{0, 100, 1}, {1, 250, 0.5f}, {0, 350, 0.25f}}), 0, 0},
        {"echo without pan", echo({100, 50, 100, 150, 0}),
         echoesDifferFrom({{0, 100, 1}, {0, 200, 0.5f}, {0, 300, 0.25f}, {0, 400, 0.125f}}), 0, 0},
        {"echo full feedback pan", echo({100, 100, 100, 150, 1}), peakInTenthSecond(), 1, 1},

        // Half wet, notches at odd multiples of 250 Hz; feedback raises the
        // peaks or, negative, the notches.
        {"comb notch", comb(50, 0), gainAt(250), -400, -40},
        {"comb peak", comb(50, 0), gainAt(500), -0.1, 0.1},
        {"comb +feedback peak", comb(100, 50), gainAt(500), 5.8, 6.2},
        {"comb +feedback notch", comb(100, 50), gainAt(250), -3.7, -3.3},
        {"comb -feedback peak", comb(100, -50), gainAt(250), 5.8, 6.2},
        {"comb -feedback notch", comb(100, -50), gainAt(500), -3.7, -3.3},
        {"chorus tri", chorus(kWaveTriangle, 0), delayTrackingErrorMs(kWaveTriangle, 0), 0, 0.5},
        {"chorus sine quarter", chorus(kWaveSine, 3), delayTrackingErrorMs(kWaveSine, 3), 0, 0.5},

        {"compressor below threshold", compressor({}), gainAt(1000, 0.0316), -0.1, 0.1},
        {"compressor at 0 dBFS", compressor({}), gainAt(1000, 1), kThird - 0.3, kThird + 0.3},
        {"compressor makeup", compressor({.gain = 6}), gainAt(1000, 1), kThird + 5.7, kThird + 6.3},
        {"compressor linked", compressor({}), gainAt(1000, 1, 0.01), kThird - 0.3, kThird + 0.3},
        {"attack 1", compressor({.attack = 1, .predelay = 0}), stepResponseMs(false), 0.85, 1.15},
        {"attack 100", compressor({.attack = 100, .predelay = 0}), stepResponseMs(false), 85, 115},
        {"compressor release", compressor({.attack = 1, .release = 200, .predelay = 0}),
         stepResponseMs(true), 200, 201.5},
        {"compressor predelay", compressor({.predelay = 4}), latencyMs(0.01f), 3.98, 4.01},
        {"compressor lookahead", compressor({.attack = 1, .ratio = 4, .predelay = 4}),
         onsetOvershootDb(4), -1, 1},
        {"compressor no lookahead", compressor({.attack = 1, .ratio = 4, .predelay = 0}),
         onsetOvershootDb(0), 6, 40},

        {"gargle tri", gargle(20, kGargleTriangle), modulatorError(kGargleTriangle, 20), 0, 1e-5},
        {"gargle1k", gargle(1000, kGargleTriangle), modulatorError(kGargleTriangle, 1000), 0, 1e-5},
        {"gargle square", gargle(20, kGargleSquare), modulatorError(kGargleSquare, 20), 0, 0},
        {"gargle triangle power", gargle(20, kGargleTriangle), noiseGainDb(0), -4.87, -4.67},
        {"gargle square power", gargle(20, kGargleSquare), noiseGainDb(0), -3.11, -2.91},

        {"eq boost at centre", eq(12), gainAt(1000), 11.9, 12.1},
        {"eq half an octave below", eq(12), gainAt(707), 5.8, 6.2},
        {"eq far below", eq(12), gainAt(100), -0.2, 0.2},
        {"eq far above", eq(12), gainAt(10000), -0.2, 0.2},
        {"eq cut at centre", eq(-12), gainAt(1000), -12.1, -11.9},
        {"eq cut half an octave above", eq(-12), gainAt(1414), -6.2, -5.8},
        {"eq flat", eq(0), gainAt(3000), -0.001, 0.001},

        {"reverb 0.5 s", reverb({0, 0, 500, 0.999f}), decaySeconds(1.5), 0.45, 0.55},
        {"reverb 2 s", reverb({0, 0, 2000, 0.999f}), decaySeconds(4.5), 1.8, 2.2},
        {"reverb lows", reverb({0, 0, 1000, 0.1f}), decaySeconds(2.5, 500), 0.85, 1.05},
        {"reverb highs 0.1", reverb({0, 0, 1000, 0.1f}), decaySeconds(2.5, 8000), 0, 0.35},
        {"reverb highs 0.5", reverb({0, 0, 1000, 0.5f}), decaySeconds(2.5, 8000), 0.4, 0.75},
        {"reverb shortest comb", reverb({}), latencyMs(1), 25.295, 25.325},  // 1116 / 44.1 kHz
        {"reverb sides differ", reverb({}), sideCorrelation(), 0, 0.2},
        {"reverb level", reverb({0, 0, 3000, 0.999f}), noiseGainDb(1.6), -1, 1},
        {"reverb half wet level", reverb({0, -10, 100, 0.999f}), noiseGainDb(0.15), -1, 1},
        {"reverb input gain", reverb({-6, 0, 1000, 0.999f}), noiseGainDb(0.6), -7, -5},
        {"reverb dry", reverb({-6, -96, 1000, 0.5f}), noiseGainDb(0), -6.01, -5.99},
    };
    for (double rate : kRates) {
        for (const auto& [what, settings, measure, low, high] : rows) {
            const auto chain = EffectChain::create(settings, rate, nullptr);
            ASSERT_TRUE(chain) << what;
            const double value = measure([&](Signal s) { return run(*chain, s); }, rate);
            EXPECT_TRUE(value >= low && value <= high)
                << what << " at " << rate << " Hz: " << value;
        }
    }
}

// Frequencies above a third of the rate move down to it, so that the filters
// stay stable at low rates.
TEST(Effects, FrequenciesAboveAThirdOfTheRateMoveDown) {
    Distortion distortion(12000);
    EXPECT_EQ(distortion.setParameters({}), ParameterResult::Adjusted);
    EXPECT_EQ(distortion.parameters().postEQCenterFrequency, 2400);
    EXPECT_EQ(distortion.parameters().preLowpassCutoff, 4000);
    ParamEq paramEq(44100);
    EXPECT_EQ(paramEq.setParameters({16000, 12, 15}), ParameterResult::Adjusted);
    EXPECT_EQ(paramEq.parameters().center, 14700);
    EXPECT_EQ(ParamEq(48000).setParameters({16000, 12, 15}), ParameterResult::Accepted);
}

}  // namespace
}  // namespace qn::fx
