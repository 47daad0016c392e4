#pragma once

// The 100 ms playback clock: turns the synthesiser's millisecond clock into a
// position in tenths of a second and shows it as a time, a note number, the
// karaoke ball and labels, the player-piano page and lyric box, and the teach
// light on the piano. It only displays; the sound plays on its own.
//
// Positions outside the 16-bit range (beyond about 54.6 minutes) end the
// displays as the end of the playback does; lyric and note indices past the
// last slot (10000) show nothing new. UI thread only.

#include <cstdint>
#include <string>

#include "model/composition.h"
#include "model/editstate.h"
#include "pianolights.h"
#include "playbackdisplay.h"
#include "playbackstate.h"

namespace qn {

class AudioEngine;

// "m:ss.t" of a position in tenths, minutes in the blank-prefixed form:
// 65 -> " 0:06.5"; a position just below 0 shows minute -1 ("-1:59.7").
std::string timeDisplayText(int32_t tenths);

// The piano key that lights for a pitch code (a rest lights "Pause"); -1 for
// codes no key plays.
int teachKey(int pitchCode);

class PlaybackClock {
  public:
    PlaybackClock(const Composition& composition, EditState& edit, const AudioEngine& engine,
                  PlaybackState& state, PianoLights& lights);

    // One tick of TimerClock: reads the clock, moves the displays and reports
    // what changed. Moves ScrollPos on a player-piano page turn.
    DisplayChanges tick();

  private:
    void karaoke(DisplayChanges& changes);
    void playerPiano(DisplayChanges& changes);
    void teach(DisplayChanges& changes);
    void end(DisplayChanges& changes);
    // The current note column counted from `firstColumn`: PlayPos /
    // TenthsPerNote - firstColumn, rounded.
    long long column(int firstColumn = 0) const;

    const Composition& m_composition;
    EditState& m_edit;
    const AudioEngine& m_engine;
    PlaybackState& m_state;
    PianoLights& m_lights;
};

}  // namespace qn
