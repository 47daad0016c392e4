#include "sound/engine/synthengine.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <array>
#include <atomic>
#include <csignal>
#include <utility>

#include "enginetestsupport.h"

// The engine plays in real time through SDL's dummy driver (CTest sets
// SDL_AUDIODRIVER=dummy), and a probe installed as its AudioProcessor
// records the level of every block the callback renders.

namespace qn {
namespace {

using namespace enginetest;

constexpr float kSilent = 1e-5f;  // -100 dB full scale
constexpr float kLoud = 1e-2f;    // -40 dB

// Runs the event loop until `condition` holds; false if it does not within 5 s.
bool waitUntil(const std::function<bool()>& condition) {
    for (int i = 0; i < 2500 && !condition(); ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        QThread::msleep(2);
    }
    return condition();
}

// Writes `bytes` to the file `name` in `dir`; its path.
QString writeFile(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    QFile f(dir.filePath(QString::fromLatin1(name)));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    return f.fileName();
}

// Records the peak of every block (audio thread), without allocating.
class Probe : public AudioProcessor {
  public:
    explicit Probe(std::atomic<int>* destroyed = nullptr) : m_destroyed(destroyed) {}
    ~Probe() override {
        if (m_destroyed) ++*m_destroyed;
    }
    void process(float* interleaved, int frames) noexcept override {
        const int n = m_count.load(std::memory_order_relaxed);
        if (n >= static_cast<int>(m_peaks.size())) return;
        m_peaks[n] = 0;
        for (int i = 0; i < 2 * frames; ++i)
            m_peaks[n] = std::max(m_peaks[n], std::fabs(interleaved[i]));
        m_count.store(n + 1, std::memory_order_release);
    }
    int count() const { return m_count.load(std::memory_order_acquire); }
    // The loudest of the blocks from..to-1 rendered so far.
    float loudest(int from, int to) const {
        float p = 0;
        for (int b = std::max(from, 0); b < std::min(to, count()); ++b)
            p = std::max(p, m_peaks[b]);
        return p;
    }
    // Waits until `blocks` more have been rendered; returns the count before.
    int waitBlocks(int blocks) const {
        const int from = count();
        EXPECT_TRUE(waitUntil([&] { return count() >= from + blocks; }));
        return from;
    }

  private:
    std::array<float, 8192> m_peaks{};
    std::atomic<int> m_count{0};
    std::atomic<int>* m_destroyed;
};

// One engine, and so one sound font load, for all the tests that play.
class SynthEngineTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        auto created = SynthEngine::create();
        ASSERT_TRUE(created.engine) << created.error.toStdString();
        s_engine = created.engine.release();
        ASSERT_TRUE(waitUntil([] { return s_engine->isSoundFontReady(); }));
    }
    static void TearDownTestSuite() { delete std::exchange(s_engine, nullptr); }
    void SetUp() override {
        ASSERT_TRUE(s_engine);
        engine().setMasterVolume(0);
        engine().setEndOfPlaybackHandler([this] { ++ends; });
        engine().setAudioProcessor(std::unique_ptr<AudioProcessor>(probe = new Probe));
    }
    void TearDown() override {
        engine().stop();
        engine().setEndOfPlaybackHandler({});
        engine().setAudioProcessor(nullptr);
    }
    static SynthEngine& engine() { return *s_engine; }
    static int blocksOf(double ms) {
        return static_cast<int>(ms * engine().sampleRate() / 1000 / engine().bufferFrames()) + 1;
    }

    Probe* probe = nullptr;  // owned by the engine
    int ends = 0;            // calls of the end-of-playback handler
    static SynthEngine* s_engine;
};

SynthEngine* SynthEngineTest::s_engine = nullptr;

TEST_F(SynthEngineTest, LoadTakesMidiFilesFromMemoryOrDiskAndRejectsOtherBytes) {
    const auto midi = midiOf(*composition(64, {{12, 100, 3}}));
    // A header without its track, and a whole file whose magic is wrong.
    auto renamed = midi;
    renamed[0] = 'X';
    for (const auto& [bytes, valid] :
         {std::pair{midi, true},
          {std::vector<uint8_t>(midi.begin(), midi.begin() + 14), false},
          {renamed, false}}) {
        EXPECT_EQ(engine().load(bytes), valid);
        EXPECT_EQ(engine().hasLoaded(), valid);
    }
    QTemporaryDir dir;
    const auto song =
        writeFile(dir, "song.mid",
                  QByteArray(reinterpret_cast<const char*>(midi.data()), qsizetype(midi.size())))
            .toStdString();
    // A file is parsed in the background and counts as loaded meanwhile.
    for (const auto& [path, valid] :
         {std::pair{song, true},
          {writeFile(dir, "notes.txt", "COMPOSITIONNAMEx\r\n").toStdString(), false},
          {dir.filePath("missing.mid").toStdString(), false},
          {std::string(), false}}) {
        EXPECT_EQ(engine().loadFile(path), valid) << path;
        EXPECT_EQ(engine().hasLoaded(), valid) << path;
        EXPECT_TRUE(engine().lastLoadError().empty());
    }
    // Too large: refused unread, with a reason for the user.
    QFile huge(writeFile(dir, "huge.mid", "MThd"));
    ASSERT_TRUE(huge.resize(qint64{MidiSequence::kMaxFileBytes} + 1));
    EXPECT_FALSE(engine().loadFile(huge.fileName().toStdString()));
    EXPECT_NE(engine().lastLoadError().find("64 MB"), std::string::npos);
}

TEST_F(SynthEngineTest, PlaySoundsTheFileAndCallsTheEndHandlerOnceAtItsEnd) {
    const int division = 127;
    ASSERT_TRUE(engine().load(midiOf(*composition(division, {{12, 100, 5}, {16, 100, 5}}))));
    int64_t endClock = 0;
    engine().setEndOfPlaybackHandler([&] {
        ++ends;
        endClock = engine().clockMs();
    });
    const int64_t startClock = engine().clockMs();
    engine().play(false);
    EXPECT_TRUE(engine().isPlaying());
    ASSERT_TRUE(waitUntil([&] { return ends > 0; }));
    EXPECT_GT(probe->loudest(0, probe->count()), kLoud);
    // The file ends with its empty tracks, 132 ticks in; the clock polls every 20 ms.
    const double fileMs = kEmptyTrackTicks * tickMs(division);
    EXPECT_GE(endClock - startClock, fileMs - 10);
    EXPECT_LE(endClock - startClock, fileMs + 300);
    EXPECT_FALSE(engine().isPlaying());
    probe->waitBlocks(blocksOf(300));
    EXPECT_EQ(ends, 1);
}

// A held organ note: the master volume acts at once, Stop silences within
// one block, and neither ends the playback.
TEST_F(SynthEngineTest, VolumeAndStopActAtOnceOnWhatPlays) {
    ASSERT_TRUE(engine().load(midiOf(*composition(32, {{12, 110, 5}}))));
    engine().play(false);
    ASSERT_TRUE(waitUntil([&] { return probe->loudest(0, probe->count()) > kLoud; }));
    // The loudest of the next 20 blocks, from the third on: after any change has settled.
    const auto loudestAhead = [&] {
        const int from = probe->waitBlocks(20) + 2;
        return probe->loudest(from, probe->count());
    };
    const float full = loudestAhead();
    engine().setMasterVolume(-3000);
    const float quiet = loudestAhead();
    EXPECT_NEAR(20 * std::log10(quiet / full), -30.0, 1.5);
    const int before = probe->count();
    engine().stop();
    EXPECT_GT(probe->loudest(before - 1, before), kSilent * 10);
    probe->waitBlocks(40);
    // The block under way or the next fades out; silence after that.
    EXPECT_LE(probe->loudest(before + 2, probe->count()), kSilent);
    EXPECT_FALSE(engine().isPlaying());
    EXPECT_EQ(ends, 0);
}

TEST_F(SynthEngineTest, LoopRepeatsTheFileUntilStopped) {
    // Every track holds a note, so a pass is 24 + 40 ticks: 252 ms.
    const double passMs = (kLeadTicks + kStepTicks) * tickMs(127);
    ASSERT_TRUE(engine().load(midiOf(*composition(127, {{12, 100, 2}}, kTrackCount))));
    engine().play(true);
    probe->waitBlocks(blocksOf(3 * passMs));
    // The third pass still sounds, and the file never ended.
    EXPECT_GT(probe->loudest(probe->count() - blocksOf(passMs), probe->count()), kLoud);
    EXPECT_TRUE(engine().isPlaying());
    EXPECT_EQ(ends, 0);
}

TEST_F(SynthEngineTest, AudioProcessorsAreReplacedWhilePlayingAndDestroyedHere) {
    ASSERT_TRUE(engine().load(midiOf(*composition(64, {{12, 100, 5}, {14, 100, 5}}))));
    engine().play(false);
    std::atomic<int> destroyed{0};
    Probe* last = nullptr;
    for (int i = 0; i < 20; ++i) {
        engine().setAudioProcessor(std::unique_ptr<AudioProcessor>(last = new Probe(&destroyed)));
        last->waitBlocks(1);
    }
    EXPECT_EQ(destroyed.load(), 19);
    engine().setAudioProcessor(nullptr);
    EXPECT_EQ(destroyed.load(), 20);
}

// With a device open, interrupting or terminating the program must still end it.
TEST_F(SynthEngineTest, LeavesTheTerminationSignalsToTheirDefaults) {
    for (const int signal : {SIGTERM, SIGINT}) {
        struct sigaction action {};
        sigaction(signal, nullptr, &action);
        EXPECT_EQ(action.sa_handler, SIG_DFL) << signal;
    }
}

// After SynthEngineTest has closed its device: only one may be open at a time.
TEST(SynthEngineCreate, FailsWithAReasonWithoutASoundFontAndFallsBackToTheDummyDriver) {
    QTemporaryDir dir;
    const QString notAFont = writeFile(dir, "font.sf2", QByteArray("RIFF\0\0\0\0WAVEfmt ", 16));
    for (const QString& font : {dir.filePath(QStringLiteral("missing.sf2")), notAFont}) {
        const auto created = SynthEngine::create({.soundFont = font});
        EXPECT_FALSE(created.engine);
        EXPECT_TRUE(created.error.contains(font)) << created.error.toStdString();
    }
    const QByteArray saved = qgetenv("SDL_AUDIODRIVER");
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    const auto created = SynthEngine::create();
    qputenv("SDL_AUDIODRIVER", saved);
    ASSERT_TRUE(created.engine) << created.error.toStdString();
    EXPECT_FALSE(created.engine->status().isEmpty());
    EXPECT_EQ(created.engine->audioDriver(), QStringLiteral("dummy"));
    // It plays on, silently, with its clock running.
    const int64_t first = created.engine->clockMs();
    EXPECT_TRUE(waitUntil([&] { return created.engine->clockMs() > first; }));
}

// The window comes before the sound, as the window starts it: nothing is
// opened until the first setSoundFont(); a Play asked for meanwhile waits and
// then sounds; a font chosen later takes over without a restart.
TEST(SynthEngineFont, PlayBeforeTheFontIsReadyStartsWhenItIs) {
    SynthEngine::Options later;
    later.loadFontLater = true;
    auto created = SynthEngine::create(later);
    ASSERT_TRUE(created.engine) << created.error.toStdString();
    SynthEngine& engine = *created.engine;
    int ready = 0;
    QObject::connect(&engine, &SynthEngine::soundFontReady, [&ready] { ++ready; });
    auto* probe = new Probe;
    engine.setAudioProcessor(std::unique_ptr<AudioProcessor>(probe));
    ASSERT_TRUE(engine.load(midiOf(*composition(64, {{12, 110, 5}}))));
    engine.play(false);
    EXPECT_TRUE(engine.audioDriver().isEmpty());
    engine.setSoundFont(engine.soundFont());
    EXPECT_FALSE(engine.isSoundFontReady());
    EXPECT_TRUE(waitUntil([&] { return probe->loudest(0, probe->count()) > kLoud; }));
    EXPECT_EQ(ready, 1);

    // Another font (here the same file) replaces it while the engine runs, and plays.
    engine.setSoundFont(engine.soundFont());
    ASSERT_TRUE(waitUntil([&] { return ready == 2; }));
    const int before = probe->count();
    engine.play(false);
    EXPECT_TRUE(waitUntil([&] { return probe->loudest(before, probe->count()) > kLoud; }));
}

// A file that passes the quick check but does not load: the failure signal,
// which ends the program at start-up.
TEST(SynthEngineFont, ABrokenFontFailsAfterTheEngineIsCreated) {
    QTemporaryDir dir;
    const QString broken = writeFile(
        dir, "broken.sf2", QByteArray("RIFF\x20\0\0\0sfbkLIST", 16) + QByteArray(40, 'x'));
    auto created = SynthEngine::create({.soundFont = broken});
    ASSERT_TRUE(created.engine) << created.error.toStdString();
    QString failure;
    QObject::connect(created.engine.get(), &SynthEngine::soundFontFailed,
                     [&failure](const QString& error) { failure = error; });
    EXPECT_TRUE(waitUntil([&] { return !failure.isEmpty(); }));
    EXPECT_TRUE(failure.contains(broken)) << failure.toStdString();
    EXPECT_FALSE(created.engine->isSoundFontReady());
}

}  // namespace
}  // namespace qn
