#pragma once

// What playback, the piano and the instrument preview ask of the synthesiser:
// play a Standard MIDI File, stop at once, tell the time, set the volume.
// SynthEngine implements it with the real synthesiser; tests use fakes.
// Every function is called on the user-interface thread.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "audioprocessor.h"

namespace qn {

class AudioEngine {
  public:
    virtual ~AudioEngine() = default;

    // Stops what was loaded and loads a Standard MIDI File from memory. False,
    // with nothing loaded, when the bytes are not a MIDI file.
    virtual bool load(const std::vector<uint8_t>& midiFile) = 0;
    // The same for a file on disk, which may still be read and parsed in the
    // background (hasLoaded() meanwhile, and a play() waits for it).
    virtual bool loadFile(const std::string& path) = 0;
    // Why the last load failed, for the user; empty when there is nothing to
    // say beyond "not a MIDI file" (such a load fails silently).
    virtual std::string lastLoadError() const { return {}; }
    // Whether a file is loaded (the last load succeeded).
    virtual bool hasLoaded() const = 0;

    // Starts the loaded file from its beginning; with `loop` it repeats endlessly.
    virtual void play(bool loop) = 0;
    // Stops the loaded file and fades every channel out within a few milliseconds.
    virtual void stop() = 0;

    // Milliseconds of audio rendered since the engine started: the playback clock.
    virtual int64_t clockMs() const = 0;
    // Master volume in hundredths of a decibel (0 full, -3000 quiet); acts at once.
    virtual void setMasterVolume(int hundredthsOfDb) = 0;

    // Called on the user-interface thread when a started file has played to its end.
    virtual void setEndOfPlaybackHandler(std::function<void()> handler) = 0;

    // The hook on the output that the effects run in; null removes it.
    virtual void setAudioProcessor(std::unique_ptr<AudioProcessor> /*processor*/) {}
    // Frames per second of the output, for preparing the effects.
    virtual int sampleRate() const { return 44100; }
};

}  // namespace qn
