#include "sound/engine/offlinerenderer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "enginetestsupport.h"
#include "sound/engine/sequenceplayer.h"

namespace qn {
namespace {

using namespace enginetest;

TEST(OfflineRender, RendersTheCompositionAndTheLastNotesReleaseThenStops) {
    // Three steps outlast the empty tracks' 132 ticks; the piano's release is long.
    const int division = 64;
    auto c = composition(division, {{12, 100, 5}, {13, 100, 5}, {14, 100, 5}}, 1, 0);
    RenderResult r;
    const std::vector<float> samples = render(midiOf(*c), {}, &r);
    const double fileMs = (kLeadTicks + 3 * kStepTicks) * tickMs(division);
    EXPECT_EQ(2 * r.frames, samples.size());
    EXPECT_FALSE(r.capped);
    EXPECT_GT(peak(samples), 0.01f);
    EXPECT_NEAR(msAtFrame(r.playerEndFrame), fileMs, 1.5);
    // The last note rings on past the file's end; the render stops soon after
    // it has died away and leaves out the trailing silence.
    EXPECT_GT(msAtFrame(r.frames - r.playerEndFrame), 50.0);
    EXPECT_LT(msAtFrame(r.frames), fileMs + 1500);
    EXPECT_GT(peak(samples, samples.size() - 128), 1e-5f);

    QString error;
    for (const std::vector<uint8_t>& notMidi :
         {std::vector<uint8_t>{}, std::vector<uint8_t>{'R', 'I', 'F', 'F', 0, 0, 0, 0}}) {
        int calls = 0;
        EXPECT_FALSE(renderer().render(
            notMidi, {}, [&calls](const float*, int) { return ++calls > 0; }, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(calls, 0);
    }
}

// A player on a synth of its own, rendering in the block sizes given in turn.
class PlayerRun {
  public:
    PlayerRun() : m_player(kDefaultSampleRate) {
        QString error;
        QString font = findSoundFont(systemSoundFontSources(), &error);
        auto core = createSynth(kDefaultSampleRate, font, &error);
        if (!core) ADD_FAILURE() << error.toStdString();
        if (!core) std::abort();
        m_core = std::move(*core);
        m_player.setSynth(m_core.synth.get());
    }
    SequencePlayer& player() { return m_player; }
    void render(int64_t frames, std::initializer_list<int> blocks, bool apiHeld = false) {
        for (auto b = blocks.begin(); frames > 0;
             b = std::next(b) == blocks.end() ? blocks.begin() : std::next(b)) {
            const int n = static_cast<int>(std::min<int64_t>(*b, frames));
            std::vector<float> block(2 * n);
            m_player.render(block.data(), n, apiHeld);
            out.insert(out.end(), block.begin(), block.end());
            frames -= n;
        }
    }
    std::vector<float> out;

  private:
    SynthCore m_core;
    SequencePlayer m_player;
};

// Events act at their frames whatever the caller's blocks, across loop passes:
// odd block sizes render bit for bit what 512-frame blocks do.
TEST(SequencePlayer, OutputDoesNotDependOnTheBlockSizes) {
    auto c = composition(127, {{12, 100, 1}, {13, 90, 0}, {kRestPitch, 0, 1}, {19, 127, 2}}, 4, 0);
    c->TrackInstrument[1] = 40;
    c->TrackInstrument[2] = kOrgan;
    std::string error;
    const auto sequence = MidiSequence::parse(midiOf(*c), kDefaultSampleRate, &error);
    ASSERT_TRUE(sequence) << error;
    const int64_t frames = 2 * sequence->endFrame() + 3000;
    PlayerRun even, odd;
    even.player().play(sequence.get(), true);
    even.render(frames, {512});
    odd.render(77, {77});  // starts off a 64-frame boundary
    odd.player().play(sequence.get(), true);
    odd.render(frames - 77, {1, 37, 64, 255, 1000, 129});
    ASSERT_EQ(even.out.size(), odd.out.size());
    EXPECT_GT(peak(even.out, even.out.size() / 2), 0.01f);  // the second pass sounds
    // The odd run started at frame 128, 64 frames of silence and the start later.
    const size_t shift = 2 * 128;
    EXPECT_TRUE(std::equal(odd.out.begin() + shift, odd.out.end(), even.out.begin()));
}

// Stop on a held low organ note, off a 64-frame boundary: a fade, no step
// louder than -60 dB beyond the note's own, and silence within a 256-frame buffer.
TEST(SequencePlayer, StopFadesOutWithoutAStepAndIsSilentWithinOneBuffer) {
    auto c = composition(32, {{0, 127, 5}}, 1, kOrgan);
    c->TrackOctave[0] = 2;
    std::string error;
    const auto sequence = MidiSequence::parse(midiOf(*c), kDefaultSampleRate, &error);
    ASSERT_TRUE(sequence) << error;
    PlayerRun run;
    run.player().play(sequence.get(), false);
    run.render(kDefaultSampleRate / 2 + 100, {256});
    const size_t stopAt = run.out.size();
    const auto largestStep = [&run](size_t from, size_t to) {
        float step = 0;
        for (size_t i = from + 2; i < to; ++i)
            step = std::max(step, std::fabs(run.out[i] - run.out[i - 2]));
        return step;
    };
    const float noteStep = largestStep(stopAt - 4000, stopAt);
    ASSERT_GT(peak(run.out, stopAt - 4000), 0.05f);
    run.player().stop();
    run.render(1024, {256});
    EXPECT_LE(largestStep(stopAt - 2, stopAt + 2 * 256), noteStep + 1e-3f);
    EXPECT_EQ(peak(run.out, stopAt + 2 * 256), 0.0f);
    // A fade, not a cut: the first 3 ms still sound.
    EXPECT_GT(peak(run.out, stopAt + 2 * 120), 0.0f);

    // While another thread holds the synth, a fade stays silent past its end.
    run.player().play(sequence.get(), false);
    run.render(kDefaultSampleRate / 2, {256});
    const size_t heldAt = run.out.size();
    run.player().stop();
    run.render(1024, {256}, true);
    run.render(1024, {256});
    EXPECT_GT(peak(run.out, heldAt - 2000), 0.05f);
    EXPECT_EQ(peak(run.out, heldAt + 2 * 256), 0.0f);
}

}  // namespace
}  // namespace qn
