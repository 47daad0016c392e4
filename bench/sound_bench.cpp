// The synthesiser engine's latencies and the offline renderer's speed.
//
// Latency runs play through SDL: the real output device when one opens, else
// the dummy driver (SDL_AUDIODRIVER=dummy on a machine without sound). A probe
// installed as the engine's AudioProcessor notes, for every block the callback
// renders, where the block starts on the audio clock, when it was rendered
// (steady clock) and its first non-silent frame. A latency is
//   (time the first block after play() was rendered - time of the call)
//   + (first sounding frame - first frame of that block) / rate - the file's lead,
// that is: the wait for the callback, FluidSynth's work in it (the player
// parses the whole file there), and the player's own timing in the stream.
// Counting later frames on the audio clock rather than the wall clock keeps
// the dummy driver's pace (5 ms per 5.8 ms buffer) out of the figure; on a real
// device the two agree. Target: at most one buffer + 2 ms.
// first_period_*: from the callback before play() to the first one after, that
// is the callback period plus FluidSynth's first work on the file (it parses
// the whole file in that callback).
//
// Nothing here asserts on time.

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QThread>
#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <random>
#include <vector>

#include "fullcomposition.h"
#include "model/midiwriter.h"
#include "model/notepreview.h"
#include "sound/engine/audiofilewriter.h"
#include "sound/engine/offlinerenderer.h"
#include "sound/engine/soundfont.h"
#include "sound/engine/synthengine.h"

namespace qn::bench {
namespace {

int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Audio thread: one record per block, in a ring the benchmark reads afterwards.
class BlockLog : public AudioProcessor {
  public:
    struct Block {
        int64_t startFrame = 0;
        int64_t renderedNs = 0;
        int firstSound = -1;          // frame within the block, or -1
        int64_t sincePreviousNs = 0;  // the callback period, plus any extra work in it
    };
    static constexpr int kBlocks = 2048;  // 12 s at 256 frames and 44.1 kHz

    explicit BlockLog(const SynthEngine& engine) : m_engine(engine) {}

    void process(float* interleaved, int frames) noexcept override {
        Block b;
        b.renderedNs = nowNs();
        b.sincePreviousNs = b.renderedNs - m_previousNs;
        m_previousNs = b.renderedNs;
        b.startFrame = m_engine.framesRendered();  // counted after the processor
        for (int f = 0; f < frames; ++f)
            if (interleaved[2 * f] != 0.0f || interleaved[2 * f + 1] != 0.0f) {
                b.firstSound = f;
                break;
            }
        const uint64_t n = m_written.load(std::memory_order_relaxed);
        m_blocks[n % kBlocks] = b;
        m_written.store(n + 1, std::memory_order_release);
    }

    // The first block starting at or after `frame` with sound, and the block starting there.
    bool find(int64_t frame, Block* start, Block* sound) const {
        const uint64_t written = m_written.load(std::memory_order_acquire);
        const uint64_t from = written > kBlocks ? written - kBlocks : 0;
        bool haveStart = false;
        for (uint64_t i = from; i < written; ++i) {
            const Block& b = m_blocks[i % kBlocks];
            if (b.startFrame < frame) continue;
            if (!haveStart) {
                *start = b;
                haveStart = true;
            }
            if (b.firstSound >= 0) {
                *sound = b;
                return true;
            }
        }
        return false;
    }

  private:
    const SynthEngine& m_engine;
    int64_t m_previousNs = 0;  // audio thread only
    std::array<Block, kBlocks> m_blocks{};
    std::atomic<uint64_t> m_written{0};
};

QString soundFont() {
    QString error;
    const QString font = findSoundFont(systemSoundFontSources(), &error);
    if (font.isEmpty()) {
        std::fprintf(stderr, "no sound font: %s\n", qUtf8Printable(error));
        std::exit(1);
    }
    return font;
}

std::vector<uint8_t> fullCompositionFile() {
    auto c = makeFullComposition();
    c->ComputeSongLength();
    return WriteMidiFile(*c, 0, kTrackCount - 1, 0, c->SongLength);
}

struct Engine {
    std::unique_ptr<SynthEngine> engine;
    BlockLog* log = nullptr;
};

Engine& sharedEngine() {
    static Engine shared = [] {
        Engine e;
        auto created = SynthEngine::create();
        if (!created.engine) {
            std::fprintf(stderr, "no engine: %s\n", qUtf8Printable(created.error));
            std::exit(1);
        }
        e.engine = std::move(created.engine);
        auto log = std::make_unique<BlockLog>(*e.engine);
        e.log = log.get();
        e.engine->setAudioProcessor(std::move(log));
        return e;
    }();
    return shared;
}

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size())))];
}

// load() + play() of `midi` again and again; `leadMs`: when the file's first note is due.
void measureLatency(benchmark::State& state, const std::vector<uint8_t>& midi, double leadMs) {
    Engine& e = sharedEngine();
    SynthEngine& engine = *e.engine;
    const double rate = engine.sampleRate();
    std::mt19937 random(7);
    std::uniform_int_distribution<int> phaseUs(0, 6000);
    std::vector<double> latencies, callbackMs, periodMs;
    for (auto _ : state) {
        engine.stop();
        QThread::usleep(20000 +
                        static_cast<unsigned long>(phaseUs(random)));  // any phase of the callback
        const int64_t called = nowNs();
        engine.load(midi);
        engine.play(false);
        BlockLog::Block start, sound;
        while (!e.log->find(engine.playStartFrame(), &start, &sound))
            QThread::usleep(200);
        const double waitMs = (start.renderedNs - called) / 1e6;
        const double streamMs =
            (sound.startFrame + sound.firstSound - engine.playStartFrame()) * 1000.0 / rate;
        const double latency = waitMs + streamMs - leadMs;
        latencies.push_back(latency);
        callbackMs.push_back(waitMs);
        periodMs.push_back(start.sincePreviousNs / 1e6);
        state.SetIterationTime(std::max(latency, 0.0) / 1000);
    }
    engine.stop();
    const double bufferMs = engine.bufferFrames() * 1000.0 / rate;
    state.counters["median_ms"] = percentile(latencies, 0.5);
    state.counters["p90_ms"] = percentile(latencies, 0.9);
    state.counters["max_ms"] = *std::max_element(latencies.begin(), latencies.end());
    state.counters["first_block_median_ms"] = percentile(callbackMs, 0.5);
    // Between the callback before and the first one after play(): the period
    // plus what FluidSynth does first in that block (parsing the file).
    state.counters["first_period_median_ms"] = percentile(periodMs, 0.5);
    state.counters["first_period_max_ms"] = *std::max_element(periodMs.begin(), periodMs.end());
    state.counters["target_ms"] = bufferMs + 2;
    state.SetLabel(engine.audioDriver().toStdString());
}

// A piano key: the one-note preview file, its note at tick 0.
void BM_KeyToSound(benchmark::State& state) {
    measureLatency(state, writenote(0, 12, 3, 4, 100).bytes, 0);
}
BENCHMARK(BM_KeyToSound)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(100);

// Play on 4 x 10 001 notes: the file starts its notes 24 ticks in (187.5 ms at Division 64).
void BM_PlayToSound(benchmark::State& state) {
    const auto midi = fullCompositionFile();
    measureLatency(state, midi, 24 * 500.0 / Composition().Division);
    state.counters["file_kB"] = static_cast<double>(midi.size()) / 1000;
}
BENCHMARK(BM_PlayToSound)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(40);

// stop() after Play on the full composition: the player that is deleted
// holds the parsed file (80 000 events), and the device stays locked meanwhile.
void BM_StopAfterFullPlay(benchmark::State& state) {
    Engine& e = sharedEngine();
    SynthEngine& engine = *e.engine;
    const auto midi = fullCompositionFile();
    for (auto _ : state) {
        state.PauseTiming();
        engine.load(midi);
        engine.play(false);
        BlockLog::Block start, sound;
        while (!e.log->find(engine.playStartFrame(), &start, &sound))
            QThread::usleep(200);
        state.ResumeTiming();
        engine.stop();
    }
}
BENCHMARK(BM_StopAfterFullPlay)->Unit(benchmark::kMillisecond)->Iterations(20);

OfflineRenderer& renderer() {
    static const auto shared = [] {
        QString error;
        auto r = OfflineRenderer::create(soundFont(), &error);
        if (!r) {
            std::fprintf(stderr, "no renderer: %s\n", qUtf8Printable(error));
            std::exit(1);
        }
        return r;
    }();
    return *shared;
}

// The full composition cut to the first `notes` of each track, rendered
// offline into a WAV file in memory, as `quillnote --render` does.
void BM_OfflineRender(benchmark::State& state) {
    auto c = makeFullComposition();
    for (int t = 0; t < kTrackCount; ++t)
        c->NoteCount[t] = static_cast<int16_t>(state.range(0));
    c->ComputeSongLength();
    const auto midi = WriteMidiFile(*c, 0, kTrackCount - 1, 0, c->SongLength);
    uint64_t frames = 0;
    for (auto _ : state) {
        QBuffer file;
        file.open(QIODevice::WriteOnly);
        AudioFileWriter wav(file, AudioFileType::Wav, renderer().sampleRate());
        QString error;
        const auto r = renderer().render(
            midi, {}, [&wav](const float* s, int n) { return wav.write(s, n); }, &error);
        frames = r ? r->frames : 0;
        if (!wav.finish()) state.SkipWithError(qPrintable(wav.error()));
        benchmark::DoNotOptimize(file.data().data());
    }
    const double audioSeconds = static_cast<double>(frames) / renderer().sampleRate();
    state.counters["audio_s"] = audioSeconds;
    state.counters["x_realtime"] = benchmark::Counter(
        audioSeconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_OfflineRender)->Arg(1000)->Arg(kNoteSlots)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace qn::bench

int main(int argc, char** argv) {
    // The engine polls with a timer; the latencies need no event loop beyond that.
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
