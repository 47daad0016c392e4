#include "sound/effects/compressor.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "effectstestsupport.h"

namespace qn::fx {
namespace {

using namespace test;

double peakDb(const Signal& s, int beginFrame, int endFrame) {
    float peak = 0;
    for (int i = 2 * beginFrame; i < 2 * endFrame; ++i)
        peak = std::max(peak, std::fabs(s[i]));
    return db(peak);
}

TEST(Compressor, StaticCurveAboveThresholdRatioAndMakeup) {
    const struct {
        double inDb;
        float ratio, gain;
        double outDb, tolerance;
    } cases[] = {
        {-30, 3, 0, -30, 0.1}, {-10, 3, 0, -16.67, 0.3}, {0, 3, 0, -13.33, 0.3},
        {-10, 1, 0, -10, 0.1}, {0, 3, 6, -7.33, 0.3},
    };
    for (double rate : kRates) {
        for (const auto& c : cases) {
            Compressor fx(rate);
            fx.setParameters({.gain = c.gain, .ratio = c.ratio});
            const int second = static_cast<int>(rate);
            const Signal out = run(fx, sine(1000, std::pow(10, c.inDb / 20), 2 * second, rate));
            EXPECT_NEAR(peakDb(out, 3 * second / 2, 2 * second), c.outDb, c.tolerance)
                << c.inDb << " dB in, ratio " << c.ratio << ", " << rate;
        }
        // Linked detection: a quiet right channel is turned down with the loud left.
        Compressor linked(rate);
        Signal in = sine(1000, 1.0, static_cast<int>(rate), rate);
        for (size_t i = 1; i < in.size(); i += 2)
            in[i] *= 0.01f;
        const Signal out = run(linked, in);
        double rightPeak = 0;
        for (size_t i = out.size() / 2 + 1; i < out.size(); i += 2)
            rightPeak = std::max(rightPeak, double{std::fabs(out[i])});
        EXPECT_NEAR(db(rightPeak), -40 - 40.0 / 3, 0.3) << rate;
    }
}

// A DC step from -40 to 0 dBFS and back; reduction = input over output in dB.
TEST(Compressor, AttackAndReleaseTimes) {
    for (double rate : kRates) {
        for (float attack : {1.0f, 10.0f, 100.0f}) {
            Compressor fx(rate);
            fx.setParameters({.attack = attack, .release = 200, .predelay = 0});
            const int up = samples(500, rate), down = samples(2000, rate);
            Signal in(2 * samples(3500, rate), 0.01f);
            std::fill(in.begin() + 2 * up, in.begin() + 2 * down, 1.0f);
            const Signal out = run(fx, in);
            const auto reduction = [&](int i) { return -db(out[2 * i] / in[2 * i]); };
            const double full = reduction(down - 1);
            EXPECT_NEAR(full, 40.0 / 3, 0.01);
            int i = up;
            while (reduction(i) < 0.632 * full)
                ++i;
            EXPECT_NEAR((i - up) * 1000 / rate, attack, 0.15 * attack) << rate;
            i = down;
            while (reduction(i) > 0.368 * full)
                ++i;
            const double releaseMs = (i - down) * 1000 / rate;
            EXPECT_TRUE(releaseMs >= 200 && releaseMs <= 200 + 1.5 * attack) << releaseMs;
        }
    }
}

TEST(Compressor, PredelayDelaysTheAudioAndCatchesOnsets) {
    EXPECT_EQ(samples(4, 44100), 176);
    for (double rate : kRates) {
        for (float predelay : {0.0f, 1.0f, 4.0f}) {
            Compressor fx(rate);
            fx.setParameters({.predelay = predelay});
            const Signal in = noise(1000, 0.01f);
            const Signal out = run(fx, in);
            const int p = samples(predelay, rate);
            EXPECT_TRUE(
                std::all_of(out.begin(), out.begin() + 2 * p, [](float v) { return v == 0; }));
            EXPECT_TRUE(std::equal(out.begin() + 2 * p, out.end(), in.begin())) << predelay;

            // A 0 dBFS burst after silence: with lookahead the gain is already
            // down when the burst comes out; without it the onset overshoots.
            Compressor burst(rate);
            burst.setParameters({.attack = 1, .ratio = 4, .predelay = predelay});
            const int onset = samples(500, rate) + p;
            Signal tone = sine(1000, 1.0, samples(1000, rate), rate);
            std::fill(tone.begin(), tone.begin() + 2 * samples(500, rate), 0.0f);
            const Signal compressed = run(burst, tone);
            const double overshoot =
                peakDb(compressed, onset, onset + samples(1, rate)) -
                peakDb(compressed, onset + samples(300, rate), onset + samples(400, rate));
            if (predelay == 4) {
                EXPECT_LE(std::fabs(overshoot), 1.0) << rate;
            } else if (predelay == 0) {
                EXPECT_GT(overshoot, 6.0) << rate;
            }
        }
    }
}

}  // namespace
}  // namespace qn::fx
