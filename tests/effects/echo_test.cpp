#include "sound/effects/echo.h"

#include <gtest/gtest.h>

#include <map>

#include "effectstestsupport.h"

namespace qn::fx {
namespace {

using namespace test;

// Every non-zero output sample, keyed by (channel, frame).
std::map<std::pair<int, int>, float> nonZero(const Signal& s) {
    std::map<std::pair<int, int>, float> found;
    for (size_t i = 0; i < s.size(); ++i)
        if (s[i] != 0) found[{static_cast<int>(i % 2), static_cast<int>(i / 2)}] = s[i];
    return found;
}

TEST(Echo, ImpulseResponsesOfDelayFeedbackAndPingPong) {
    struct Expected {
        int channel;
        double ms;
        float value;
    };
    const struct {
        EchoParameters p;
        std::vector<Expected> echoes;  // the whole response over 400 ms
    } cases[] = {
        {{50, 0, 100, 100, 0}, {{0, 0, 0.5f}, {0, 100, 0.5f}}},
        {{100, 50, 100, 100, 0}, {{0, 100, 1}, {0, 200, 0.5f}, {0, 300, 0.25f}, {0, 400, 0.125f}}},
        {{100, 50, 100, 150, 1}, {{0, 100, 1}, {1, 250, 0.5f}, {0, 350, 0.25f}}},
        {{100, 50, 100, 150, 0}, {{0, 100, 1}, {0, 200, 0.5f}, {0, 300, 0.25f}, {0, 400, 0.125f}}},
    };
    for (double rate : kRates) {
        for (const auto& c : cases) {
            Echo fx(rate);
            ASSERT_EQ(fx.setParameters(c.p), ParameterResult::Accepted);
            std::map<std::pair<int, int>, float> expected;
            for (const Expected& e : c.echoes)
                expected[{e.channel, samples(e.ms, rate)}] = e.value;
            EXPECT_EQ(nonZero(run(fx, impulse(samples(400, rate) + 1, true, false))), expected)
                << rate << " pan " << c.p.panDelay << " right " << c.p.rightDelay;
        }
    }
}

TEST(Echo, FullFeedbackNeitherDecaysNorGrows) {
    for (int pan : {0, 1}) {
        Echo fx(44100);
        fx.setParameters({100, 100, 100, 150, pan});
        const Signal out = run(fx, impulse(44100 * 10));
        float last = 0;
        for (size_t i = out.size() - 2 * 44100; i < out.size(); ++i)
            last = std::max(last, std::fabs(out[i]));
        EXPECT_EQ(last, 1.0f) << pan;
    }
}

}  // namespace
}  // namespace qn::fx
