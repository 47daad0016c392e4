// Properties every effect must have: the same output whatever the block
// sizes, and finite, decaying, subnormal-free output over its parameter ranges.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "effectstestsupport.h"
#include "sound/effects/effectchain.h"

namespace qn::fx {
namespace {

using namespace test;

TEST(Effects, OutputDoesNotDependOnBlockSizes) {
    std::mt19937 random(3);
    std::uniform_int_distribution<int> blockSize(1, 4096);
    for (double rate : kRates) {
        const Signal in = noise(static_cast<int>(rate * 5), 0.7f);
        for (int k = 0; k <= kEffectCount; ++k) {
            EffectSettings s;
            s.enabled.fill(true);  // k == kEffectCount: the whole chain
            if (k < kEffectCount) s = only(kEffects[k]);
            const Signal whole = run(*EffectChain::create(s, rate, nullptr), in);
            Signal pieces = in;
            const auto chain = EffectChain::create(s, rate, nullptr);
            for (int done = 0; done < frames(in);) {
                const int n = std::min(blockSize(random), frames(in) - done);
                chain->process(pieces.data() + 2 * done, n);
                done += n;
            }
            EXPECT_EQ(whole, pieces) << "effect " << k << " at " << rate;
        }
    }
}

// Where each effect's parameters lie inside EffectSettings (offset, size); all fields are
// 4-byte floats or integers, so one field is one 4-byte word.
const std::tuple<Effect, std::size_t, std::size_t> kBlocks[] = {
    {Effect::Distortion, offsetof(EffectSettings, distortion), sizeof(DistortionParameters)},
    {Effect::Echo, offsetof(EffectSettings, echo), sizeof(EchoParameters)},
    {Effect::Chorus, offsetof(EffectSettings, chorus), sizeof(ModulationParameters)},
    {Effect::Flanger, offsetof(EffectSettings, flanger), sizeof(ModulationParameters)},
    {Effect::Compressor, offsetof(EffectSettings, compressor), sizeof(CompressorParameters)},
    {Effect::Gargle, offsetof(EffectSettings, gargle), sizeof(GargleParameters)},
    {Effect::Para, offsetof(EffectSettings, paramEq), sizeof(ParamEqParameters)},
    {Effect::Reverb, offsetof(EffectSettings, reverb), sizeof(ReverbParameters)},
};

// Every parameter at the lowest and at the highest value its range allows.
const EffectSettings kLowest{.distortion = {-60, 0, 100, 100, 100},
                             .echo = {0, 0, 1, 1, 0},
                             .chorus = {0, 0, -99, 0, kWaveTriangle, 0, 0},
                             .flanger = {0, 0, -99, 0, kWaveTriangle, 0, 0},
                             .compressor = {-60, 0.01f, 50, -60, 1, 0},
                             .gargle = {1, kGargleTriangle},
                             .paramEq = {80, 1, -15},
                             .reverb = {-96, -96, 0.001f, 0.001f}};
const EffectSettings kHighest{.distortion = {0, 100, 8000, 8000, 8000},
                              .echo = {100, 100, 2000, 2000, 1},
                              .chorus = {100, 100, 99, 10, kWaveSine, kChorusMaxDelay, 4},
                              .flanger = {100, 100, 99, 10, kWaveSine, kFlangerMaxDelay, 4},
                              .compressor = {60, 500, 3000, 0, 100, 4},
                              .gargle = {1000, kGargleSquare},
                              .paramEq = {16000, 36, 15},
                              .reverb = {0, 0, 3000, 0.999f}};

// One second of full-scale noise, then silence until the output stays below
// -120 dBFS for half a second (unless the echo feeds back fully).
void checkRobust(const EffectSettings& s, Effect kind, const std::string& name) {
    const double rate = 44100;
    const auto chain = EffectChain::create(s, rate, nullptr);
    ASSERT_TRUE(chain) << name;
    const bool endless = kind == Effect::Echo && s.echo.feedback == 100;
    Signal block = noise(static_cast<int>(rate));
    for (int seconds = 0; seconds < 60; ++seconds) {
        chain->process(block.data(), frames(block));
        float peak = 0;
        for (float v : block) {
            ASSERT_TRUE(std::isfinite(v) && std::fpclassify(v) != FP_SUBNORMAL) << name;
            peak = std::max(peak, std::fabs(v));
        }
        if (seconds > 0 && (peak < 1e-6f || (endless && seconds == 3))) return;
        std::fill(block.begin(), block.end(), 0.0f);
    }
    ADD_FAILURE() << name << ": the tail has not died away after a minute";
}

TEST(Effects, StayFiniteAndDecayOverTheirParameterRanges) {
    const EffectSettings &low = kLowest, &high = kHighest, defaults;
    for (const auto& [kind, offset, size] : kBlocks) {
        const std::string name = effectCaption(kind);
        checkRobust(only(kind, low), kind, name + " all lowest");
        checkRobust(only(kind, high), kind, name + " all highest");
        checkRobust(only(kind, defaults), kind, name + " defaults");
        for (std::size_t field = offset; field < offset + size; field += 4) {
            for (const EffectSettings* limit : {&low, &high}) {
                EffectSettings s = defaults;
                std::memcpy(reinterpret_cast<char*>(&s) + field,
                            reinterpret_cast<const char*>(limit) + field, 4);
                checkRobust(only(kind, s), kind,
                            name + " field " + std::to_string((field - offset) / 4) +
                                (limit == &low ? " lowest" : " highest"));
            }
        }
    }
}

}  // namespace
}  // namespace qn::fx
