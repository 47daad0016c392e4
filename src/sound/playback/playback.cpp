#include "playback.h"

#include <algorithm>

#include "model/midiwriter.h"
#include "model/numbertext.h"
#include "piano.h"
#include "sound/audioengine.h"

namespace qn {

namespace {

constexpr int kLastTrack = kTrackCount - 1;

// Tenths of a second per note column, times Division. A 40-tick step at 120
// beats per minute lasts 200 / Division tenths; whole playbacks are timed a
// little longer and selections a little shorter.
constexpr double kTenthsPerStepTimesDivision = 201;
constexpr double kSelectionTenthsPerStepTimesDivision = 190;

// The synthesiser starts sounding a little after the clock is read, the more
// so the slower the composition (lower Division); in tenths of a second.
double startLatency(int division) {
    return (125.0 - division) / 20.0;
}

}  // namespace

Playback::Playback(Composition& composition, EditState& edit, AudioEngine& engine,
                   PlaybackDisplay& display, PianoLights& lights)
    : m_composition(composition),
      m_edit(edit),
      m_engine(engine),
      m_display(display),
      m_lights(lights) {}

void Playback::Play() {
    if (m_display.clockTimerRunning()) m_display.setPauseBarsColor(kIndicatorGrey);
    if (m_state.Paused)
        resume();
    else
        freshStart();
}

void Playback::resume() {
    PlaybackState& s = m_state;
    m_display.setPauseBarsColor(kIndicatorGrey);
    s.PosOffset = s.ClockElapsed;
    // Before anything was timed (no TenthsPerNote yet) or during the start
    // latency (negative position) the rest is the whole composition.
    const long long note =
        s.TenthsPerNote > 0 ? roundHalfEven(s.PlayPos / double{s.TenthsPerNote}) : 0;
    s.ResumeNote = static_cast<int>(std::clamp<long long>(note, 0, kNoteSlots));
    s.Paused = false;

    const int t = m_edit.ActiveTrack;
    const auto midi = s.activeTrackOnly
                          ? midiRange(t, t, s.ResumeNote, m_composition.NoteCount[t])
                          : midiRange(0, kLastTrack, s.ResumeNote, m_composition.SongLength);
    if (!loadAndApplyEffects(midi)) {
        m_display.showCritical(kLoadErrorTitle, kLoadErrorText);
        return;
    }
    // The resumed bytes hold only the rest of the composition; looping them
    // would repeat that tail, so a resumed playback plays once whatever Loop says.
    startSegment(false);
    if (s.KaraokeMode) {
        DisplayChanges changes;
        changes.showKaraoke = true;  // with the texts it had at the pause
        m_display.apply(changes);
    }
    s.PlayPos = s.ResumeNote;
    m_display.startClockTimer();
}

void Playback::freshStart() {
    PlaybackState& s = m_state;
    Composition& c = m_composition;
    const EditState& e = m_edit;
    s.PosOffset = 0;
    m_display.setPauseBarsColor(kIndicatorGrey);
    m_display.setStopBoxColor(kIndicatorGrey);
    c.ComputeSongLength();
    if (c.SongLength == 0) return;

    const int t = e.ActiveTrack;
    std::vector<uint8_t> midi;
    if (e.SelActive) {
        const int first = e.ScrollPos + e.SelStart;
        const int last = e.ScrollPos + e.SelEnd;
        midi = s.activeTrackOnly ? midiRange(t, t, first, last)
                                 : midiRange(e.SelTrackFrom, e.SelTrackTo, first, last);
        const int steps = e.SelEnd - e.SelStart;
        s.PlayDuration =
            static_cast<float>((steps + 1) * kSelectionTenthsPerStepTimesDivision / c.Division);
        s.TenthsPerNote = steps == 0 ? 0.1f : s.PlayDuration / steps;
        s.FollowPage = first / kVisibleColumns;
        s.PlayPos = first;
        s.FollowBox = e.SelStart;
        // The clock counts from the selection's first note.
        s.PosOffset = static_cast<int32_t>(roundHalfEven(-first * double{s.TenthsPerNote}));
    } else {
        if (s.activeTrackOnly) {
            c.SongLength = c.NoteCount[t];
            // An empty active track is as empty as an empty composition.
            if (c.SongLength == 0) return;
            midi = midiRange(t, t, 0, c.NoteCount[t]);
        } else {
            midi = midiRange(0, kLastTrack, 0, c.SongLength);
        }
        s.PlayDuration =
            static_cast<float>(c.SongLength * kTenthsPerStepTimesDivision / c.Division);
        s.TenthsPerNote = s.PlayDuration / c.SongLength;
        s.PlayPos = 0;
    }

    if (!loadAndApplyEffects(midi)) {
        m_display.showCritical(kLoadErrorTitle, kLoadErrorText);
        return;
    }
    if (!e.SelActive) resetPlayerPianoAndKaraoke(0);
    resetTeachLights();
    startSegment(s.loop);
    // A selection plays without the clock.
    if (!e.SelActive) m_display.startClockTimer();
}

void Playback::Pause() {
    if (m_state.Paused) return;
    m_state.Paused = true;
    m_display.setPauseBarsColor(kIndicatorRed);
    m_display.stopClockTimer();
    if (m_engine.hasLoaded()) m_engine.stop();
}

void Playback::Stop() {
    m_display.setStopBoxColor(kIndicatorRed);
    if (m_engine.hasLoaded()) m_engine.stop();
    m_state.Paused = false;
    m_display.setPauseBarsColor(kIndicatorGrey);
    m_display.stopClockTimer();

    DisplayChanges changes;
    if (m_state.TeachMode) unlightKey(changes);
    if (m_state.PlayerPianoMode) unlightLyric(changes);
    if (!changes.keyColors.empty() || !changes.lyricColors.empty()) m_display.apply(changes);
}

// The lit key gets its own colour back. The stored restore colour is white
// before the first playback and would paint a black key, lit blue by a
// computer key, white.
void Playback::unlightKey(DisplayChanges& changes) const {
    changes.keyColors.push_back({m_lights.LitKey, keyRestColor(m_lights.LitKey)});
}

void Playback::unlightLyric(DisplayChanges& changes) const {
    if (m_state.FollowBox >= 0 && m_state.FollowBox < kVisibleColumns)
        changes.lyricColors.push_back({m_state.FollowBox, kWhite});
}

// While Paused this plays just as it does otherwise: restarting only the clock
// would move the displays through a range that is not heard.
void Playback::StartToSelection() {
    PlaybackState& s = m_state;
    Composition& c = m_composition;
    if (!m_edit.SelActive || m_edit.SelStart < 1) return;

    c.SongLength = m_edit.ScrollPos + m_edit.SelStart;
    if (!loadAndApplyEffects(midiRange(0, kLastTrack, 0, c.SongLength))) return;
    s.PlayDuration = static_cast<float>(c.SongLength * kTenthsPerStepTimesDivision / c.Division);
    s.TenthsPerNote = s.PlayDuration / c.SongLength;
    s.PlayPos = 0;  // PosOffset stays
    resetPlayerPianoAndKaraoke(0);
    resetTeachLights();
    startSegment(s.loop);
    leavePause();
}

void Playback::FromSelection() {
    PlaybackState& s = m_state;
    Composition& c = m_composition;
    if (!m_edit.SelActive) return;
    c.ComputeSongLength();
    const int n = m_edit.ScrollPos + m_edit.SelStart;
    // A selection that starts at or past the end leaves no note to play; this
    // also covers SongLength - SelStart < 1.
    if (n >= c.SongLength) return;

    if (!loadAndApplyEffects(midiRange(0, kLastTrack, n, c.SongLength))) return;
    const int notes = c.SongLength - n;
    s.PlayDuration = static_cast<float>(notes * kTenthsPerStepTimesDivision / c.Division);
    s.TenthsPerNote = s.PlayDuration / notes;
    s.PlayPos = n;
    // The clock counts from the start of the range, whatever a played
    // selection left in PosOffset.
    s.PosOffset = 0;
    resetPlayerPianoAndKaraoke(n);
    resetTeachLights();
    startSegment(s.loop);
    m_display.startClockTimer();
    leavePause();
}

void Playback::PlayMidiFile(const std::string& path) {
    // An empty path (the dialog was cancelled) fails to load, silently.
    if (m_engine.hasLoaded()) m_engine.stop();
    if (!m_engine.loadFile(path)) {
        // Only a refusal says why; a file that is not MIDI is ignored.
        if (const std::string why = m_engine.lastLoadError(); !why.empty())
            m_display.showCritical(kLoadErrorTitle, why);
        return;
    }
    if (m_fx) m_fx();
    m_engine.play(m_state.loop);
}

void Playback::Volslider_Change(double value) {
    m_engine.setMasterVolume(static_cast<int>(roundHalfEven(value * 30 - 3000)));
}

std::vector<uint8_t> Playback::midiRange(int firstTrack, int lastTrack, int firstNote,
                                         int lastNote) const {
    return WriteMidiFile(m_composition, firstTrack, lastTrack, firstNote, lastNote);
}

bool Playback::loadAndApplyEffects(const std::vector<uint8_t>& midi) {
    if (m_engine.hasLoaded()) m_engine.stop();
    if (midi.empty() || !m_engine.load(midi)) return false;
    // The effects report their own failure; the sound then plays without them.
    if (m_fx) m_fx();
    return true;
}

void Playback::startSegment(bool loop) {
    m_engine.play(loop);
    const long long now = roundHalfEven(static_cast<double>(m_engine.clockMs()) / 100);
    m_state.ClockStart =
        static_cast<int32_t>(roundHalfEven(now + startLatency(m_composition.Division)));
}

// Turns the player piano back to `scrollPos` and the karaoke window to the
// first five lyrics.
void Playback::resetPlayerPianoAndKaraoke(int scrollPos) {
    PlaybackState& s = m_state;
    DisplayChanges changes;
    if (s.PlayerPianoMode) {
        unlightLyric(changes);  // a playback started over leaves no yellow box behind
        m_edit.ScrollPos = scrollPos;
        s.FollowPage = 0;
        s.FollowBox = 0;
        changes.redrawStaff = true;
    }
    if (s.KaraokeMode) {
        std::array<std::string, kKaraokeLabels> labels;
        for (int i = 0; i < kKaraokeLabels; ++i)
            labels[i] = m_composition.Lyrics[i];
        changes.vocLabels = std::move(labels);
        s.KaraokeGroup = 0;
        changes.ballLeft = kBallStartLeft;
        s.KaraokeWord = 0;
        changes.showKaraoke = true;
    }
    if (changes.redrawStaff || changes.showKaraoke) m_display.apply(changes);
}

void Playback::resetTeachLights() {
    if (!m_state.TeachMode) return;
    DisplayChanges changes;
    unlightKey(changes);  // nor a red key
    m_display.apply(changes);
    m_lights.KeyRestoreColor = kWhiteKeyColor;
    m_lights.LitKey = 0;
}

// A play command that ends a pause also greys the pause bars, so that the
// indicators show Playing.
void Playback::leavePause() {
    if (m_state.Paused) m_display.setPauseBarsColor(kIndicatorGrey);
    m_state.Paused = false;
}

}  // namespace qn
