#include "sound/engine/offlinerenderer.h"

#include <gtest/gtest.h>

#include "enginetestsupport.h"

namespace qn {
namespace {

using namespace enginetest;

TEST(OfflineRender, RendersTheCompositionAndTheLastNotesReleaseThenStops) {
    // Three steps outlast the empty tracks' 132 ticks; the piano's release is long.
    const int division = 64;
    auto c = composition(division, {{12, 100, 5}, {13, 100, 5}, {14, 100, 5}}, 1, 0);
    std::vector<float> samples;
    QString error;
    const auto r = renderer().render(
        midiOf(*c), {},
        [&samples](const float* s, int frames) {
            samples.insert(samples.end(), s, s + 2 * frames);
            return true;
        },
        &error);
    ASSERT_TRUE(r) << error.toStdString();
    const double fileMs = (kLeadTicks + 3 * kStepTicks) * tickMs(division);
    EXPECT_EQ(2 * r->frames, samples.size());
    EXPECT_FALSE(r->capped);
    EXPECT_GT(peak(samples), 0.01f);
    EXPECT_NEAR(msAtFrame(r->playerEndFrame), fileMs, 15.0);
    // The last note rings on past the file's end; the render stops soon after
    // it has died away and leaves out the trailing silence.
    EXPECT_GT(msAtFrame(r->frames - r->playerEndFrame), 50.0);
    EXPECT_LT(msAtFrame(r->frames), fileMs + 1500);
    EXPECT_GT(peak(samples, samples.size() - 128), 1e-5f);

    for (const std::vector<uint8_t>& notMidi :
         {std::vector<uint8_t>{}, std::vector<uint8_t>{'R', 'I', 'F', 'F', 0, 0, 0, 0}}) {
        int calls = 0;
        EXPECT_FALSE(renderer().render(
            notMidi, {}, [&calls](const float*, int) { return ++calls > 0; }, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(calls, 0);
    }
}

}  // namespace
}  // namespace qn
