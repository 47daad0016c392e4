#pragma once

// The display of the playback tests: it keeps what it was told.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "sound/playback/playbackdisplay.h"

namespace qn::playbacktest {

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
        if (c.timeText) timeText = *c.timeText;
        if (c.vocLabels) labels = *c.vocLabels;
        if (c.ballLeft) ballLeft = *c.ballLeft;
        karaokeShown = karaokeShown || c.showKaraoke;
        if (c.stopClock) timer = false;
    }

    uint32_t stopBox = 1;  // neither red nor grey until told
    uint32_t pauseBars = 1;
    bool timer = false;
    std::vector<std::pair<std::string, std::string>> messages;

    int redraws = 0;
    std::map<int, uint32_t> lyrics;
    std::map<int, uint32_t> keys;
    std::optional<std::string> timeText;
    std::optional<std::array<std::string, kKaraokeLabels>> labels;
    std::optional<int> ballLeft;
    bool karaokeShown = false;
};

}  // namespace qn::playbacktest
