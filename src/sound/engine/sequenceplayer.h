#pragma once

// Plays a MidiSequence on a FluidSynth synth, for the audio callback and the
// offline renderer alike: it renders with fluid_synth_write_float and sends
// every event when the output has reached the event's frame, splitting the
// block there.
//
// FluidSynth applies an event at the start of its next internal 64-frame block,
// and its blocks stay aligned to multiples of 64 frames since the synth was
// created. The player therefore starts sequences on such a boundary and ends
// fades on one, and the output depends only on the events' frames, never on
// how the caller cuts its blocks.
//
// One thread only (the audio thread, or the offline renderer's). Nothing here
// allocates, locks for long, logs or does I/O; the synth's API calls take its
// own mutex for a moment.

#include <fluidsynth.h>

#include <cstdint>

#include "midisequence.h"

namespace qn {

class SequencePlayer {
  public:
    static constexpr int kSynthBlock = 64;  // FluidSynth's internal block, in frames

    explicit SequencePlayer(int sampleRate);

    // The synth to render on, whose 64-frame blocks start at the player's
    // frame 0; it must not have rendered before. Ends what played at once.
    void setSynth(fluid_synth_t* synth);

    // Starts `sequence` (kept alive by the caller until a later call replaces
    // it) from its beginning; with `loop` it repeats while it has a length.
    // What sounds fades out first; the start then comes at the next 64-frame
    // boundary with a reset synth.
    void play(const MidiSequence* sequence, bool loop);
    // Ends dispatching and fades out what sounds: silent in 3 to 5 ms.
    void stop();
    bool fading() const { return m_fadeEnd >= 0; }

    // With `apiHeld` the synth's API is not called (another thread holds its
    // mutex for long): events wait, and a fade that reaches zero stays silent
    // until a later render may silence the voices.
    void render(float* interleaved, int frames, bool apiHeld = false) noexcept;

    // Frames rendered on the current synth.
    int64_t frame() const { return m_frame; }
    // Where the last started sequence's frame 0 sounds; true once per start.
    bool takeStarted(int64_t* startFrame);
    // True once when a sequence that does not loop has dispatched its end.
    bool takeFinished();

  private:
    void beginFade();
    void endFade();
    void dispatchDue();
    void send(const SequenceEvent& e);

    fluid_synth_t* m_synth = nullptr;
    int m_minFadeFrames;
    int64_t m_frame = 0;

    const MidiSequence* m_sequence = nullptr;  // dispatching
    bool m_loop = false;
    int64_t m_passStart = 0;  // the frame of the current pass's frame 0
    size_t m_next = 0;        // the next event to send

    const MidiSequence* m_pending = nullptr;  // to start when the fade ends
    bool m_pendingLoop = false;
    int64_t m_fadeStart = -1;
    int64_t m_rampEnd = -1;  // where the gain reaches zero
    int64_t m_fadeEnd = -1;  // on a 64-frame boundary, from m_rampEnd on; -1: no fade
    float m_recentPeak = 0;  // of the last block rendered: whether anything sounds

    bool m_started = false;
    int64_t m_startFrame = 0;
    bool m_finished = false;
};

}  // namespace qn
