#include "piano.h"

#include <algorithm>
#include <array>
#include <utility>

#include "model/midiwriter.h"
#include "model/notepreview.h"
#include "sound/audioengine.h"

namespace qn {

namespace {

// White keys B C D E F G A B C D E F G A B and "Pause", then the black keys
// C# D# F# G# A# C# D# F# G# A#.
constexpr std::array<int, kPianoKeys> kKeyPitch = {0,  1,  3,  5,  6,  8,  10,         12, 13,
                                                   15, 17, 18, 20, 22, 24, kRestPitch, 2,  4,
                                                   7,  9,  11, 14, 16, 19, 21,         23};

constexpr int kReviewPitch = 3;
constexpr int kReviewLength = 2;
// A note further right than the last column scrolls it back to this column.
constexpr int kEntryColumn = 10;

// The computer keys that play the piano. Each key plays the same with Shift
// held, so the symbol Shift gives it on a US layout stands beside it. Keys 14
// and 25 have no computer key.
struct ComputerKey {
    int key;  // Qt::Key
    int pianoKey;
};
// clang-format off
constexpr ComputerKey kComputerKeys[] = {
    {Qt::Key_QuoteLeft, 0}, {Qt::Key_AsciiTilde, 0},
    {Qt::Key_1, 1},         {Qt::Key_Exclam, 1},
    {Qt::Key_2, 2},         {Qt::Key_At, 2},
    {Qt::Key_3, 3},         {Qt::Key_NumberSign, 3},
    {Qt::Key_4, 4},         {Qt::Key_Dollar, 4},
    {Qt::Key_5, 5},         {Qt::Key_Percent, 5},
    {Qt::Key_6, 6},         {Qt::Key_AsciiCircum, 6},
    {Qt::Key_7, 7},         {Qt::Key_Ampersand, 7},
    {Qt::Key_8, 8},         {Qt::Key_Asterisk, 8},
    {Qt::Key_9, 9},         {Qt::Key_ParenLeft, 9},
    {Qt::Key_0, 10},        {Qt::Key_ParenRight, 10},
    {Qt::Key_Minus, 11},    {Qt::Key_Underscore, 11},
    {Qt::Key_Equal, 12},    {Qt::Key_Plus, 12},
    {Qt::Key_Backspace, 13},
    {Qt::Key_Escape, kPauseKey},
    {Qt::Key_F1, 16}, {Qt::Key_F2, 17}, {Qt::Key_F3, 18}, {Qt::Key_F4, 19}, {Qt::Key_F5, 20},
    {Qt::Key_F6, 21}, {Qt::Key_F7, 22}, {Qt::Key_F8, 23}, {Qt::Key_F9, 24},
};
// clang-format on

}  // namespace

int KeyToPianoKey(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::KeypadModifier) return -1;
    for (const ComputerKey& c : kComputerKeys)
        if (c.key == key) return c.pianoKey;
    return -1;
}

int pianoKeyPitch(int k) {
    return k >= 0 && k < kPianoKeys ? kKeyPitch[k] : -1;
}

int midiNoteToPianoKey(int note, int octave) {
    const int pitch = note - midiNoteNumber(octave, 0);
    if (pitch < 0 || pitch > kHighestPitch) return -1;
    const auto key = std::find(kKeyPitch.begin(), kKeyPitch.end(), pitch);
    return static_cast<int>(key - kKeyPitch.begin());
}

Piano::Piano(Composition& composition, EditState& edit, AudioEngine& engine, PianoLights& lights,
             PianoDisplay& display, PianoHooks hooks)
    : m_composition(composition),
      m_edit(edit),
      m_engine(engine),
      m_lights(lights),
      m_display(display),
      m_hooks(std::move(hooks)) {
    m_midiHeldKeys.fill(-1);
}

void Piano::Piano_Click(int k) {
    if (k < 0 || k >= kPianoKeys || flag(m_hooks.clockRunning)) return;
    int pitch = kKeyPitch[k];
    if (m_edit.DefaultLength == kRestLength) k = kPauseKey;
    if (k == kPauseKey) pitch = kRestPitch;

    if (flag(m_hooks.recordMode)) enter(pitch);
    // Rests are entered but never heard.
    if (k != kPauseKey)
        preview(m_composition.TrackInstrument[m_edit.ActiveTrack], pitch, m_edit.DefaultLength);
}

void Piano::enter(int pitch) {
    const int track = m_edit.ActiveTrack;
    const int n = m_composition.NoteCount[track];
    // A full track takes no more notes; the key still sounds.
    if (!isNoteSlot(n)) return;

    m_display.ClearSelectionDisplay();
    m_composition.Modified = true;
    m_composition.setNote(
        track, n,
        {static_cast<int16_t>(pitch), static_cast<uint8_t>(m_edit.DefaultVelocity),
         static_cast<uint8_t>(m_edit.DefaultLength)});
    if (n < m_edit.ScrollPos) {
        m_edit.ScrollPos = n;
        m_display.RedrawStaff();
    }
    if (n - m_edit.ScrollPos >= kVisibleColumns) {
        m_edit.ScrollPos = std::max(n - kEntryColumn, 0);
        m_display.RedrawStaff();
        m_display.UpdateSlider();
    }
    // The redraws above ran before the count grows, so the new note is drawn here.
    m_display.DrawNoteGlyph(n - m_edit.ScrollPos + kVisibleColumns * track, pitch,
                            m_composition.NoteLength[track][n], m_display.noteVolume());
    m_composition.NoteCount[track] = static_cast<int16_t>(n + 1);
}

bool Piano::preview(int instrument, int pitch, int length) {
    const NotePreview note =
        writenote(instrument, pitch, length, m_composition.TrackOctave[m_edit.ActiveTrack],
                  m_edit.DefaultVelocity);
    if (!m_engine.load(note.bytes)) return false;
    // An effects failure is reported by FX itself; the note is still heard, dry,
    // as playback goes on after it.
    if (m_hooks.FX) m_hooks.FX();
    m_engine.play(false);
    return true;
}

void Piano::Piano_KeyDown(int key, Qt::KeyboardModifiers modifiers) {
    holdKey(KeyToPianoKey(key, modifiers));
}

void Piano::Piano_KeyUp(int key, Qt::KeyboardModifiers modifiers) {
    const int k = KeyToPianoKey(key, modifiers);
    if (k >= 0) m_display.setKeyColor(k, keyRestColor(k));
}

void Piano::midiNoteOn(int note) {
    if (note < 0 || note >= kMidiNotes) return;
    const int k = midiNoteToPianoKey(note, m_composition.TrackOctave[m_edit.ActiveTrack]);
    m_midiHeldKeys[note] = static_cast<int8_t>(k);
    holdKey(k);
}

void Piano::midiNoteOff(int note) {
    if (note < 0 || note >= kMidiNotes) return;
    // The key the note lit, even if the track or its octave changed meanwhile.
    const int k = std::exchange(m_midiHeldKeys[note], int8_t{-1});
    if (k >= 0) m_display.setKeyColor(k, keyRestColor(k));
}

void Piano::holdKey(int k) {
    if (k < 0) return;
    m_lights.LitKey = k;
    m_display.setKeyColor(k, kHeldKeyColor);
    Piano_Click(k);
}

bool Piano::PreviewInstrument(int program) {
    return preview(program, kReviewPitch, kReviewLength);
}

void Piano::TeachOn() {
    if (m_hooks.setTeachMode) m_hooks.setTeachMode(true);
    m_composition.Modified = true;
}

void Piano::TeachOff() {
    if (m_hooks.setTeachMode) m_hooks.setTeachMode(false);
    m_composition.Modified = true;
}

}  // namespace qn
