#include "sound/effects/wavesreverb.h"

#include <gtest/gtest.h>

#include "effectstestsupport.h"
#include "sound/effects/biquad.h"

namespace qn::fx {
namespace {

using namespace test;

// Seconds to decay by 60 dB: Schroeder backward integration of the impulse
// response, a straight line fitted between -5 and -35 dB.
double t60(const std::vector<double>& h, double rate) {
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
}

std::vector<double> impulseResponse(const ReverbParameters& p, double rate, double seconds,
                                    int c = 0) {
    WavesReverb fx(rate);
    EXPECT_EQ(fx.setParameters(p), ParameterResult::Accepted);
    return channel(run(fx, impulse(static_cast<int>(seconds * rate))), c);
}

// An octave band around `hz`: two cascaded RBJ band-passes.
std::vector<double> octaveBand(std::vector<double> h, double hz, double rate) {
    Biquad first, second;
    first.setCoefficients(BiquadCoefficients::bandPass(hz, 1.41, rate));
    second.setCoefficients(BiquadCoefficients::bandPass(hz, 1.41, rate));
    for (double& v : h)
        v = second.process(first.process(v));
    return h;
}

TEST(Reverb, DecayTimeFollowsTheReverbTimeAndTheHighFrequencyRatio) {
    for (double rate : kRates) {
        for (float ms : {500.0f, 1000.0f, 2000.0f}) {
            const auto h = impulseResponse({0, 0, ms, 0.999f}, rate, ms / 500.0 + 0.5);
            EXPECT_NEAR(t60(h, rate), ms / 1000.0, ms / 10000.0) << ms << " ms at " << rate;
        }
        for (float ratio : {0.1f, 0.5f, 0.999f}) {
            const auto h = impulseResponse({0, 0, 1000, ratio}, rate, 2.5);
            const double low = t60(octaveBand(h, 500, rate), rate);
            const double high = t60(octaveBand(h, 8000, rate), rate);
            EXPECT_TRUE(low >= 0.85 && low <= 1.05) << low << " at ratio " << ratio;
            if (ratio == 0.5f) {
                EXPECT_TRUE(high >= 0.4 && high <= 0.75) << high;
            } else if (ratio == 0.1f) {
                EXPECT_LT(high, 0.35);
            }
        }
    }
}

TEST(Reverb, WetPathStartsAfterTheShortestCombAndTheSidesDiffer) {
    for (double rate : kRates) {
        const auto left = impulseResponse({}, rate, 1.0, 0);
        const auto right = impulseResponse({}, rate, 1.0, 1);
        const int firstEcho = static_cast<int>(std::lround(1116 * rate / 44100));
        EXPECT_TRUE(
            std::all_of(left.begin(), left.begin() + firstEcho, [](double v) { return v == 0; }));
        EXPECT_NE(left[firstEcho], 0);
        double lr = 0, ll = 0, rr = 0;
        for (size_t i = 0; i < left.size(); ++i)
            lr += left[i] * right[i], ll += left[i] * left[i], rr += right[i] * right[i];
        EXPECT_LT(std::fabs(lr) / std::sqrt(ll * rr), 0.2) << rate;
    }
}

TEST(Reverb, MixKeepsTheLevelAndInputGainScalesIt) {
    for (double rate : kRates) {
        for (float mix : {0.0f, -10.0f, -96.0f}) {
            for (float ms : {100.0f, 1000.0f, 3000.0f}) {
                // Past half the reverb time the tail's power has built up to within 0.01 dB.
                const int settled = static_cast<int>(rate * (ms / 2000.0 + 0.1));
                const Signal in = noise(settled + static_cast<int>(rate), 0.5f, true);
                double levels[2];
                for (int g = 0; g < 2; ++g) {
                    WavesReverb fx(rate);
                    fx.setParameters({g == 0 ? 0.0f : -6.0f, mix, ms, 0.999f});
                    levels[g] = rmsDb(channel(run(fx, in), 0), settled);
                }
                EXPECT_NEAR(levels[0], rmsDb(channel(in, 0), settled), 1.0) << mix << " " << ms;
                EXPECT_NEAR(levels[1] - levels[0], -6.0, 0.01);
            }
        }
        WavesReverb dry(rate);
        dry.setParameters({-6, -96, 1000, 0.5f});
        const Signal in = noise(static_cast<int>(rate));
        const Signal out = run(dry, in);
        for (size_t i = 0; i < in.size(); ++i)
            ASSERT_NEAR(out[i], in[i] * std::pow(10, -6.0 / 20), 1e-4);
    }
}

}  // namespace
}  // namespace qn::fx
