// Cost of the effect chain on one 256-frame buffer at 44.1 kHz, all eight
// effects together and each alone. The buffer plays for 5.8 ms; the "load%"
// counter is the processor time per buffer as a percentage of that (the
// refill of the buffer included). Nothing here asserts on time.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "sound/effects/effectchain.h"

namespace qn::bench {
namespace {

using fx::EffectSettings;

constexpr int kFrames = 256;
constexpr double kSampleRate = 44100;

EffectSettings allOn() {
    EffectSettings s;
    s.enabled.fill(true);
    return s;
}

EffectSettings only(Effect effect) {
    EffectSettings s;
    s.enabled[effectIndex(effect)] = true;
    return s;
}

void BM_EffectChain(benchmark::State& state, const EffectSettings& settings) {
    std::string error;
    const auto chain = fx::EffectChain::create(settings, kSampleRate, &error);
    if (!chain) {
        state.SkipWithError(error.c_str());
        return;
    }
    std::vector<float> input(2 * kFrames);
    std::mt19937 random(1);
    std::uniform_real_distribution<float> noise(-0.5f, 0.5f);
    std::generate(input.begin(), input.end(), [&] { return noise(random); });
    std::vector<float> buffer(input.size());
    // Processor time, so that other programs running beside do not count.
    const std::clock_t start = std::clock();
    for (auto _ : state) {
        std::copy(input.begin(), input.end(), buffer.begin());
        chain->process(buffer.data(), kFrames);
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
    const double seconds = double(std::clock() - start) / CLOCKS_PER_SEC;
    const double bufferSeconds = kFrames / kSampleRate;
    state.counters["load%"] = 100 * seconds / state.iterations() / bufferSeconds;
}

BENCHMARK_CAPTURE(BM_EffectChain, allEight, allOn())

    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_EffectChain, distortion, only(Effect::Distortion))

    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_EffectChain, echo, only(Effect::Echo))

    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_EffectChain, chorus, only(Effect::Chorus))

    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_EffectChain, flanger, only(Effect::Flanger))

    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_EffectChain, compressor, only(Effect::Compressor))

    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_EffectChain, gargle, only(Effect::Gargle))

    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_EffectChain, paramEq, only(Effect::Para))

    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_EffectChain, reverb, only(Effect::Reverb))

    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qn::bench

BENCHMARK_MAIN();
