#include "app/clocktimer.h"

#include <gtest/gtest.h>

#include "../sound/playback/playbacktestsupport.h"

namespace qn {
namespace {

// Keeps the last time shown; the timer functions are the ClockTimer's own.
struct TimeDisplay : playbacktest::FakePlaybackDisplay {
    void apply(const DisplayChanges& changes) override { time = changes.timeText.value_or(""); }
    std::string time;
};

TEST(ClockTimerTest, TicksReachTheDisplayAndTheEndStopsTheTimer) {
    playbacktest::PlaybackRig rig;
    rig.s.PlayDuration = 5;
    TimeDisplay display;
    ClockTimer timer(rig.clock, display);
    timer.start();
    for (const auto& [ms, time, running] :
         {std::tuple{300, " 0:00.3", true}, {600, " 0:00.6", false}}) {
        rig.engine.ms = ms;
        timer.tick();
        EXPECT_EQ(display.time, time);
        EXPECT_EQ(timer.isRunning(), running);
    }
}

}  // namespace
}  // namespace qn
