#pragma once

// The play commands: Play (fresh or resumed), Pause, Stop, Start to Selection,
// From Selection to End, Play a MIDI File, the Loop switch and the master
// volume. Every command plays exactly the bytes WriteMidiFile produces for its
// range; the bytes are handed over in memory. The commands set the values the
// playback clock runs on (PlaybackState) and reset the displays.
//
// States: Stopped, Playing, Paused. Play from Stopped or Playing starts
// afresh; Play from Paused resumes; Pause while Paused does nothing; Stop
// works from any state. All calls on the UI thread.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/composition.h"
#include "model/editstate.h"
#include "pianolights.h"
#include "playbackdisplay.h"
#include "playbackstate.h"

namespace qn {

class AudioEngine;

inline constexpr char kLoadErrorTitle[] = "Couldn't load";
inline constexpr char kLoadErrorText[] = "There was an error loading the MIDI file.";

class Playback {
  public:
    Playback(Composition& composition, EditState& edit, AudioEngine& engine,
             PlaybackDisplay& display, PianoLights& lights);

    PlaybackState& state() { return m_state; }
    const PlaybackState& state() const { return m_state; }

    // Applies the switched-on effects between loading and starting; false when
    // they could not be applied. It reports its own failure and the sound
    // plays on without them.
    void setFX(std::function<bool()> fx) { m_fx = std::move(fx); }

    void Play();  // toolbar button 10, menu items "Play" and "Selection"
    void Pause();
    void Stop();
    void StartToSelection();
    void FromSelection();
    // Plays any file unread, without the clock; the window chose the path.
    void PlayMidiFile(const std::string& path);
    // Inverts the Loop check mark; it counts from the next play command.
    void toggleLoop() { m_state.loop = !m_state.loop; }
    // The Volslider's value, 0..100: 100 is full volume, 0 is -30 dB.
    void Volslider_Change(double value);

  private:
    void resume();
    void freshStart();
    std::vector<uint8_t> midiRange(int firstTrack, int lastTrack, int firstNote,
                                   int lastNote) const;
    // Stops what sounds, loads `midi` and applies the effects; false when the
    // bytes could not be loaded.
    bool loadAndApplyEffects(const std::vector<uint8_t>& midi);
    void startSegment(bool loop);
    void resetPlayerPianoAndKaraoke(int scrollPos);
    void resetTeachLights();
    void unlightKey(DisplayChanges& changes) const;
    void unlightLyric(DisplayChanges& changes) const;
    void leavePause();

    Composition& m_composition;
    EditState& m_edit;
    AudioEngine& m_engine;
    PlaybackDisplay& m_display;
    PianoLights& m_lights;
    std::function<bool()> m_fx;
    PlaybackState m_state;
};

}  // namespace qn
