// The audio callback never allocates: this program replaces malloc and its
// kin (which operator new and FluidSynth's allocations go through) and counts
// the calls made on the audio thread while a large composition plays, loops,
// stops and is replaced by piano notes.

#include <gtest/gtest.h>
#include <malloc.h>

#include <QCoreApplication>
#include <QThread>
#include <atomic>
#include <cmath>
#include <random>

#include "../enginetestsupport.h"
#include "model/notepreview.h"
#include "sound/engine/synthengine.h"

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* p, size_t size);
void __libc_free(void* p);
}

namespace {

thread_local bool tl_audioThread = false;  // set by the probe on the audio thread
std::atomic<int> g_audioAllocations{0};

void count() {
    if (tl_audioThread) g_audioAllocations.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace

#ifndef __SANITIZE_ADDRESS__
extern "C" {
void* malloc(size_t size) {
    count();
    return __libc_malloc(size);
}
void* calloc(size_t n, size_t size) {
    count();
    return __libc_calloc(n, size);
}
void* realloc(void* p, size_t size) {
    count();
    return __libc_realloc(p, size);
}
void free(void* p) {
    __libc_free(p);
}
}
#endif

namespace qn {
namespace {

// Marks the audio thread and keeps the loudest sample it has seen.
class Probe : public AudioProcessor {
  public:
    void process(float* interleaved, int frames) noexcept override {
        tl_audioThread = true;
        float p = peak.load(std::memory_order_relaxed);
        for (int i = 0; i < 2 * frames; ++i)
            p = std::max(p, std::fabs(interleaved[i]));
        peak.store(p, std::memory_order_relaxed);
        blocks.fetch_add(1, std::memory_order_release);
    }
    std::atomic<int> blocks{0};
    std::atomic<float> peak{0};
};

void runFor(int ms) {
    for (int waited = 0; waited < ms; waited += 5) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(5);
    }
}

using enginetest::midiOf;

TEST(AudioThread, PlayLoopStopAndPreviewsAllocateNothingInTheCallback) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "the sanitizer owns malloc";
#endif
    auto created = SynthEngine::create();
    ASSERT_TRUE(created.engine) << created.error.toStdString();
    SynthEngine& engine = *created.engine;
    auto* probe = new Probe;
    engine.setAudioProcessor(std::unique_ptr<AudioProcessor>(probe));
    for (int i = 0; i < 1000 && !engine.isSoundFontReady(); ++i)
        runFor(5);

    // Four full tracks of random notes and rests on four instruments.
    auto large = std::make_unique<Composition>();
    std::mt19937 random(12);
    for (int t = 0; t < kTrackCount; ++t) {
        large->TrackInstrument[t] = static_cast<int16_t>(t * 19);
        for (int i = 0; i < kNoteSlots; ++i)
            large->setNote(
                t, i,
                {static_cast<int16_t>(random() % 8 ? random() % 25 : kRestPitch),
                 static_cast<uint8_t>(60 + random() % 60), static_cast<uint8_t>(random() % 6)});
        large->NoteCount[t] = kNoteSlots;
    }
    large->Division = 127;
    const auto small = enginetest::composition(127, {{12, 100, 1}}, 1, 0);
    runFor(50);
    const int before = probe->blocks.load();
    g_audioAllocations = 0;

    ASSERT_TRUE(engine.load(midiOf(*large)));
    engine.play(false);
    runFor(500);
    engine.stop();
    ASSERT_TRUE(engine.load(midiOf(*small)));
    engine.play(true);
    runFor(800);  // three passes and more
    for (int pitch = 0; pitch < 6; ++pitch) {
        ASSERT_TRUE(engine.load(writenote(pitch * 9, pitch, 3, 4, 100).bytes));
        engine.play(false);
        runFor(30);  // each replaces the one still sounding
    }
    engine.stop();
    runFor(100);

    EXPECT_GT(probe->blocks.load() - before, 100);
    EXPECT_GT(probe->peak.load(), 0.01f);
    EXPECT_EQ(g_audioAllocations.load(), 0);
}

}  // namespace
}  // namespace qn
