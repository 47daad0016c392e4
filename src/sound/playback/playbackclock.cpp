#include "playbackclock.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/numbertext.h"
#include "piano.h"
#include "sound/audioengine.h"

namespace qn {

namespace {

constexpr int kTenthsPerMinute = 600;
constexpr int kPageColumns = kVisibleColumns;

// Piano key of each pitch code 0..24: white keys in ascending pitch from B,
// black keys after them.
constexpr std::array<int, kHighestPitch + 1> kKeyOfPitch = {
    0, 1, 16, 2, 17, 3, 4, 18, 5, 19, 6, 20, 7, 8, 21, 9, 22, 10, 11, 23, 12, 24, 13, 25, 14};

long long floorDiv(long long a, long long b) {
    long long q = a / b;
    if (a % b != 0 && (a < 0) != (b < 0)) --q;
    return q;
}

void paintLyric(DisplayChanges& changes, int box, uint32_t color) {
    if (box >= 0 && box < kPageColumns) changes.lyricColors.push_back({box, color});
}

}  // namespace

std::string timeDisplayText(int32_t tenths) {
    const long long minutes = floorDiv(tenths, kTenthsPerMinute);
    const long long seconds = floorDiv(tenths - minutes * kTenthsPerMinute, 10);
    const long long rest = tenths - minutes * kTenthsPerMinute - seconds * 10;

    std::string secondsText = numberText(seconds);
    if (secondsText.size() == 2)
        secondsText[0] = '0';  // " 6" -> "06"
    else if (secondsText.size() == 3)
        secondsText.erase(0, 1);  // " 15" -> "15"

    std::string text = numberText(minutes);
    text.append(":").append(secondsText).append(".");
    text.push_back(numberText(rest).back());
    return text;
}

int teachKey(int pitchCode) {
    if (isRest(pitchCode)) return kPauseKey;
    if (pitchCode < 0 || pitchCode > kHighestPitch) return -1;
    return kKeyOfPitch[pitchCode];
}

PlaybackClock::PlaybackClock(const Composition& composition, EditState& edit,
                             const AudioEngine& engine, PlaybackState& state, PianoLights& lights)
    : m_composition(composition),
      m_edit(edit),
      m_engine(engine),
      m_state(state),
      m_lights(lights) {}

DisplayChanges PlaybackClock::tick() {
    PlaybackState& s = m_state;
    DisplayChanges changes;
    const long long now = roundHalfEven(static_cast<double>(m_engine.clockMs()) / 100);
    const long long elapsed = now - s.ClockStart + s.PosOffset;
    s.ClockNow = static_cast<int32_t>(now);
    s.ClockElapsed = static_cast<int32_t>(elapsed);
    if (elapsed < kMinPlayPos || elapsed > kMaxPlayPos) {
        // The position no longer fits: the displays stop here, the sound plays on.
        s.PlayPos = static_cast<int>(std::clamp<long long>(elapsed, kMinPlayPos, kMaxPlayPos));
        end(changes);
        return changes;
    }
    s.PlayPos = static_cast<int>(elapsed);

    changes.timeText = timeDisplayText(s.ClockElapsed);
    // Without a note length (nothing timed yet) only the time can be shown.
    if (s.TenthsPerNote > 0) {
        const auto note = static_cast<long long>(std::floor(s.PlayPos / double{s.TenthsPerNote}));
        changes.noteNumberText = numberText(note + 1);
        // In the start latency the position is negative and nothing is sung yet.
        if (s.PlayPos >= 0) {
            karaoke(changes);
            playerPiano(changes);
            teach(changes);
        }
    }
    if (s.PlayPos > s.PlayDuration) end(changes);
    return changes;
}

long long PlaybackClock::column(int firstColumn) const {
    // Rounded after the subtraction: halves go to the even neighbour of the difference.
    return roundHalfEven(m_state.PlayPos / double{m_state.TenthsPerNote} - firstColumn);
}

void PlaybackClock::karaoke(DisplayChanges& changes) {
    PlaybackState& s = m_state;
    if (!s.KaraokeMode) return;
    s.KaraokeWord = static_cast<int>(column(s.KaraokeGroup * kKaraokeLabels));
    if (s.KaraokeWord >= kKaraokeLabels) {
        s.KaraokeWord = 0;
        ++s.KaraokeGroup;
        std::array<std::string, kKaraokeLabels> labels;
        for (int i = 0; i < kKaraokeLabels; ++i) {
            const long long index = static_cast<long long>(s.KaraokeGroup) * kKaraokeLabels + i;
            if (index <= kMaxNoteIndex) labels[i] = m_composition.Lyrics[index];
        }
        changes.vocLabels = std::move(labels);
    }
    changes.ballLeft = s.KaraokeWord * kBallStep + kBallStartLeft;
}

void PlaybackClock::playerPiano(DisplayChanges& changes) {
    PlaybackState& s = m_state;
    if (!s.PlayerPianoMode) return;
    paintLyric(changes, s.FollowBox, kWhite);
    s.FollowBox = static_cast<int>(column(s.FollowPage * kPageColumns));
    if (s.FollowBox >= kPageColumns) {
        // No page lies past the last note slot; the box stays unlit there.
        if (m_edit.ScrollPos + kPageColumns > kMaxNoteIndex) return;
        s.FollowBox = 0;
        m_edit.ScrollPos += kPageColumns;
        ++s.FollowPage;
        changes.redrawStaff = true;
    } else if (s.FollowBox < 0) {
        s.FollowBox += kPageColumns;
    }
    paintLyric(changes, s.FollowBox, kFollowColor);
}

void PlaybackClock::teach(DisplayChanges& changes) {
    if (!m_state.TeachMode) return;
    const long long col = column();
    if (col > kMaxNoteIndex) return;  // past the note tables
    const int key = teachKey(m_composition.note(m_edit.ActiveTrack, static_cast<int>(col)).pitch);
    if (key < 0 || key == m_lights.LitKey) return;  // a repeated note stays lit as it is
    changes.keyColors.push_back({key, kLitKeyColor});
    changes.keyColors.push_back({m_lights.LitKey, m_lights.KeyRestoreColor});
    m_lights.KeyRestoreColor = keyRestColor(key);
    m_lights.LitKey = key;
}

// The teach key and the player-piano box are cleared; the other displays keep
// their last state.
void PlaybackClock::end(DisplayChanges& changes) {
    changes.stopClock = true;
    // The lit key's own colour: see Playback::Stop.
    if (m_state.TeachMode)
        changes.keyColors.push_back({m_lights.LitKey, keyRestColor(m_lights.LitKey)});
    if (m_state.PlayerPianoMode) paintLyric(changes, m_state.FollowBox, kWhite);
}

}  // namespace qn
