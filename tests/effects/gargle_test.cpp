#include "sound/effects/gargle.h"

#include <gtest/gtest.h>

#include "effectstestsupport.h"

namespace qn::fx {
namespace {

using namespace test;

Signal dc(int frames) {
    return Signal(2 * frames, 1.0f);
}

TEST(Gargle, SquareIsOnForTheFirstHalfOfEachCycle) {
    Gargle fx(44100);
    fx.setParameters({20, kGargleSquare});
    const Signal out = run(fx, dc(44100));
    EXPECT_EQ(channel(out, 0), channel(out, 1));
    std::vector<int> runs{1};
    for (size_t i = 2; i < out.size(); i += 2) {
        ASSERT_TRUE(out[i] == 0 || out[i] == 1);
        if (out[i] == out[i - 2])
            ++runs.back();
        else
            runs.push_back(1);
    }
    EXPECT_EQ(out[0], 1.0f);
    EXPECT_EQ(runs.size(), 40u);  // 20 on-runs and 20 off-runs in a second
    for (int length : runs)
        EXPECT_TRUE(length == 1102 || length == 1103) << length;
}

TEST(Gargle, TriangleShapePeriodAndLevels) {
    for (double rate : kRates) {
        for (uint32_t hz : {1u, 20u, 1000u}) {
            Gargle fx(rate);
            fx.setParameters({hz, kGargleTriangle});
            const Signal out = run(fx, dc(2 * static_cast<int>(rate)));
            double worst = 0;  // against 0 at each cycle's start, 1 half way
            for (int i = 0; i < frames(out); ++i) {
                const double cycles = i * hz / rate;
                const double expected = 1 - std::fabs(1 - 2 * (cycles - std::floor(cycles)));
                worst = std::max(worst, std::fabs(out[2 * i] - expected));
            }
            EXPECT_LT(worst, 1e-5) << hz << " Hz at " << rate;
        }
        // Mean square of the modulator: 1/3 for the triangle, 1/2 for the square.
        for (auto [shape, expectedDb] :
             {std::pair{kGargleTriangle, -4.77}, {kGargleSquare, -3.01}}) {
            Gargle fx(rate);
            fx.setParameters({20, shape});
            const Signal in = sine(1000, 0.5, static_cast<int>(rate), rate);
            const Signal out = run(fx, in);
            EXPECT_NEAR(rmsDb(channel(out, 0)) - rmsDb(channel(in, 0)), expectedDb, 0.1) << rate;
        }
    }
}

}  // namespace
}  // namespace qn::fx
