#pragma once

// The display of the playback tests, which keeps what it was told, and a rig
// of a composition, editing state, fake engine and display with the playback
// and its clock working on them.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "fakeengine.h"
#include "model/midiwriter.h"
#include "sound/playback/playback.h"
#include "sound/playback/playbackclock.h"
#include "sound/playback/playbackdisplay.h"

namespace qn::playbacktest {

inline constexpr uint32_t kUntouched = 1;  // the fake display's colour until a command sets one

class FakePlaybackDisplay : public PlaybackDisplay {
  public:
    void setStopBoxColor(uint32_t color) override { stopBox = color; }
    void setPauseBarsColor(uint32_t color) override { pauseBars = color; }
    void startClockTimer() override { timer = true; }
    void stopClockTimer() override { timer = false; }
    bool clockTimerRunning() const override { return timer; }
    void showCritical(const std::string& title, const std::string& text) override {
        messages.emplace_back(title, text);
    }
    void apply(const DisplayChanges& c) override {
        redraws += c.redrawStaff;
        for (const ItemColor& lc : c.lyricColors)
            lyrics[lc.index] = lc.color;
        for (const ItemColor& kc : c.keyColors)
            keys[kc.index] = kc.color;
        if (c.vocLabels) labels = *c.vocLabels;
        if (c.ballLeft) ballLeft = *c.ballLeft;
        karaokeShown = karaokeShown || c.showKaraoke;
        timer = timer && !c.stopClock;
    }

    uint32_t stopBox = kUntouched, pauseBars = kUntouched;
    bool timer = false, karaokeShown = false;
    int redraws = 0;
    std::vector<std::pair<std::string, std::string>> messages;
    std::map<int, uint32_t> lyrics, keys;
    std::optional<std::array<std::string, kKaraokeLabels>> labels;
    std::optional<int> ballLeft;
};

struct Selection {
    int scrollPos, trackFrom, trackTo, start, end;
};

struct PlaybackRig {
    // Every track holds `notes` notes.
    explicit PlaybackRig(int notes = 0) {
        for (int t = 0; t < kTrackCount; ++t)
            fill(t, notes);
    }
    void fill(int track, int count) {
        for (int i = 0; i < count; ++i)
            c.setNote(
                track, i,
                Note{static_cast<int16_t>((i + 3 * track) % 25), 90, static_cast<uint8_t>(i % 6)});
        c.NoteCount[track] = static_cast<int16_t>(count);
    }
    void select(const Selection& sel) {
        std::tie(e.ScrollPos, e.SelTrackFrom, e.SelTrackTo, e.SelStart, e.SelEnd) =
            std::tie(sel.scrollPos, sel.trackFrom, sel.trackTo, sel.start, sel.end);
        e.SelActive = true;
    }
    // Sets the engine's clock to `elapsed` tenths into the playback and ticks once.
    DisplayChanges tickAt(int elapsed) {
        engine.ms = (int64_t{elapsed} + s.ClockStart - s.PosOffset) * 100;
        DisplayChanges changes = clock.tick();
        display.apply(changes);
        return changes;
    }
    std::vector<uint8_t> midi(int firstTrack, int lastTrack, int firstNote, int lastNote) const {
        return WriteMidiFile(c, firstTrack, lastTrack, firstNote, lastNote);
    }

    Composition c;
    EditState e;
    test::FakeEngine engine;
    FakePlaybackDisplay display;
    PianoLights lights;
    Playback p{c, e, engine, display, lights};
    PlaybackState& s = p.state();
    PlaybackClock clock{c, e, engine, s, lights};
};

}  // namespace qn::playbacktest
