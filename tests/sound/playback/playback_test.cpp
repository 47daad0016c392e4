#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "playbacktestsupport.h"

namespace qn {
namespace {

using namespace playbacktest;

enum class From { Stopped, Playing, Paused };
enum class Command { Play, Pause, Stop, StartToSelection, FromSelection, PlayMidiFile };

// Brings the playback into a state: stopped, or playing one second in, or paused there.
void reach(PlaybackRig& f, From from) {
    if (from == From::Stopped) return f.p.Stop();
    f.p.Play();
    f.tickAt(10);
    if (from == From::Paused) f.p.Pause();
}

void run(PlaybackRig& f, Command command) {
    if (command == Command::PlayMidiFile) return f.p.PlayMidiFile("/music/song.mid");
    void (Playback::*const commands[])() = {&Playback::Play, &Playback::Pause, &Playback::Stop,
                                            &Playback::StartToSelection, &Playback::FromSelection};
    (f.p.*commands[static_cast<int>(command)])();
}

TEST(PlaybackTest, StateTable) {
    struct Transition {
        From from;
        Command command;
        bool paused, timer, sounding;
        uint32_t pauseBars, stopBox;
        int firstNote;  // of the bytes the command loads; -1 when it loads none
    };
    constexpr uint32_t kGrey = kIndicatorGrey, kRed = kIndicatorRed;
    const Transition cases[] = {
        {From::Stopped, Command::Play, false, true, true, kGrey, kGrey, 0},
        {From::Playing, Command::Play, false, true, true, kGrey, kGrey, 0},      // restarts
        {From::Paused, Command::Play, false, true, true, kGrey, kUntouched, 3},  // 10 / 3.14
        {From::Playing, Command::Pause, true, false, false, kRed, kUntouched, -1},
        {From::Paused, Command::Pause, true, false, false, kUntouched, kUntouched, -1},
        {From::Stopped, Command::Stop, false, false, false, kGrey, kRed, -1},
        {From::Playing, Command::Stop, false, false, false, kGrey, kRed, -1},
        {From::Paused, Command::Stop, false, false, false, kGrey, kRed, -1},
    };
    for (const Transition& t : cases) {
        SCOPED_TRACE(testing::Message() << "from " << static_cast<int>(t.from) << " command "
                                        << static_cast<int>(t.command));
        PlaybackRig f(20);
        reach(f, t.from);
        f.display.pauseBars = f.display.stopBox = kUntouched;
        const int loads = f.engine.loads;
        run(f, t.command);

        EXPECT_EQ(std::tie(f.s.Paused, f.display.timer, f.engine.playing, f.display.pauseBars,
                           f.display.stopBox),
                  std::tie(t.paused, t.timer, t.sounding, t.pauseBars, t.stopBox));
        EXPECT_EQ(f.engine.loads - loads, t.firstNote >= 0 ? 1 : 0);
        if (t.firstNote >= 0) {
            EXPECT_EQ(f.engine.bytes, f.midi(0, 3, t.firstNote, 20));
        }
    }
}

TEST(PlaybackTest, FreshStartPlaysItsRangeAndSetsTheClockValues) {
    struct Case {
        const char* name;
        bool activeTrackOnly;
        int activeTrack;
        std::optional<Selection> selection;
        int division;
        int64_t ms;
        int firstTrack, lastTrack, firstNote, lastNote;  // the range played
        float duration, tenthsPerNote;
        int playPos, posOffset, followPage, followBox, clockStart, songLength;
        bool timer;
    };
    // clang-format off
    const Case cases[] = {
        {"whole composition", false, 0, {}, 64, 12345,
         0, 3, 0, 40, 125.625f, 3.140625f, 0, 0, 0, 0, 126, 40, true},
        {"active track only", true, 1, {}, 64, 0,
         1, 1, 0, 7, 21.984375f, 3.140625f, 0, 0, 0, 0, 3, 7, true},
        {"selection", false, 0, Selection{20, 1, 2, 3, 7}, 100, 5000,
         1, 2, 23, 27, 9.5f, 2.375f, 23, -55, 1, 3, 51, 40, false},
        {"one column of the active track", true, 2, Selection{0, 0, 3, 4, 4}, 64, 1100,
         2, 2, 4, 4, 2.96875f, 0.1f, 4, 0, 0, 4, 14, 40, false},
        // 11.5 tenths round to 12, and 12 + 0.5 of latency to 12 again.
        {"halves round to even", false, 0, {}, 115, 1150,
         0, 3, 0, 40, 69.913043f, 1.7478261f, 0, 0, 0, 0, 12, 40, true},
    };
    // clang-format on
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        PlaybackRig f;
        for (int t = 0; t < kTrackCount; ++t)
            f.fill(t, std::array{10, 7, 40, 3}[t]);
        f.c.Division = k.division;
        f.s.activeTrackOnly = k.activeTrackOnly;
        f.e.ActiveTrack = k.activeTrack;
        if (k.selection) f.select(*k.selection);
        f.engine.ms = k.ms;
        f.s.PosOffset = f.s.PlayPos = 77;  // left by an earlier playback
        f.p.Play();

        EXPECT_EQ(f.engine.bytes, f.midi(k.firstTrack, k.lastTrack, k.firstNote, k.lastNote));
        EXPECT_FLOAT_EQ(f.s.PlayDuration, k.duration);
        EXPECT_FLOAT_EQ(f.s.TenthsPerNote, k.tenthsPerNote);
        EXPECT_EQ(std::tie(f.s.PlayPos, f.s.PosOffset, f.s.FollowPage, f.s.FollowBox,
                           f.s.ClockStart, f.c.SongLength, f.display.timer),
                  std::tie(k.playPos, k.posOffset, k.followPage, k.followBox, k.clockStart,
                           k.songLength, k.timer));
        EXPECT_EQ(f.engine.plays, std::vector<bool>{false});
    }
}

TEST(PlaybackTest, NothingToPlayOnlyGreysTheIndicators) {
    for (const bool activeTrackOnly : {false, true}) {
        SCOPED_TRACE(activeTrackOnly ? "empty active track" : "empty composition");
        PlaybackRig f;
        if (activeTrackOnly) f.fill(0, 5);
        f.e.ActiveTrack = 3;
        f.s.activeTrackOnly = activeTrackOnly;
        f.p.Stop();
        f.p.Play();
        EXPECT_EQ(f.display.pauseBars, kIndicatorGrey);
        EXPECT_EQ(f.display.stopBox, kIndicatorGrey);
        EXPECT_EQ(f.engine.loads, 0);
        EXPECT_FALSE(f.display.timer || !f.display.messages.empty());
    }
}

TEST(PlaybackTest, LoadFailureShowsTheMessageOnlyForPlay) {
    const struct {
        From from;
        Command command;
        bool message;
    } cases[] = {
        {From::Stopped, Command::Play, true},
        {From::Paused, Command::Play, true},
        {From::Stopped, Command::StartToSelection, false},
        {From::Stopped, Command::FromSelection, false},
        {From::Stopped, Command::PlayMidiFile, false},
    };
    using Message = std::pair<std::string, std::string>;
    const Message loadError{"Couldn't load", "There was an error loading the MIDI file."};
    for (const auto& k : cases) {
        SCOPED_TRACE(static_cast<int>(k.command));
        PlaybackRig f(30);
        if (!k.message) f.select({0, 0, 3, 2, 4});
        reach(f, k.from);
        const size_t starts = f.engine.plays.size();
        f.engine.loadSucceeds = false;
        run(f, k.command);
        EXPECT_EQ(f.engine.plays.size(), starts);
        EXPECT_FALSE(f.display.timer);
        EXPECT_EQ(f.display.messages, k.message ? std::vector{loadError} : std::vector<Message>{});
    }
    // A MIDI file refused for its size says why.
    PlaybackRig f(30);
    f.engine.loadSucceeds = false;
    f.engine.loadError = "too large";
    f.p.PlayMidiFile("/music/huge.mid");
    EXPECT_EQ(f.display.messages, (std::vector<Message>{{"Couldn't load", "too large"}}));
}

TEST(PlaybackTest, ResumeContinuesFromTheNoteUnderTheLastPosition) {
    for (const bool activeTrackOnly : {false, true}) {
        SCOPED_TRACE(activeTrackOnly ? "active track" : "all tracks");
        PlaybackRig f(20);
        f.fill(2, 12);
        f.e.ActiveTrack = 2;
        f.s.loop = true;
        f.p.Play();  // all tracks, 201 / 64 tenths per note
        f.tickAt(20);
        f.p.Pause();
        f.engine.ms += 54321;  // time passes while paused
        f.s.activeTrackOnly = activeTrackOnly;
        f.s.KaraokeMode = true;
        f.p.Play();

        EXPECT_EQ(f.s.PosOffset, 20);
        EXPECT_EQ(f.s.PlayPos, 6);  // round(20 / 3.140625)
        EXPECT_EQ(f.engine.bytes, activeTrackOnly ? f.midi(2, 2, 6, 12) : f.midi(0, 3, 6, 20));
        EXPECT_EQ(f.engine.plays, (std::vector<bool>{true, false}));  // the rest plays once
        EXPECT_TRUE(f.display.timer && f.display.karaokeShown);
        // The clock goes on from the paused position.
        EXPECT_EQ(f.tickAt(25).timeText, " 0:02.5");
        EXPECT_EQ(f.s.ClockElapsed, 25);
    }
}

TEST(PlaybackTest, StartToSelectionAndFromSelectionToEnd) {
    struct Case {
        const char* name;
        bool from;  // From Selection to End, else Start to Selection
        bool selActive;
        int notes, scrollPos, selStart;
        bool paused;
        int firstNote, lastNote;  // the range played; lastNote 0: nothing plays
        float duration;
        int playPos, scrollAfter;
    };
    const Case cases[] = {
        {"start: no selection", false, false, 40, 20, 3, false, 0, 0, 0, 0, 20},
        {"start: selection at column 0", false, true, 40, 20, 0, false, 0, 0, 0, 0, 20},
        {"start to selection", false, true, 40, 20, 3, false, 0, 23, 72.234375f, 0, 0},
        {"start, paused", false, true, 40, 20, 3, true, 0, 23, 72.234375f, 0, 0},
        {"from: no selection", true, false, 40, 20, 3, false, 0, 0, 0, 0, 20},
        {"from: start at the song's length", true, true, 5, 0, 5, false, 0, 0, 0, 0, 0},
        {"from: start past the end", true, true, 10, 20, 3, false, 0, 0, 0, 0, 20},
        {"from selection to end", true, true, 40, 20, 3, false, 23, 40, 53.390625f, 23, 23},
        {"from, paused", true, true, 40, 20, 3, true, 23, 40, 53.390625f, 23, 23},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const bool plays = k.lastNote > 0;
        PlaybackRig f(k.notes);
        f.select({k.scrollPos, 1, 2, k.selStart, k.selStart + 2});
        f.e.SelActive = k.selActive;
        f.s.PlayerPianoMode = f.s.TeachMode = true;
        f.lights.LitKey = 5;
        f.s.PosOffset = 77;
        f.s.Paused = k.paused;
        f.display.pauseBars = kUntouched;
        if (k.from)
            f.p.FromSelection();
        else
            f.p.StartToSelection();

        EXPECT_EQ(f.engine.plays.size(), plays ? 1u : 0u);
        // From Selection to End counts from its range; Start to Selection keeps the offset.
        EXPECT_EQ(f.s.PosOffset, k.from && plays ? 0 : 77);
        EXPECT_EQ(f.e.ScrollPos, k.scrollAfter);
        EXPECT_EQ(f.display.timer, k.from && plays);  // Start to Selection runs no clock
        EXPECT_EQ(f.s.Paused, k.paused && !plays);
        EXPECT_EQ(f.display.pauseBars, k.paused && plays ? kIndicatorGrey : kUntouched);
        EXPECT_EQ(f.lights.LitKey, plays ? 0 : 5);
        if (!plays) continue;
        EXPECT_EQ(f.engine.bytes, f.midi(0, 3, k.firstNote, k.lastNote));
        EXPECT_FLOAT_EQ(f.s.PlayDuration, k.duration);
        EXPECT_FLOAT_EQ(f.s.TenthsPerNote, k.duration / (k.lastNote - k.firstNote));
        EXPECT_EQ(f.s.PlayPos, k.playPos);
        EXPECT_EQ(f.c.SongLength, k.lastNote);
    }
}

TEST(PlaybackTest, FreshStartResetsTheDisplaysOnlyWithoutASelection) {
    for (const bool withSelection : {false, true}) {
        SCOPED_TRACE(withSelection ? "selection" : "whole composition");
        PlaybackRig f(60);
        for (int i = 0; i < 6; ++i)
            f.c.Lyrics[i] = std::string(1, static_cast<char>('a' + i));
        f.s.KaraokeMode = f.s.PlayerPianoMode = f.s.TeachMode = true;
        f.e.ScrollPos = 40;
        f.s.KaraokeGroup = f.s.FollowPage = 2;
        f.s.KaraokeWord = f.s.FollowBox = 3;
        f.lights = PianoLights{7, kBlackKeyColor};
        if (withSelection) f.select({40, 0, 3, 2, 5});
        f.p.Play();

        // Scroll, follow page and box, redraws, karaoke shown, group and word.
        EXPECT_EQ(std::tuple(f.e.ScrollPos, f.s.FollowPage, f.s.FollowBox, f.display.redraws,
                             f.display.karaokeShown, f.s.KaraokeGroup, f.s.KaraokeWord),
                  withSelection ? std::tuple(40, 2, 2, 0, false, 2, 3)
                                : std::tuple(0, 0, 0, 1, true, 0, 0));
        if (!withSelection) {
            EXPECT_EQ(f.display.labels,
                      (std::array<std::string, kKaraokeLabels>{"a", "b", "c", "d", "e"}));
            EXPECT_EQ(f.display.ballLeft, 840);
        }
        // Teach mode starts from a cream key 0 either way.
        EXPECT_EQ(f.lights.LitKey, 0);
        EXPECT_EQ(f.lights.KeyRestoreColor, kWhiteKeyColor);
    }
}

TEST(PlaybackTest, StopAndStartingOverGiveTheLitKeyAndLyricBoxTheirOwnColours) {
    for (const bool stop : {true, false}) {
        SCOPED_TRACE(stop ? "Stop" : "Play again");
        PlaybackRig f(20);
        f.c.setNote(0, 1, Note{7, 90, 3});  // key 18, a black key
        f.s.TeachMode = f.s.PlayerPianoMode = true;
        f.p.Play();
        f.tickAt(3);  // column round(3 / 3.140625) = 1
        ASSERT_EQ(f.display.keys[18], kLitKeyColor);
        ASSERT_EQ(f.display.lyrics[1], kFollowColor);
        stop ? f.p.Stop() : f.p.Play();
        EXPECT_EQ(f.display.keys[18], kBlackKeyColor);
        EXPECT_EQ(f.display.lyrics[1], kWhite);
    }
    // A computer key lit black key 16 while the stored restore colour is still
    // the white of before any playback: Stop gives it black.
    PlaybackRig g(20);
    g.s.TeachMode = true;
    g.lights = PianoLights{16, kWhite};
    g.p.Stop();
    EXPECT_EQ(g.display.keys[16], kBlackKeyColor);
}

TEST(PlaybackTest, MasterVolumeInHundredthsOfADecibel) {
    PlaybackRig f;
    for (const auto& [value, volume] : {std::pair{0.0, -3000}, {1.0, -2970}, {100.0, 0}}) {
        f.p.Volslider_Change(value);
        EXPECT_EQ(f.engine.volume, volume) << value;
    }
}

TEST(PlaybackTest, LoopAndMidiFilesAndEffects) {
    PlaybackRig f(10);
    std::vector<bool> loadedWhenEffectsRan;
    f.p.setFX([&] {
        loadedWhenEffectsRan.push_back(f.engine.loaded && !f.engine.playing);
        return false;  // a failure of the effects does not keep the sound back
    });

    f.p.toggleLoop();
    f.p.PlayMidiFile("/music/song.mid");
    EXPECT_EQ(f.engine.files, std::vector<std::string>{"/music/song.mid"});
    EXPECT_EQ(f.engine.plays, std::vector<bool>{true});
    EXPECT_FALSE(f.display.timer);  // no clock for a MIDI file

    f.p.PlayMidiFile("");  // the dialog was cancelled
    EXPECT_EQ(f.engine.plays.size(), 1u);
    EXPECT_TRUE(f.display.messages.empty());

    f.p.toggleLoop();
    f.p.Play();
    EXPECT_EQ(f.engine.plays, (std::vector<bool>{true, false}));
    EXPECT_EQ(loadedWhenEffectsRan, (std::vector<bool>{true, true}));
}

}  // namespace
}  // namespace qn
