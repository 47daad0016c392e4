#pragma once

// The on-screen piano without its widgets: which note a key plays, entering
// it at the end of the active track while recording, the one-note preview,
// the computer keys that play the piano, and the teach-mode switch.
//
// UI thread only. The piano holds references; the window owns everything.

#include <Qt>
#include <array>
#include <cstdint>
#include <functional>

#include "model/composition.h"
#include "model/editstate.h"
#include "pianolights.h"

namespace qn {

class AudioEngine;

inline constexpr int kPianoKeys = 26;
inline constexpr int kWhiteKeys = 16;  // keys 0..15; 16..25 are the black keys
inline constexpr int kPauseKey = 15;   // the white key that enters rests

// Piano key played by a computer key, given as its Qt::Key code, -1 for none.
// Shift does not matter: the symbols Shift gives the digit row on a US layout
// (Qt::Key_Exclam for 1, Qt::Key_AsciiTilde for `) play as the unshifted keys.
// The keypad's keys are other keys than the digit row's and play nothing.
int KeyToPianoKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Pitch code of piano key k (0..25): the rest code for "Pause", -1 for no key.
int pianoKeyPitch(int k);

// Piano key a MIDI keyboard's note number plays in a track of `octave`: the
// 25 keys reach from the B below the octave's C (note 12 octave + 11) two
// octaves up. A note outside them has no key (-1): it is neither heard nor
// entered, since moving it by octaves would enter a note the player did not
// press. The track's octave moves the range.
int midiNoteToPianoKey(int note, int octave);

// The colour a key has when neither held nor lit: cream or black (RGB number).
inline uint32_t keyRestColor(int k) {
    return k < kWhiteKeys ? kWhiteKeyColor : kBlackKeyColor;
}

// What the piano shows through the window: the staff entry points and the keys.
class PianoDisplay {
  public:
    virtual ~PianoDisplay() = default;
    virtual void DrawNoteGlyph(int slot, int pitch, int length, int velocity) = 0;
    virtual void RedrawStaff() = 0;
    virtual void UpdateSlider() = 0;
    // Clears the selection, its state as well as its colours and rectangle.
    virtual void ClearSelectionDisplay() = 0;
    // The NoteVolume slider's value (1..127): the velocity a new glyph shows.
    virtual int noteVolume() const = 0;
    // rgb: an RGB number, blue in the high byte.
    virtual void setKeyColor(int k, uint32_t rgb) = 0;
};

// What the window decides. Empty functions read as false and do nothing.
struct PianoHooks {
    std::function<bool()> clockRunning;  // the playback clock is ticking: the piano is mute
    std::function<bool()> recordMode;    // the record switch is on
    // Applies the switched-on effects to what was just loaded; false when they
    // could not be applied (it reports that itself).
    std::function<bool()> FX;
    // Stores TeachMode and checks "Teacher On" or "Teacher Off" to match.
    std::function<void(bool on)> setTeachMode;
};

class Piano {
  public:
    Piano(Composition& composition, EditState& edit, AudioEngine& engine, PianoLights& lights,
          PianoDisplay& display, PianoHooks hooks = {});

    // Filled in as the window's parts come up (the effects hook arrives last).
    PianoHooks& hooks() { return m_hooks; }

    // A key clicked (0..25): plays its note and, while recording, appends it
    // to the active track. Nothing while the playback clock runs.
    void Piano_Click(int k);
    // A computer key pressed and released (Qt::Key and modifiers): the piano
    // key it plays lights blue while held, even during playback, and plays
    // through Piano_Click.
    void Piano_KeyDown(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void Piano_KeyUp(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // A MIDI keyboard's key (note number 0..127) pressed and released: it acts
    // as a computer key would, in the active track's octave.
    void midiNoteOn(int note);
    void midiNoteOff(int note);

    // Plays the instrument dialog's review note with `program` in the active
    // track's octave. False when nothing could be played; the dialog then asks again.
    bool PreviewInstrument(int program);

    void TeachOn();
    void TeachOff();

  private:
    void holdKey(int k);
    void enter(int pitch);
    bool preview(int instrument, int pitch, int length);
    bool flag(const std::function<bool()>& hook) const { return hook && hook(); }

    Composition& m_composition;
    EditState& m_edit;
    AudioEngine& m_engine;
    PianoLights& m_lights;
    PianoDisplay& m_display;
    PianoHooks m_hooks;
    // The piano key each MIDI note number holds down, -1 for none.
    static constexpr int kMidiNotes = 128;
    std::array<int8_t, kMidiNotes> m_midiHeldKeys{};
};

}  // namespace qn
