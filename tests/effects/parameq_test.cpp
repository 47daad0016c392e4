#include "sound/effects/parameq.h"

#include <gtest/gtest.h>

#include "effectstestsupport.h"

namespace qn::fx {
namespace {

using namespace test;

TEST(ParamEq, GainAtAndAwayFromTheCentre) {
    const struct {
        ParamEqParameters p;
        double hz, expectedDb, tolerance;
    } cases[] = {
        {{1000, 12, 12}, 1000, 12, 0.1}, {{1000, 12, 12}, 707, 6, 0.2},
        {{1000, 12, 12}, 1414, 6, 0.2},  {{1000, 12, 12}, 100, 0, 0.2},
        {{1000, 12, 12}, 10000, 0, 0.2}, {{1000, 12, -12}, 1000, -12, 0.1},
    };
    for (double rate : kRates) {
        for (const auto& c : cases) {
            ParamEq fx(rate);
            ASSERT_EQ(fx.setParameters(c.p), ParameterResult::Accepted);
            EXPECT_NEAR(gainDb(fx, c.hz, rate), c.expectedDb, c.tolerance) << c.hz << " " << rate;
        }
    }
    // A centre above a third of the rate moves down to it.
    ParamEq clamped(44100);
    EXPECT_EQ(clamped.setParameters({16000, 12, 15}), ParameterResult::Adjusted);
    EXPECT_EQ(clamped.parameters().center, 14700);
    EXPECT_NEAR(gainDb(clamped, 14700, 44100), 15, 0.2);
    EXPECT_LT(gainDb(clamped, 16000, 44100), 14.5);
    EXPECT_EQ(ParamEq(48000).setParameters({16000, 12, 15}), ParameterResult::Accepted);
}

TEST(ParamEq, CutUndoesBoostAndZeroGainIsTransparent) {
    for (double rate : kRates) {
        ParamEq boost(rate), cut(rate), flat(rate);
        boost.setParameters({1000, 12, 12});
        cut.setParameters({1000, 12, -12});
        flat.setParameters({1000, 12, 0});
        const Signal cascade = run(cut, run(boost, impulse(static_cast<int>(rate))));
        double deviation = std::fabs(cascade[0] - 1.0);
        for (size_t i = 2; i < cascade.size(); i += 2)
            deviation += std::fabs(cascade[i]);
        EXPECT_LT(deviation, 1e-3) << rate;  // bounds the response to +-0.01 dB

        const Signal in = noise(4096);
        const Signal out = run(flat, in);
        for (size_t i = 0; i < in.size(); ++i)
            ASSERT_NEAR(out[i], in[i], 1e-6);
    }
}

}  // namespace
}  // namespace qn::fx
