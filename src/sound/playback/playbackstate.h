#pragma once

// The values the play commands set and the 100 ms playback clock reads and
// moves on: positions and durations in tenths of a second, the note and page
// the displays follow, and the switches that decide what is played and shown.
// Playback owns one; PlaybackClock works on the same one. UI thread only.

#include <cstdint>

namespace qn {

// Positions and durations above this do not fit the clock's 16-bit position
// (about 54.6 minutes); the displays stop there.
inline constexpr int kMaxPlayPos = 32767;
inline constexpr int kMinPlayPos = -32768;

struct PlaybackState {
    // Between Pause and the next Play, Stop or play command.
    bool Paused = false;

    // Set by the play commands (tenths of a second unless said otherwise).
    float PlayDuration = 0;  // the clock stops once the position passes it
    float TenthsPerNote = 0;
    int PlayPos = 0;         // playback position, kMinPlayPos..kMaxPlayPos
    int32_t PosOffset = 0;   // added to the elapsed time; 0 at a fresh start
    int32_t ClockStart = 0;  // clock reading at the start, plus the start latency
    int ResumeNote = 0;      // note index Play resumes from after Pause

    // Kept by the clock.
    int32_t ClockNow = 0;  // last clock reading
    int32_t ClockElapsed = 0;
    int KaraokeWord = 0;   // word 0..4 of the current group
    int KaraokeGroup = 0;  // group g shows lyrics 5g..5g + 4
    int FollowBox = 0;     // lyric box 0..19 of the current note (player piano)
    int FollowPage = 0;    // 20-column pages turned since the start (player piano)

    // Menu check marks: play the active track only; repeat endlessly.
    bool activeTrackOnly = false;
    bool loop = false;

    // Display modes; the window copies them from the settings when they change.
    bool KaraokeMode = false;
    bool PlayerPianoMode = false;
    bool TeachMode = false;
};

}  // namespace qn
