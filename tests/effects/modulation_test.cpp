#include "sound/effects/modulation.h"

#include <gtest/gtest.h>

#include "effectstestsupport.h"

namespace qn::fx {
namespace {

using namespace test;

TEST(ChorusFlanger, StaticCombAndFeedbackSign) {
    // Depth 0 holds the delay at 2 ms: notches at odd multiples of 250 Hz
    // when mixed half and half; feedback raises the peaks or the notches.
    const struct {
        float mix, feedback;
        double hz, minDb, maxDb;
    } cases[] = {
        {50, 0, 250, -400, -40},   {50, 0, 750, -400, -40},     {50, 0, 500, -0.1, 0.1},
        {50, 0, 1000, -0.1, 0.1},  {100, 50, 500, 5.8, 6.2},    {100, 50, 250, -3.7, -3.3},
        {100, -50, 250, 5.8, 6.2}, {100, -50, 500, -3.7, -3.3},
    };
    for (double rate : kRates) {
        for (const auto& c : cases) {
            Modulation fx(rate, ModulationKind::Flanger);
            ASSERT_EQ(fx.setParameters({c.mix, 0, c.feedback, 0.25f, kWaveSine, 2, 2}),
                      ParameterResult::Accepted);
            const double gain = gainDb(fx, c.hz, rate);
            EXPECT_TRUE(gain >= c.minDb && gain <= c.maxDb)
                << gain << " dB at " << c.hz << " Hz, feedback " << c.feedback << ", " << rate;
        }
    }
}

// Clicks every 30 ms into both channels; each echo's centroid gives the delay
// at that moment, which must trace 10 ms x (1 + LFO) with the right channel
// (phase - 2) quarter cycles ahead.
TEST(ChorusFlanger, DelayFollowsTheLfoShapeAndRightChannelPhase) {
    constexpr int kClicks = 80;
    for (double rate : kRates) {
        for (int waveform : {kWaveTriangle, kWaveSine}) {
            for (int phase = 0; phase <= 4; ++phase) {
                Modulation fx(rate, ModulationKind::Chorus);
                ASSERT_EQ(fx.setParameters({100, 100, 0, 1, waveform, 10, phase}),
                          ParameterResult::Accepted);
                const int spacing = samples(30, rate);
                Signal in(2 * kClicks * spacing);
                for (int k = 0; k < kClicks; ++k)
                    in[2 * k * spacing] = in[2 * k * spacing + 1] = 1;
                const Signal out = run(fx, in);
                if (phase == 2) {
                    EXPECT_EQ(channel(out, 0), channel(out, 1));
                }

                double worstMs = 0;
                for (int c = 0; c < 2; ++c) {
                    for (int k = 0; k < kClicks; ++k) {
                        double weight = 0, moment = 0;
                        for (int i = k * spacing; i < (k + 1) * spacing; ++i) {
                            weight += std::fabs(out[2 * i + c]);
                            moment += i * std::fabs(out[2 * i + c]);
                        }
                        const double arrival = moment / weight;
                        const double lfo = 2 * std::numbers::pi *
                                           (arrival / rate + (c == 1 ? (phase - 2) / 4.0 : 0));
                        const double shape = waveform == kWaveSine
                                                 ? std::sin(lfo)
                                                 : 2 / std::numbers::pi * std::asin(std::sin(lfo));
                        const double delayMs = (arrival - k * spacing) * 1000 / rate;
                        worstMs = std::max(worstMs, std::fabs(delayMs - 10 * (1 + shape)));
                    }
                }
                EXPECT_LE(worstMs, 0.5) << rate << " waveform " << waveform << " phase " << phase;
            }
        }
    }
}

}  // namespace
}  // namespace qn::fx
