#pragma once

// Renders a Standard MIDI File without an audio device, as fast as the CPU
// allows, through the synthesiser configuration (synthsetup.h) and the
// SequencePlayer that playback uses, and an optional AudioProcessor such as the
// effect chain. Everything runs on the calling thread.

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "audiofilewriter.h"
#include "sequenceplayer.h"
#include "sound/audioprocessor.h"
#include "synthsetup.h"

namespace qn {

struct RenderOptions {
    AudioProcessor* processor = nullptr;  // runs on every block, after the synth
    // The render ends once the file has played to its end and the output has
    // stayed below silenceDb (dB full scale) for silenceMs; that silence is
    // left out. An effect with long delays (echo) may need a longer silenceMs.
    double silenceDb = -90.0;
    int silenceMs = 100;
    int maxTailMs = 30000;                      // safety cap on the sound after the file's end
    uint64_t maxFrames = kMaxWavDataBytes / 4;  // safety cap: what a 16-bit stereo WAV holds
};

struct RenderResult {
    uint64_t frames = 0;          // handed to the sink
    uint64_t playerEndFrame = 0;  // where the file's last end-of-track falls
    bool capped = false;          // a safety cap ended the render while it still sounded
    bool cancelled = false;       // the sink asked to stop
};

class OfflineRenderer {
  public:
    static constexpr int kBlockFrames = 512;

    // Loads the sound font; nothing, with `error` set to a sentence for the user, on failure.
    static std::unique_ptr<OfflineRenderer> create(const QString& soundFont, QString* error,
                                                   int sampleRate = kDefaultSampleRate);
    ~OfflineRenderer();

    int sampleRate() const { return m_sampleRate; }

    // Receives the rendered sound, interleaved stereo, block by block; false
    // cancels the render, which then ends at once.
    using Sink = std::function<bool(const float* interleaved, int frames)>;

    // Plays `midiFile` from its start to its end and on until the sound has
    // died away, handing every frame to `sink`. Nothing, with `error` set,
    // when the bytes are not a Standard MIDI File. Renders may follow each
    // other on one renderer; each starts from a reset synthesiser.
    std::optional<RenderResult> render(const std::vector<uint8_t>& midiFile,
                                       const RenderOptions& options, const Sink& sink,
                                       QString* error);

  private:
    OfflineRenderer(SynthCore core, int sampleRate);

    SynthCore m_core;
    int m_sampleRate;
    SequencePlayer m_player;  // keeps the synth's 64-frame alignment across renders
};

}  // namespace qn
