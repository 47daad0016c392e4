#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "playbacktestsupport.h"

namespace qn {
namespace {

using namespace playbacktest;

// A clock of one tenth per note over a long playback.
struct ClockRig : PlaybackRig {
    ClockRig() {
        s.TenthsPerNote = 1;
        s.PlayDuration = 20000;
    }
};

TEST(PlaybackClockTest, TimeDisplayText) {
    const std::pair<int, const char*> cases[] = {
        {65, " 0:06.5"},  {600, " 1:00.0"},    {754, " 1:15.4"},  {73, " 0:07.3"},
        {0, " 0:00.0"},   {-3, "-1:59.7"},     {-600, "-1:00.0"}, {6009, " 10:00.9"},
        {599, " 0:59.9"}, {32767, " 54:36.7"},
    };
    for (const auto& [tenths, text] : cases)
        EXPECT_EQ(timeDisplayText(tenths), text) << tenths;
}

TEST(PlaybackClockTest, TickTurnsTheClockIntoPositionTimeNoteAndDisplays) {
    struct Case {
        int64_t ms;
        int32_t clockStart, posOffset;
        int32_t clockNow, elapsed;
        const char* time;
        const char* note;
    };
    const Case cases[] = {
        {6550, 10, 0, 66, 56, " 0:05.6", " 18"},  // 65.5 rounds to the even 66
        {6450, 10, 0, 64, 54, " 0:05.4", " 18"},  // 64.5 rounds to the even 64
        {1000, 13, 0, 10, -3, "-1:59.7", " 0"},   // the start latency
        {100, 0, 754, 1, 755, " 1:15.5", " 241"},
    };
    for (const Case& k : cases) {
        ClockRig f;
        f.s.TenthsPerNote = 3.140625f;
        f.s.KaraokeMode = f.s.PlayerPianoMode = f.s.TeachMode = true;
        f.lights.LitKey = 5;
        f.s.ClockStart = k.clockStart;
        f.s.PosOffset = k.posOffset;
        f.engine.ms = k.ms;
        const DisplayChanges ch = f.clock.tick();
        EXPECT_EQ(std::tuple(f.s.ClockNow, f.s.ClockElapsed, f.s.PlayPos, ch.timeText.value_or(""),
                             ch.noteNumberText.value_or("")),
                  std::tuple(k.clockNow, k.elapsed, k.elapsed, k.time, k.note));
        // In the start latency karaoke, player piano and teach wait.
        const bool shown = k.elapsed >= 0;
        EXPECT_EQ(
            std::tuple(ch.ballLeft.has_value(), !ch.lyricColors.empty(), !ch.keyColors.empty()),
            std::tuple(shown, shown, shown))
            << k.ms;
    }
}

TEST(PlaybackClockTest, KaraokeBallWalksFiveWordsThenTheLabelsRefill) {
    ClockRig f;
    f.s.KaraokeMode = true;
    f.s.TenthsPerNote = 2;
    for (int i = 0; i < 15; ++i)
        f.c.Lyrics[i] = std::string("w").append(std::to_string(i));
    struct Step {
        int elapsed;
        int ball;
        int group;
        std::vector<std::string> labels;  // empty: unchanged
    };
    const Step steps[] = {
        {0, 840, 0, {}},
        {2, 2640, 0, {}},
        {9, 8040, 0, {}},  // word 4.5 rounds to the even 4
        {10, 840, 1, {"w5", "w6", "w7", "w8", "w9"}},
        {13, 4440, 1, {}},  // 6.5 - 5 = 1.5 rounds to 2
        {20, 840, 2, {"w10", "w11", "w12", "w13", "w14"}},
    };
    for (const Step& step : steps) {
        const DisplayChanges changes = f.tickAt(step.elapsed);
        EXPECT_EQ(changes.ballLeft, step.ball) << step.elapsed;
        EXPECT_EQ(f.s.KaraokeGroup, step.group) << step.elapsed;
        ASSERT_EQ(changes.vocLabels.has_value(), !step.labels.empty()) << step.elapsed;
        if (changes.vocLabels) {
            EXPECT_EQ(
                std::vector<std::string>(changes.vocLabels->begin(), changes.vocLabels->end()),
                step.labels);
        }
    }
    // Labels past the last lyric slot stay empty.
    f.s.KaraokeGroup = 1999;
    f.c.Lyrics[kMaxNoteIndex] = "last";
    const auto last = f.tickAt(20000).vocLabels;
    EXPECT_EQ(last, (std::array<std::string, kKaraokeLabels>{"last"}));
}

TEST(PlaybackClockTest, PlayerPianoTurnsThePageByTwentyColumns) {
    ClockRig f;
    f.s.PlayerPianoMode = true;
    f.lights.LitKey = 3;
    DisplayChanges changes = f.tickAt(19);
    EXPECT_EQ(changes.lyricColors, (std::vector<ItemColor>{{0, kWhite}, {19, kFollowColor}}));
    EXPECT_FALSE(changes.redrawStaff || !changes.keyColors.empty());  // teach is off

    changes = f.tickAt(20);
    EXPECT_EQ(changes.lyricColors, (std::vector<ItemColor>{{19, kWhite}, {0, kFollowColor}}));
    EXPECT_TRUE(changes.redrawStaff);
    EXPECT_EQ(f.e.ScrollPos, 20);
    EXPECT_EQ(f.s.FollowPage, 1);
    EXPECT_EQ(f.s.FollowBox, 0);

    // A position before the page wraps into it.
    changes = f.tickAt(15);
    EXPECT_EQ(f.s.FollowBox, 15);
    EXPECT_EQ(f.e.ScrollPos, 20);

    // No page lies past the last note slot.
    f.e.ScrollPos = 9990;
    EXPECT_FALSE(f.tickAt(40).redrawStaff);
    EXPECT_EQ(f.e.ScrollPos, 9990);
}

TEST(PlaybackClockTest, TeachLightsTheActiveTracksNoteOnce) {
    ClockRig f;
    f.s.TeachMode = true;
    f.lights.KeyRestoreColor = kWhiteKeyColor;
    f.e.ActiveTrack = 1;
    const int codes[] = {5, 5, kRestPitch, 2, 24};
    for (int i = 0; i < 5; ++i)
        f.c.setNote(1, i, Note{static_cast<int16_t>(codes[i]), 90, 3});
    f.c.setNote(0, 1, Note{20, 90, 3});  // another track's note is not shown
    struct Step {
        std::vector<ItemColor> keys;
        int lit;
        uint32_t restore;
    };
    const Step steps[] = {
        {{{3, kLitKeyColor}, {0, kWhiteKeyColor}}, 3, kWhiteKeyColor},
        {{}, 3, kWhiteKeyColor},  // the same note again: no repaint
        {{{15, kLitKeyColor}, {3, kWhiteKeyColor}}, 15, kWhiteKeyColor},  // a rest: "Pause"
        {{{16, kLitKeyColor}, {15, kWhiteKeyColor}}, 16, kBlackKeyColor},
        {{{14, kLitKeyColor}, {16, kBlackKeyColor}}, 14, kWhiteKeyColor},
    };
    for (int i = 0; i < 5; ++i) {
        const DisplayChanges changes = f.tickAt(i);
        EXPECT_EQ(changes.keyColors, steps[i].keys) << i;
        EXPECT_TRUE(changes.lyricColors.empty() && !changes.ballLeft);  // their modes are off
        EXPECT_EQ(f.lights.LitKey, steps[i].lit) << i;
        EXPECT_EQ(f.lights.KeyRestoreColor, steps[i].restore) << i;
    }
}

TEST(PlaybackClockTest, EndOfPlaybackStopsTheClockAndClearsTheLights) {
    struct Case {
        int elapsed;
        bool ends;
        bool timeShown;
    };
    const Case cases[] = {
        {10, false, true},     // at PlayDuration the clock still runs
        {11, true, true},      // past it
        {32768, true, false},  // past the 16-bit position: the displays stop
        {-32769, true, false},
    };
    for (const Case& k : cases) {
        ClockRig f;
        f.s.PlayDuration = 10;
        f.s.TeachMode = f.s.PlayerPianoMode = true;
        f.lights = PianoLights{18, kBlackKeyColor};
        f.s.FollowBox = 4;
        f.s.PosOffset = k.elapsed < 0 ? k.elapsed : 0;
        const DisplayChanges changes = f.tickAt(k.elapsed);
        EXPECT_EQ(changes.stopClock, k.ends) << k.elapsed;
        EXPECT_EQ(changes.timeText.has_value(), k.timeShown) << k.elapsed;
        EXPECT_EQ(f.s.PlayPos, std::clamp(k.elapsed, kMinPlayPos, kMaxPlayPos));
        if (!k.ends) continue;
        ASSERT_FALSE(changes.keyColors.empty());
        EXPECT_EQ(changes.keyColors.back(), (ItemColor{f.lights.LitKey, f.lights.KeyRestoreColor}));
        ASSERT_FALSE(changes.lyricColors.empty());
        EXPECT_EQ(changes.lyricColors.back(), (ItemColor{f.s.FollowBox, kWhite}));
    }
}

}  // namespace
}  // namespace qn
