#include "sound/engine/offlinerenderer.h"

#include <gtest/gtest.h>

#include "synthtestsupport.h"

namespace qn {
namespace {

using namespace synthtest;

constexpr int kRate = kDefaultSampleRate;

// FluidSynth's player rounds ticks to the nearest and acts at 64-frame block
// starts: an event sounds from half a tick early to 1.5 ms late, plus the
// instrument's attack.
// Each pass of a looped file starts where the last ended, so errors add up.
void expectSoundsAt(int frame, double ms, int division, const char* what, int passes = 1) {
    EXPECT_GE(msAtFrame(frame), ms - passes * (tickMs(division) / 2 + 0.5)) << what;
    EXPECT_LE(msAtFrame(frame), ms + 6.0 * passes) << what;
}

struct PitchCase {
    int instrument;
    int octave;
    int pitch;  // code 0..24
};

class OfflineRenderPitch : public testing::TestWithParam<PitchCase> {};

// MIDI note = 12 x octave + 11 + code, heard at 440 Hz x 2^((note - 69) / 12).
TEST_P(OfflineRenderPitch, OneNoteSoundsAtTheFrequencyOfItsPitchCodeAndOctave) {
    const PitchCase k = GetParam();
    auto c = composition(32, {{{k.pitch, 100, 5}}}, k.instrument, k.octave);
    const auto m = mono(render(midiOf(*c)));
    const double expected = midiHz(12 * k.octave + 11 + k.pitch);
    // The sustain, from 100 ms after the note starts: 24 ticks of 15.6 ms lead.
    const int from = frameAtMs(kLeadTicks * tickMs(32) + 100);
    constexpr int kSize = 16384;
    ASSERT_GT(static_cast<int>(m.size()), from + kSize / 2);
    const double measured = fundamentalHz(spectrum(m, from, kSize), kSize, kRate, 40);
    EXPECT_NEAR(measured / expected, 1.0, 0.012)
        << "expected " << expected << " Hz, measured " << measured << " Hz";
}

INSTANTIATE_TEST_SUITE_P(FluteAndPiano, OfflineRenderPitch,
                         testing::Values(PitchCase{kFlute, 4, 12}, PitchCase{kFlute, 4, 1},
                                         PitchCase{kFlute, 4, 24}, PitchCase{kFlute, 5, 10},
                                         PitchCase{kFlute, 6, 0}, PitchCase{kFlute, 3, 22},
                                         PitchCase{0, 3, 13}, PitchCase{0, 2, 22}),
                         [](const testing::TestParamInfo<PitchCase>& info) {
                             const PitchCase& k = info.param;
                             return std::string(k.instrument == kFlute ? "Flute" : "Piano") +
                                    "Octave" + std::to_string(k.octave) + "Code" +
                                    std::to_string(k.pitch);
                         });

TEST(OfflineRender, ARestIsSilent) {
    auto c = composition(64, {{{kRestPitch, 127, kRestLength}, {kRestPitch, 100, 0}}});
    const auto m = mono(render(midiOf(*c)));
    ASSERT_FALSE(m.empty());
    EXPECT_LT(db(peak(m)), -60.0);
}

// Code k sounds 8 k ticks of its 40-tick step; a tick is 500 / Division ms.
// The organ holds its level and falls quickly on release: where it has fallen
// 10 dB marks the end, a few milliseconds after the note-off.
TEST(OfflineRender, DurationCodesSoundForEightTicksPerCode) {
    for (int division : {32, 64, 120}) {
        double firstEnd = 0;
        for (int length = 1; length <= 5; ++length) {
            SCOPED_TRACE(testing::Message() << "division " << division << ", length " << length);
            auto c = composition(division, {{{12, 100, length}, {kRestPitch, 100, kRestLength}}},
                                 kOrgan);
            const auto m = mono(render(midiOf(*c)));
            const int onset = firstAbove(m, 1e-4);
            ASSERT_GE(onset, 0);
            expectSoundsAt(onset, kLeadTicks * tickMs(division), division, "note-on");
            const double sounding = 8 * length * tickMs(division);
            const int end = releaseFrame(m, onset + frameAtMs(3), onset + frameAtMs(sounding - 3));
            const double measured = msAtFrame(end - onset);
            EXPECT_GE(measured, sounding - 3);
            EXPECT_LE(measured, sounding + 35);
            // The release adds about the same time to every length.
            if (length == 1) firstEnd = measured;
            EXPECT_NEAR(measured - firstEnd, sounding - 8 * tickMs(division), 6.0);
        }
    }
}

TEST(OfflineRender, NotesFollowEachOtherEveryFortyTicks) {
    const int division = 100;
    auto c =
        composition(division, {{{12, 100, 2}, {14, 100, 2}, {16, 100, 2}, {17, 100, 2}}}, kOrgan);
    const auto found = onsets(mono(render(midiOf(*c))));
    ASSERT_EQ(found.size(), 4u);
    for (int i = 0; i < 4; ++i)
        expectSoundsAt(found[i], (kLeadTicks + kStepTicks * i) * tickMs(division), division,
                       "onset");
}

TEST(OfflineRender, ALouderVelocityGivesALouderNote) {
    double previous = -200;
    for (int velocity : {20, 50, 80, 110, 127}) {
        auto c = composition(64, {{{12, velocity, 5}}});
        const auto m = mono(render(midiOf(*c)));
        const double level = db(rms(m, 0, static_cast<int>(m.size())));
        EXPECT_GT(level, previous + 1.0) << "velocity " << velocity;
        previous = level;
    }
}

TEST(OfflineRender, FourTracksSoundTogether) {
    // Pitches whose fundamentals and low harmonics keep apart.
    const int pitches[kTrackCount] = {1, 6, 10, 15};  // octave 4: notes 60, 65, 69, 74
    std::vector<std::vector<NoteSpec>> tracks;
    for (int p : pitches)
        tracks.push_back({{p, 100, 5}});
    auto together = composition(32, tracks);
    const auto m = mono(render(midiOf(*together)));
    constexpr int kSize = 16384;
    const int from = frameAtMs(kLeadTicks * tickMs(32) + 100);
    const auto s = spectrum(m, from, kSize);
    const double strongest = *std::max_element(s.begin(), s.end());
    for (int t = 0; t < kTrackCount; ++t) {
        const double hz = midiHz(12 * 4 + 11 + pitches[t]);
        EXPECT_GT(db(magnitudeAt(s, hz, kSize, kRate) / strongest), -12.0) << "track " << t;
    }
    // Alone, track 0 has nothing at the other tracks' fundamentals.
    auto alone = composition(32, {tracks[0]});
    const auto a = spectrum(mono(render(midiOf(*alone))), from, kSize);
    const double aloneStrongest = *std::max_element(a.begin(), a.end());
    for (int t = 1; t < kTrackCount; ++t) {
        const double hz = midiHz(12 * 4 + 11 + pitches[t]);
        EXPECT_LT(db(magnitudeAt(a, hz, kSize, kRate) / aloneStrongest), -30.0) << "track " << t;
    }
}

TEST(OfflineRender, EndsWhenThePlayerHasFinishedAndTheLastNoteHasDiedAway) {
    // Three steps outlast the empty tracks' 132 ticks; the piano's release is long.
    const int division = 64;
    auto c = composition(division, {{{12, 100, 5}, {13, 100, 5}, {14, 100, 5}}}, 0);
    std::vector<float> m;
    QString error;
    const auto r = renderer().render(
        midiOf(*c), {},
        [&m](const float* s, int frames) {
            for (int i = 0; i < frames; ++i)
                m.push_back(0.5f * (s[2 * i] + s[2 * i + 1]));
        },
        &error);
    ASSERT_TRUE(r) << error.toStdString();
    const double fileMs = (kLeadTicks + 3 * kStepTicks) * tickMs(division);
    EXPECT_EQ(r->frames, m.size());
    EXPECT_FALSE(r->capped);
    EXPECT_NEAR(msAtFrame(static_cast<int>(r->playerEndFrame)), fileMs, 15.0);
    // The last note rings on past the file's end, the render stops soon after
    // the sound has died away and leaves out the trailing silence.
    EXPECT_GT(msAtFrame(static_cast<int>(r->frames - r->playerEndFrame)), 50.0);
    EXPECT_LT(msAtFrame(static_cast<int>(m.size())), fileMs + 1500);
    EXPECT_GT(peak(m, static_cast<int>(m.size()) - 64), 1e-5);
}

TEST(OfflineRender, LoopedRenderRepeatsTheFile) {
    const int division = 64;
    auto c = composition(division, {{{12, 100, 2}}}, kOrgan);
    RenderOptions options;
    options.passes = 3;
    const auto found = onsets(mono(render(midiOf(*c), options)));
    // The three tracks without notes make a pass 132 ticks long.
    const double passMs = kEmptyTrackTicks * tickMs(division);
    ASSERT_EQ(found.size(), 3u);
    for (int pass = 0; pass < 3; ++pass)
        expectSoundsAt(found[pass], pass * passMs + kLeadTicks * tickMs(division), division, "pass",
                       pass + 1);
}

TEST(OfflineRender, MasterVolumeOfMinus3000IsThirtyDecibelsQuieter) {
    auto c = composition(64, {{{12, 100, 5}}}, kOrgan);
    const auto midi = midiOf(*c);
    const auto full = mono(render(midi));
    RenderOptions quiet;
    quiet.masterVolume = -3000;
    const auto soft = mono(render(midi, quiet));
    const int from = frameAtMs(kLeadTicks * tickMs(64));
    const int to = from + frameAtMs(200);
    EXPECT_NEAR(db(rms(soft, from, to) / rms(full, from, to)), -30.0, 0.5);
}

class Gain : public AudioProcessor {
  public:
    explicit Gain(float factor) : m_factor(factor) {}
    void process(float* interleaved, int frames) noexcept override {
        for (int i = 0; i < 2 * frames; ++i)
            interleaved[i] *= m_factor;
        m_frames += frames;
    }
    int64_t m_frames = 0;

  private:
    float m_factor;
};

TEST(OfflineRender, TheAudioProcessorActsOnEveryBlock) {
    auto c = composition(64, {{{12, 100, 5}}}, kOrgan);
    const auto midi = midiOf(*c);
    const auto plain = mono(render(midi));
    Gain half(0.5f);
    RenderOptions options;
    options.processor = &half;
    const auto halved = mono(render(midi, options));
    ASSERT_FALSE(halved.empty());
    EXPECT_GE(half.m_frames, static_cast<int64_t>(halved.size()));
    const int from = frameAtMs(kLeadTicks * tickMs(64));
    const int to = from + frameAtMs(200);
    EXPECT_NEAR(db(rms(halved, from, to) / rms(plain, from, to)), db(0.5), 0.2);
}

TEST(OfflineRender, RejectsBytesThatAreNotAMidiFile) {
    QString error;
    int calls = 0;
    const auto sink = [&calls](const float*, int) { ++calls; };
    for (const std::vector<uint8_t>& bytes :
         {std::vector<uint8_t>{}, std::vector<uint8_t>{'R', 'I', 'F', 'F', 0, 0, 0, 0}}) {
        EXPECT_FALSE(renderer().render(bytes, {}, sink, &error));
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(calls, 0);
}

TEST(OfflineRender, AnEmptyCompositionRendersItsLengthOfSilence) {
    Composition c;
    const auto m = mono(render(midiOf(c)));
    // Its four empty track chunks end the file.
    EXPECT_NEAR(msAtFrame(static_cast<int>(m.size())), kEmptyTrackTicks * tickMs(c.Division), 15.0);
    EXPECT_LT(db(peak(m)), -90.0);
}

}  // namespace
}  // namespace qn
