#include "sound/effects/distortion.h"

#include <gtest/gtest.h>

#include "effectstestsupport.h"

namespace qn::fx {
namespace {

using namespace test;

constexpr DistortionParameters kLinear{.gain = -6,
                                       .edge = 0,
                                       .postEQCenterFrequency = 1000,
                                       .postEQBandwidth = 8000,
                                       .preLowpassCutoff = 8000};

TEST(Distortion, LinearPathAppliesTheGainAndThePreLowpassCutsHighs) {
    for (double rate : kRates) {
        Distortion fx(rate);
        ASSERT_EQ(fx.setParameters(kLinear), ParameterResult::Accepted);
        EXPECT_NEAR(gainDb(fx, 1000, rate, 0.1), -6.0, 0.2) << rate;

        double at7k[2];
        for (int i = 0; i < 2; ++i) {
            Distortion lowPassed(rate);
            DistortionParameters p = kLinear;
            p.postEQCenterFrequency = 7000;
            p.preLowpassCutoff = i == 0 ? 8000 : 1000;
            lowPassed.setParameters(p);
            at7k[i] = gainDb(lowPassed, 7000, rate, 0.1);
        }
        EXPECT_GE(at7k[0] - at7k[1], 25.0) << rate;
    }
}

TEST(Distortion, EdgeAddsOddHarmonicsOnly) {
    for (double rate : kRates) {
        double lastH3 = -400;
        for (float edge : {0.0f, 25.0f, 50.0f, 75.0f, 100.0f}) {
            Distortion fx(rate);
            fx.setParameters({.gain = 0,
                              .edge = edge,
                              .postEQCenterFrequency = 1500,
                              .postEQBandwidth = 1500,
                              .preLowpassCutoff = 8000});
            const int second = static_cast<int>(rate);
            const Signal out = run(fx, sine(500, 1.0, 2 * second, rate));
            const double h1 = amplitude(out, 0, 500, rate, second, second);
            const double h2 = db(amplitude(out, 0, 1000, rate, second, second) / h1);
            const double h3 = db(amplitude(out, 0, 1500, rate, second, second) / h1);
            EXPECT_GT(h3, lastH3 + 0.2) << edge;
            EXPECT_LE(h2, -60) << edge;
            if (edge == 0) {
                EXPECT_LT(h3, -100);
            }
            lastH3 = h3;
        }
    }
}

TEST(Distortion, FrequenciesAboveAThirdOfTheRateMoveDown) {
    Distortion fx(12000);
    EXPECT_EQ(fx.setParameters(DistortionParameters{}), ParameterResult::Adjusted);
    EXPECT_EQ(fx.parameters().postEQCenterFrequency, 2400);
    EXPECT_EQ(fx.parameters().preLowpassCutoff, 4000);
    EXPECT_EQ(fx.setParameters({.postEQCenterFrequency = 3000}), ParameterResult::Adjusted);
    EXPECT_EQ(fx.parameters().postEQCenterFrequency, 3000);
}

}  // namespace
}  // namespace qn::fx
