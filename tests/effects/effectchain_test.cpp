#include "sound/effects/effectchain.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "effectstestsupport.h"

// Counts every allocation of this test program, to show that processing
// allocates nothing. The library's array and sized forms end in these two.
namespace {
std::atomic<long> allocations{0};
}
void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace qn::fx {
namespace {

using namespace test;
using S = EffectSettings;

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

TEST(EffectChain, RunsTheEffectsInMenuOrder) {
    const EffectSettings s = allOn();
    const Signal in = noise(20000, 0.5f);
    Signal expected = in;
    for (Effect e : {Effect::Distortion, Effect::Echo, Effect::Chorus, Effect::Flanger,
                     Effect::Compressor, Effect::Gargle, Effect::Para, Effect::Reverb})
        expected = run(*makeChain(only(e, s)), expected);
    EXPECT_EQ(run(*makeChain(s), in), expected);
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
    const std::tuple<Effect, void (*)(S&), const char*> cases[] = {
        {Effect::Distortion, [](S& s) { s.distortion.edge = 101; }, "Distortion: edge"},
        {Effect::Echo, [](S& s) { s.echo.leftDelay = 0.5f; }, "Echo: leftDelay"},
        {Effect::Chorus, [](S& s) { s.chorus.phase = 5; }, "Chorus: phase"},
        {Effect::Flanger, [](S& s) { s.flanger.delay = 16; }, "Flanger: delay"},
        {Effect::Compressor, [](S& s) { s.compressor.attack = NAN; }, "Compressor: attack"},
        {Effect::Gargle, [](S& s) { s.gargle.rateHz = 0; }, "Gargle: rateHz"},
        {Effect::Para, [](S& s) { s.paramEq.gain = -16; }, "Parameq: gain"},
        {Effect::Reverb, [](S& s) { s.reverb.highFreqRTRatio = 1; }, "WaveReverb: highFreqRTRatio"},
    };
    for (const auto& [kind, spoil, message] : cases) {
        EffectSettings s = allOn();
        spoil(s);
        std::string error;
        EXPECT_FALSE(EffectChain::create(s, 48000, &error));
        EXPECT_EQ(error.rfind(message, 0), 0u) << error;
        s.enabled[effectIndex(kind)] = false;  // switched off, not looked at
        EXPECT_TRUE(EffectChain::create(s, 48000, &error));
    }
    std::string error;
    EXPECT_TRUE(!EffectChain::create(allOn(), 0, &error) && !error.empty());
}

}  // namespace
}  // namespace qn::fx
