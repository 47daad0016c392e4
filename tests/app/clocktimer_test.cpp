#include "app/clocktimer.h"

#include <gtest/gtest.h>

#include "fakeengine.h"
#include "sound/playback/playbackclock.h"

namespace qn {
namespace {

// Keeps the last time shown; the timer functions are the ClockTimer's own.
struct TimeDisplay : PlaybackDisplay {
    void setStopBoxColor(uint32_t) override {}
    void setPauseBarsColor(uint32_t) override {}
    void startClockTimer() override {}
    void stopClockTimer() override {}
    bool clockTimerRunning() const override { return false; }
    void showCritical(const std::string&, const std::string&) override {}
    void apply(const DisplayChanges& changes) override { time = changes.timeText.value_or(""); }
    std::string time;
};

TEST(ClockTimerTest, TicksReachTheDisplayAndTheEndStopsTheTimer) {
    Composition c;
    EditState e;
    test::FakeEngine engine;
    PlaybackState s;
    s.PlayDuration = 5;
    PianoLights lights;
    PlaybackClock clock(c, e, engine, s, lights);
    TimeDisplay display;
    ClockTimer timer(clock, display);
    timer.start();
    for (const auto& [ms, time, running] :
         {std::tuple{300, " 0:00.3", true}, {600, " 0:00.6", false}}) {
        engine.ms = ms;
        timer.tick();
        EXPECT_EQ(display.time, time);
        EXPECT_EQ(timer.isRunning(), running);
    }
}

}  // namespace
}  // namespace qn
