#include "sound/effects/effectchain.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "effectstestsupport.h"
#include "sound/effects/compressor.h"
#include "sound/effects/distortion.h"
#include "sound/effects/echo.h"
#include "sound/effects/gargle.h"
#include "sound/effects/modulation.h"
#include "sound/effects/parameq.h"
#include "sound/effects/wavesreverb.h"

// Counts every allocation of this test program, to show that processing
// allocates nothing.
namespace {
std::atomic<long> allocations{0};
}
void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace qn::fx {
namespace {

using namespace test;

EffectSettings allOn() {
    EffectSettings s;
    s.enabled.fill(true);
    s.echo.leftDelay = 30;  // short enough to show within the test signals
    s.echo.rightDelay = 45;
    return s;
}

std::unique_ptr<EffectChain> makeChain(const EffectSettings& s, double rate = 44100) {
    std::string error;
    auto chain = EffectChain::create(s, rate, &error);
    EXPECT_TRUE(chain) << error;
    return chain;
}

TEST(EffectChain, AllOffPassesAudioUnchanged) {
    const auto chain = makeChain(EffectSettings{});
    ASSERT_TRUE(chain->empty());
    const Signal in = noise(1000);
    EXPECT_EQ(run(*chain, in), in);
    EXPECT_FALSE(makeChain(only(Effect::Gargle))->empty());
}

TEST(EffectChain, RunsTheEffectsInMenuOrder) {
    const EffectSettings s = allOn();
    const Signal in = noise(20000, 0.5f);
    Distortion distortion(44100);
    Echo echo(44100);
    Modulation chorus(44100, ModulationKind::Chorus), flanger(44100, ModulationKind::Flanger);
    Compressor compressor(44100);
    Gargle gargle(44100);
    ParamEq paramEq(44100);
    WavesReverb reverb(44100);
    echo.setParameters(s.echo);
    Signal expected = in;
    for (AudioEffect* fx : std::initializer_list<AudioEffect*>{
             &distortion, &echo, &chorus, &flanger, &compressor, &gargle, &paramEq, &reverb})
        expected = run(*fx, expected);
    EXPECT_EQ(run(*makeChain(s), in), expected);

    // Order matters: gargle then reverb differs from reverb then gargle.
    EffectSettings pair;
    pair.enabled[static_cast<int>(Effect::Gargle)] = true;
    pair.enabled[static_cast<int>(Effect::Reverb)] = true;
    Gargle g1(44100), g2(44100);
    WavesReverb r1(44100), r2(44100);
    const Signal chained = run(*makeChain(pair), in);
    EXPECT_EQ(chained, run(r1, run(g1, in)));
    EXPECT_NE(chained, run(g2, run(r2, in)));
}

TEST(EffectChain, ProcessingAllocatesNothing) {
    const auto chain = makeChain(allOn());
    Signal buffer = noise(4096);
    const long before = allocations;
    for (int frames : {256, 1, 4096, 333})
        chain->process(buffer.data(), frames);
    EXPECT_EQ(allocations - before, 0);
}

TEST(EffectChain, RefusesAnOutOfRangeSwitchedOnEffectNamingIt) {
    const struct {
        Effect kind;
        void (*spoil)(EffectSettings&);
        const char* message;
    } cases[] = {
        {Effect::Distortion, [](EffectSettings& s) { s.distortion.edge = 101; },
         "Distortion: edge"},
        {Effect::Echo, [](EffectSettings& s) { s.echo.leftDelay = 0.5f; }, "Echo: leftDelay"},
        {Effect::Chorus, [](EffectSettings& s) { s.chorus.phase = 5; }, "Chorus: phase"},
        {Effect::Flanger, [](EffectSettings& s) { s.flanger.delay = 16; }, "Flanger: delay"},
        {Effect::Compressor, [](EffectSettings& s) { s.compressor.attack = NAN; },
         "Compressor: attack"},
        {Effect::Gargle, [](EffectSettings& s) { s.gargle.rateHz = 0; }, "Gargle: rateHz"},
        {Effect::Para, [](EffectSettings& s) { s.paramEq.gain = -16; }, "Parameq: gain"},
        {Effect::Reverb, [](EffectSettings& s) { s.reverb.highFreqRTRatio = 1; },
         "WaveReverb: highFreqRTRatio"},
    };
    for (const auto& c : cases) {
        EffectSettings s = allOn();
        c.spoil(s);
        std::string error;
        EXPECT_FALSE(EffectChain::create(s, 48000, &error));
        EXPECT_EQ(error.rfind(c.message, 0), 0u) << error;
        s.enabled[static_cast<int>(c.kind)] = false;  // switched off, not looked at
        EXPECT_TRUE(EffectChain::create(s, 48000, &error));
    }
    std::string error;
    EXPECT_FALSE(EffectChain::create(allOn(), 0, &error));
    EXPECT_FALSE(error.empty());

    // A refused set leaves the effect's previous parameters in force.
    Echo echo(44100);
    ASSERT_EQ(echo.setParameters({100, 0, 10, 10, 0}), ParameterResult::Accepted);
    EXPECT_EQ(echo.setParameters({100, 0, 20, 2001, 0}), ParameterResult::Refused);
    const Signal out = run(echo, impulse(1000));
    EXPECT_EQ(out[2 * samples(10, 44100)], 1.0f);
}

}  // namespace
}  // namespace qn::fx
