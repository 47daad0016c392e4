#pragma once

// What playback shows: the stop and pause indicators, the 100 ms clock timer,
// the time and note displays, the lyric boxes, the piano keys, the staff and
// the karaoke window. The main window implements PlaybackDisplay; Playback
// and the clock timer call it on the UI thread. Colours are RGB numbers with
// blue in the high byte.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qn {

inline constexpr uint32_t kIndicatorRed = 255;
inline constexpr uint32_t kIndicatorGrey = 8421504;  // 128, 128, 128
inline constexpr uint32_t kFollowColor = 65535;      // yellow: the lyric box being played

inline constexpr int kKaraokeLabels = 5;
inline constexpr int kBallStartLeft = 840;  // twips
inline constexpr int kBallStep = 1800;      // twips from one word's label to the next

// One back colour given to a lyric box (0..19) or a piano key (0..25).
struct ItemColor {
    int index = 0;
    uint32_t color = 0;
    bool operator==(const ItemColor&) const = default;
};

// Display changes of one clock tick or one command. Apply the staff redraw
// first, then the colour lists in their order (a later entry for the same
// item wins), then the texts, then the karaoke window.
struct DisplayChanges {
    bool redrawStaff = false;  // ScrollPos moved
    std::vector<ItemColor> lyricColors;
    std::vector<ItemColor> keyColors;
    std::optional<std::string> timeText;        // TimeDisplay
    std::optional<std::string> noteNumberText;  // NoteNumDisplay
    std::optional<std::array<std::string, kKaraokeLabels>> vocLabels;
    std::optional<int> ballLeft;  // twips
    bool showKaraoke = false;     // show the karaoke window, not modal
    bool stopClock = false;       // the clock has ended: stop TimerClock
};

class PlaybackDisplay {
  public:
    virtual ~PlaybackDisplay() = default;

    virtual void setStopBoxColor(uint32_t color) = 0;
    virtual void setPauseBarsColor(uint32_t color) = 0;  // both PauseBar shapes

    // TimerClock, the 100 ms playback clock.
    virtual void startClockTimer() = 0;
    virtual void stopClockTimer() = 0;
    virtual bool clockTimerRunning() const = 0;

    // A message box with the critical icon and an OK button.
    virtual void showCritical(const std::string& title, const std::string& text) = 0;

    virtual void apply(const DisplayChanges& changes) = 0;
};

}  // namespace qn
