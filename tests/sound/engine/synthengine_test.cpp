#include "sound/engine/synthengine.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <array>
#include <atomic>

#include "model/notepreview.h"
#include "synthtestsupport.h"

// The engine plays in real time through SDL's dummy driver (CTest sets
// SDL_AUDIODRIVER=dummy), and a probe installed as its AudioProcessor
// records the level of every block the callback renders.

namespace qn {
namespace {

using namespace synthtest;

constexpr float kSilent = 1e-5f;  // -100 dB full scale
constexpr float kLoud = 1e-2f;    // -40 dB

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    return true;
}

void waitMs(int ms) {
    waitUntil([] { return false; }, ms);
}

// Records the peak of every block (audio thread), without allocating.
class Probe : public AudioProcessor {
  public:
    static constexpr int kMaxBlocks = 8192;
    explicit Probe(std::atomic<int>* destroyed = nullptr) : m_destroyed(destroyed) {}
    ~Probe() override {
        if (m_destroyed) m_destroyed->fetch_add(1);
    }
    void process(float* interleaved, int frames) noexcept override {
        const int n = m_count.load(std::memory_order_relaxed);
        if (n >= kMaxBlocks) return;
        float p = 0;
        for (int i = 0; i < 2 * frames; ++i)
            p = std::max(p, std::fabs(interleaved[i]));
        m_peaks[n] = p;
        m_count.store(n + 1, std::memory_order_release);
    }
    int count() const { return m_count.load(std::memory_order_acquire); }
    float peak(int block) const { return m_peaks[block]; }
    // The first block from `from` on that is louder than `level`, or -1.
    int firstLouder(float level, int from = 0) const {
        for (int b = from; b < count(); ++b)
            if (m_peaks[b] > level) return b;
        return -1;
    }
    float loudest(int from, int to) const {
        float p = 0;
        for (int b = from; b < std::min(to, count()); ++b)
            p = std::max(p, m_peaks[b]);
        return p;
    }
    // Blocks where the level rises above kLoud after being below quiet.
    int onsets(float quiet = 1e-4f) const {
        int found = 0;
        bool wasQuiet = true;
        for (int b = 0; b < count(); ++b) {
            if (wasQuiet && m_peaks[b] > kLoud) {
                ++found;
                wasQuiet = false;
            } else if (m_peaks[b] < quiet) {
                wasQuiet = true;
            }
        }
        return found;
    }

  private:
    std::array<float, kMaxBlocks> m_peaks{};
    std::atomic<int> m_count{0};
    std::atomic<int>* m_destroyed;
};

class SynthEngineTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
        auto created = SynthEngine::create();
        ASSERT_TRUE(created.engine) << created.error.toStdString();
        s_engine = created.engine.release();
    }
    static void TearDownTestSuite() {
        delete s_engine;
        s_engine = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(s_engine);
        engine().stop();
        engine().setMasterVolume(0);
        engine().setEndOfPlaybackHandler({});
        probe = new Probe;
        engine().setAudioProcessor(std::unique_ptr<AudioProcessor>(probe));
    }
    void TearDown() override {
        if (!s_engine) return;
        engine().stop();
        engine().setAudioProcessor(nullptr);
    }
    static SynthEngine& engine() { return *s_engine; }

    Probe* probe = nullptr;  // owned by the engine
    static SynthEngine* s_engine;
};

SynthEngine* SynthEngineTest::s_engine = nullptr;

TEST_F(SynthEngineTest, RunsAtTheDeviceRateWithSmallBuffersThroughTheDriverAskedFor) {
    EXPECT_EQ(engine().audioDriver(), qEnvironmentVariable("SDL_AUDIODRIVER"));
    EXPECT_GE(engine().sampleRate(), 8000);
    EXPECT_EQ(engine().bufferFrames(), 256);
    EXPECT_FALSE(engine().soundFont().isEmpty());
}

TEST_F(SynthEngineTest, LoadTakesMidiFilesFromMemoryOrDiskAndRejectsOtherBytes) {
    auto c = composition(64, {{{12, 100, 3}}});
    const auto midi = midiOf(*c);
    for (const auto& [bytes, valid] :
         {std::pair{midi, true},
          {std::vector<uint8_t>{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 1, 0, 64}, false},
          {writenote(0, 12, 3, 4, 100).bytes, true},
          {std::vector<uint8_t>{}, false}}) {
        EXPECT_EQ(engine().load(bytes), valid);
        EXPECT_EQ(engine().hasLoaded(), valid);
    }

    QTemporaryDir dir;
    const auto write = [&dir](const char* name, const QByteArray& bytes) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName().toStdString();
    };
    const std::string song =
        write("song.mid", QByteArray(reinterpret_cast<const char*>(midi.data()),
                                     static_cast<qsizetype>(midi.size())));
    const std::string text = write("notes.txt", "COMPOSITIONNAMEx\r\n");
    EXPECT_TRUE(engine().loadFile(song));
    EXPECT_TRUE(engine().hasLoaded());
    for (const std::string& bad :
         {text, dir.filePath("missing.mid").toStdString(), std::string()}) {
        EXPECT_FALSE(engine().loadFile(bad)) << bad;
        EXPECT_FALSE(engine().hasLoaded()) << bad;
    }
}

TEST_F(SynthEngineTest, PlaySoundsTheFileAndCallsTheEndHandlerOnceAtItsEnd) {
    const int division = 127;
    auto c = composition(division, {{{12, 100, 5}, {16, 100, 5}}});
    ASSERT_TRUE(engine().load(midiOf(*c)));
    int calls = 0;
    int64_t endClock = 0;
    engine().setEndOfPlaybackHandler([&] {
        ++calls;
        endClock = engine().clockMs();
    });
    const int64_t startClock = engine().clockMs();
    engine().play(false);
    EXPECT_TRUE(engine().isPlaying());
    ASSERT_TRUE(waitUntil([&] { return calls > 0; }, 5000));
    EXPECT_GT(probe->loudest(0, probe->count()), kLoud);
    // The file ends with its empty tracks, 132 ticks in; the clock polls every 20 ms.
    const double fileMs = kEmptyTrackTicks * tickMs(division);
    EXPECT_GE(endClock - startClock, fileMs - 10);
    EXPECT_LE(endClock - startClock, fileMs + 300);
    EXPECT_FALSE(engine().isPlaying());
    waitMs(300);
    EXPECT_EQ(calls, 1);
}

TEST_F(SynthEngineTest, StopSilencesWithinOneAudioBufferAndIsNoEndOfPlayback) {
    auto c = composition(32, {{{12, 110, 5}}}, kOrgan);
    ASSERT_TRUE(engine().load(midiOf(*c)));
    int calls = 0;
    engine().setEndOfPlaybackHandler([&] { ++calls; });
    engine().play(false);
    ASSERT_TRUE(waitUntil([&] { return probe->firstLouder(kLoud) >= 0; }, 3000));
    waitMs(50);
    const int before = probe->count();
    engine().stop();
    EXPECT_GT(probe->peak(before - 1), kLoud);
    const int stopped = probe->count();
    ASSERT_TRUE(waitUntil([&] { return probe->count() > stopped + 40; }, 3000));
    // The block under way when stop() came may still sound; every later one is silent.
    EXPECT_LE(probe->loudest(before + 1, probe->count()), kSilent);
    EXPECT_FALSE(engine().isPlaying());
    waitMs(100);
    EXPECT_EQ(calls, 0);
}

TEST_F(SynthEngineTest, LoopRepeatsTheFileUntilStopped) {
    const int division = 127;
    // Every track holds a note, so a pass is 24 + 40 ticks: 252 ms.
    std::vector<std::vector<NoteSpec>> tracks(kTrackCount, {{12, 100, 2}});
    auto c = composition(division, tracks, kOrgan);
    ASSERT_TRUE(engine().load(midiOf(*c)));
    int calls = 0;
    engine().setEndOfPlaybackHandler([&] { ++calls; });
    engine().play(true);
    ASSERT_TRUE(waitUntil([&] { return probe->onsets() >= 4; }, 5000));
    EXPECT_TRUE(engine().isPlaying());
    EXPECT_EQ(calls, 0);
    engine().stop();
}

TEST_F(SynthEngineTest, MasterVolumeMinus3000IsAboutThirtyDecibelsQuieter) {
    auto c = composition(32, {{{12, 100, 5}}}, kOrgan);
    ASSERT_TRUE(engine().load(midiOf(*c)));
    const auto loudestOfNote = [&] {
        const int from = probe->count();
        engine().play(false);
        EXPECT_TRUE(waitUntil([&] { return probe->firstLouder(1e-4f, from) >= 0; }, 3000));
        const int start = probe->firstLouder(1e-4f, from);
        // 200 ms of the held note, after the attack.
        EXPECT_TRUE(waitUntil([&] { return probe->count() > start + 60; }, 3000));
        engine().stop();
        return probe->loudest(start + 20, start + 60);
    };
    const float full = loudestOfNote();
    engine().setMasterVolume(-3000);
    EXPECT_EQ(engine().masterVolume(), -3000);
    const float quiet = loudestOfNote();
    EXPECT_NEAR(db(quiet / full), -30.0, 1.5);
}

TEST_F(SynthEngineTest, AudioProcessorsAreReplacedWhilePlayingAndDestroyedHere) {
    auto c = composition(64, {{{12, 100, 5}, {14, 100, 5}, {16, 100, 5}}});
    ASSERT_TRUE(engine().load(midiOf(*c)));
    engine().play(false);
    std::atomic<int> destroyed{0};
    Probe* last = nullptr;
    for (int i = 0; i < 20; ++i) {
        last = new Probe(&destroyed);
        engine().setAudioProcessor(std::unique_ptr<AudioProcessor>(last));
        waitMs(5);
    }
    EXPECT_EQ(destroyed.load(), 19);
    const int blocks = last->count();
    EXPECT_TRUE(waitUntil([&] { return last->count() > blocks + 3; }, 2000));
    engine().setAudioProcessor(nullptr);
    EXPECT_EQ(destroyed.load(), 20);
    probe = nullptr;
}

TEST_F(SynthEngineTest, ThePreviewSoundsWithinOneBufferOfPlay) {
    const auto preview = writenote(0, 12, 3, 4, 100);
    ASSERT_TRUE(engine().load(preview.bytes));
    const int before = probe->count();
    engine().play(false);
    ASSERT_TRUE(waitUntil([&] { return probe->firstLouder(1e-4f, before) >= 0; }, 2000));
    // The block under way may still be silent; the next one sounds.
    EXPECT_LE(probe->firstLouder(1e-4f, before), before + 2);
}

TEST(SynthEngineCreate, FailsWithAReasonWithoutASoundFont) {
    QTemporaryDir dir;
    QFile notAFont(dir.filePath(QStringLiteral("font.sf2")));
    ASSERT_TRUE(notAFont.open(QIODevice::WriteOnly));
    notAFont.write("RIFF\0\0\0\0WAVEfmt ");
    notAFont.close();
    for (const QString& font : {dir.filePath(QStringLiteral("missing.sf2")), notAFont.fileName()}) {
        SynthEngine::Options options;
        options.soundFont = font;
        const auto created = SynthEngine::create(options);
        EXPECT_FALSE(created.engine);
        EXPECT_TRUE(created.error.contains(font)) << created.error.toStdString();
    }
}

TEST(SynthEngineCreate, FallsBackToTheDummyDriverWhenNoDeviceOpens) {
    const QByteArray saved = qgetenv("SDL_AUDIODRIVER");
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    auto created = SynthEngine::create();
    qputenv("SDL_AUDIODRIVER", saved);
    ASSERT_TRUE(created.engine) << created.error.toStdString();
    EXPECT_TRUE(created.error.isEmpty());
    EXPECT_FALSE(created.status.isEmpty());
    EXPECT_EQ(created.engine->audioDriver(), QStringLiteral("dummy"));
    // It plays on, silently, with its clock running.
    const int64_t first = created.engine->clockMs();
    waitMs(100);
    EXPECT_GT(created.engine->clockMs(), first);
}

}  // namespace
}  // namespace qn
