// The synthesiser engine's latencies, audio callback durations and memory,
// and the offline renderer's speed.
//
// Latency runs play through SDL: the real output device when one opens, else
// the dummy driver (SDL_AUDIODRIVER=dummy on a machine without sound). A probe
// installed as the engine's AudioProcessor runs at the end of every callback
// and notes where its block starts on the audio clock, when it ran (steady
// clock) and its first non-silent frame. A latency is
//   (end of the callback carrying the first audible frame - the user's action)
//   - (the first note event's frame in its file) / rate,
// the action being what the program does for it: Play exports the composition
// and loads it (Playback::Play), a key loads its one-note preview;
// that is: the wait for the callback, the synth's own 64-frame step and the
// note's attack, measured against where the event actually sits in the stream.
// The time from the callback carrying the file's start to the one carrying the
// sound is counted on the audio clock (frames / rate), since the dummy driver
// runs about 15 % ahead of real time; on a real device the two agree.
// A real device adds its queued period (one more buffer) before anything is
// heard; the dummy driver has none. Target: under one buffer period.
// callback_worst_ms: the longest audio callback while the figure was taken.
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
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

#include "fullcomposition.h"
#include "model/editstate.h"
#include "model/midiwriter.h"
#include "model/notepreview.h"
#include "sound/engine/audiofilewriter.h"
#include "sound/engine/midisequence.h"
#include "sound/engine/offlinerenderer.h"
#include "sound/engine/soundfont.h"
#include "sound/engine/synthengine.h"
#include "sound/playback/playback.h"

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
        int firstSound = -1;  // frame within the block, or -1
    };
    static constexpr int kBlocks = 2048;  // 12 s at 256 frames and 44.1 kHz

    explicit BlockLog(const SynthEngine& engine) : m_engine(engine) {}

    void process(float* interleaved, int frames) noexcept override {
        Block b;
        b.renderedNs = nowNs();
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

    // The first block ending after `frame` with sound from `frame` on, or
    // with `any`, the first block ending after `frame`.
    bool findSound(int64_t frame, int blockFrames, Block* sound, bool any = false) const {
        const uint64_t written = m_written.load(std::memory_order_acquire);
        const uint64_t from = written > kBlocks ? written - kBlocks : 0;
        for (uint64_t i = from; i < written; ++i) {
            const Block& b = m_blocks[i % kBlocks];
            if (b.startFrame + blockFrames <= frame) continue;
            if (any || (b.firstSound >= 0 && b.startFrame + b.firstSound >= frame)) {
                *sound = b;
                return true;
            }
        }
        return false;
    }

  private:
    const SynthEngine& m_engine;
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
        while (!e.engine->isSoundFontReady()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::msleep(2);
        }
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

// Runs the event loop (the engine's own timers) for `ms`.
void runFor(int ms) {
    const int64_t until = nowNs() + int64_t{ms} * 1000000;
    while (nowNs() < until) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        QThread::usleep(500);
    }
}

// The frame, within the file, of its first note on.
int64_t firstNoteFrame(const std::vector<uint8_t>& midi, int rate) {
    std::string error;
    const auto sequence = MidiSequence::parse(midi, rate, &error);
    for (const SequenceEvent& e : sequence->events())
        if ((e.status & 0xF0) == 0x90 && e.data2 > 0) return e.frame;
    return 0;
}

// `start` (which plays `midi`) again and again.
void measureLatency(benchmark::State& state, const std::vector<uint8_t>& midi,
                    const std::function<void()>& start) {
    Engine& e = sharedEngine();
    SynthEngine& engine = *e.engine;
    const double rate = engine.sampleRate();
    const double leadMs = firstNoteFrame(midi, engine.sampleRate()) * 1000.0 / rate;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> phaseMs(0, 6);
    std::vector<double> latencies, callbackMs;
    for (auto _ : state) {
        engine.stop();
        runFor(20 + phaseMs(random));  // any phase of the callback
        engine.resetLongestCallback();
        const int64_t called = nowNs();
        start();
        BlockLog::Block sound;
        while (engine.playStartFrame() < 0 ||
               !e.log->findSound(engine.playStartFrame(), engine.bufferFrames(), &sound))
            QThread::usleep(200);
        BlockLog::Block start;
        e.log->findSound(engine.playStartFrame(), engine.bufferFrames(), &start, true);
        // Wall-clock to the end of the start's callback, then stream time to
        // the end of the sounding one: the dummy driver runs ahead of real time.
        const double latency = (start.renderedNs - called) / 1e6 +
                               (sound.startFrame - start.startFrame) * 1000.0 / rate - leadMs;
        latencies.push_back(latency);
        callbackMs.push_back(engine.longestCallbackNs() / 1e6);
        state.SetIterationTime(std::max(latency, 0.0) / 1000);
    }
    engine.stop();
    const double bufferMs = engine.bufferFrames() * 1000.0 / rate;
    state.counters["median_ms"] = percentile(latencies, 0.5);
    state.counters["p90_ms"] = percentile(latencies, 0.9);
    state.counters["max_ms"] = *std::max_element(latencies.begin(), latencies.end());
    state.counters["callback_worst_ms"] = *std::max_element(callbackMs.begin(), callbackMs.end());
    state.counters["buffer_ms"] = bufferMs;
    state.counters["lead_ms"] = leadMs;
    state.SetLabel(engine.audioDriver().toStdString());
}

// A piano key: the one-note preview file, its note at tick 0.
void BM_KeyToSound(benchmark::State& state) {
    SynthEngine& engine = *sharedEngine().engine;
    measureLatency(state, writenote(0, 12, 3, 4, 100).bytes, [&engine] {
        engine.load(writenote(0, 12, 3, 4, 100).bytes);
        engine.play(false);
    });
}
BENCHMARK(BM_KeyToSound)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(100);

// The window's side of playback, seen by nothing.
class NoDisplay : public PlaybackDisplay {
  public:
    void setStopBoxColor(uint32_t) override {}
    void setPauseBarsColor(uint32_t) override {}
    void startClockTimer() override {}
    void stopClockTimer() override {}
    bool clockTimerRunning() const override { return false; }
    void showCritical(const std::string&, const std::string&) override {}
    void apply(const DisplayChanges&) override {}
};

// Play on 4 x 10 001 notes, as the toolbar's button does it (without effects):
// its first notes start 24 ticks in (187.5 ms at Division 64).
void BM_PlayToSound(benchmark::State& state) {
    SynthEngine& engine = *sharedEngine().engine;
    const auto composition = makeFullComposition();
    EditState edit;
    NoDisplay display;
    PianoLights lights;
    Playback playback(*composition, edit, engine, display, lights);
    const auto midi = fullCompositionFile();
    measureLatency(state, midi, [&playback] { playback.Play(); });
    state.counters["file_kB"] = static_cast<double>(midi.size()) / 1000;
}
BENCHMARK(BM_PlayToSound)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(100);

// What Play prepares on the user-interface thread before anything can sound:
// the export of the full composition and its parse into the event list.
void BM_PrepareFullPlay(benchmark::State& state) {
    const auto c = makeFullComposition();
    size_t events = 0;
    for (auto _ : state) {
        const auto midi = WriteMidiFile(*c, 0, kTrackCount - 1, 0, c->SongLength);
        std::string error;
        const auto sequence = MidiSequence::parse(midi, kDefaultSampleRate, &error);
        events = sequence ? sequence->events().size() : 0;
        benchmark::DoNotOptimize(sequence.get());
    }
    state.counters["events"] = static_cast<double>(events);
}
BENCHMARK(BM_PrepareFullPlay)->Unit(benchmark::kMillisecond);

// The longest audio callback in the first two seconds of Play (state.range(0)
// = 0) and of Loop (1) on the full composition, and around 20 loop rewinds of
// a one-note file (2): the callback parses nothing; it only dispatches.
void BM_CallbackDuringPlay(benchmark::State& state) {
    Engine& e = sharedEngine();
    SynthEngine& engine = *e.engine;
    const bool rewinds = state.range(0) == 2;
    std::vector<uint8_t> midi = fullCompositionFile();
    if (rewinds) {
        Composition one;
        one.Division = 127;
        one.setNote(0, 0, {12, 100, 0});
        one.NoteCount[0] = 1;
        one.ComputeSongLength();
        midi = WriteMidiFile(one, 0, kTrackCount - 1, 0, one.SongLength);
    }
    std::vector<double> worst;
    for (auto _ : state) {
        engine.stop();
        runFor(50);
        engine.resetLongestCallback();
        engine.load(midi);
        engine.play(state.range(0) != 0);
        runFor(rewinds ? 20 * 270 : 2000);
        worst.push_back(engine.longestCallbackNs() / 1e6);
    }
    engine.stop();
    state.counters["worst_ms"] = *std::max_element(worst.begin(), worst.end());
    state.counters["target_ms"] = engine.bufferFrames() * 1000.0 / engine.sampleRate() / 4;
}
BENCHMARK(BM_CallbackDuringPlay)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// stop() after Play on the full composition: the user-interface thread's side.
void BM_StopAfterFullPlay(benchmark::State& state) {
    Engine& e = sharedEngine();
    SynthEngine& engine = *e.engine;
    const auto midi = fullCompositionFile();
    for (auto _ : state) {
        state.PauseTiming();
        engine.load(midi);
        engine.play(false);
        while (engine.playStartFrame() < 0)
            QThread::usleep(200);
        state.ResumeTiming();
        engine.stop();
    }
}
BENCHMARK(BM_StopAfterFullPlay)->Unit(benchmark::kMillisecond)->Iterations(20);

// Resident memory of the whole process once the full composition (four
// instruments) has played for a second on the font in use (QUILLNOTE_SOUNDFONT).
void BM_ResidentAfterPlay(benchmark::State& state) {
    Engine& e = sharedEngine();
    SynthEngine& engine = *e.engine;
    const auto midi = fullCompositionFile();
    for (auto _ : state) {
        engine.load(midi);
        engine.play(false);
        runFor(1000);
        engine.stop();
        runFor(50);
    }
    std::FILE* status = std::fopen("/proc/self/status", "r");
    char line[256];
    double residentKb = 0;
    while (status && std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmRSS: %lf", &residentKb) == 1) break;
    if (status) std::fclose(status);
    state.counters["resident_MB"] = residentKb / 1024;
    state.SetLabel(engine.soundFont().toStdString());
}
BENCHMARK(BM_ResidentAfterPlay)->Unit(benchmark::kMillisecond)->Iterations(1);

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
    // The engine reports through its event loop: the benchmarks run it while they wait.
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
