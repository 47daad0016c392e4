#pragma once

// A hook on the synthesiser's output: the effect chain, or a test probe.
// process() runs on the audio thread (or on the thread of an offline render)
// and must not allocate, lock, block, log or call Qt.

namespace qn {

class AudioProcessor {
  public:
    virtual ~AudioProcessor() = default;
    // Processes `frames` interleaved stereo frames in place (left, right, left, ...).
    virtual void process(float* interleaved, int frames) noexcept = 0;
};

}  // namespace qn
