#pragma once

// The switched-on effects, in chain order, prepared for one sample rate.
// Built and destroyed on the user-interface thread; process() runs on the
// audio thread and never allocates, locks or blocks.

#include <memory>
#include <string>

#include "effectparameters.h"

namespace qn::fx {

class EffectChain {
  public:
    // Prepares the effects switched on in `settings`. Nothing, with `error`
    // naming the effect, when a parameter set lies outside its ranges.
    static std::unique_ptr<EffectChain> create(const EffectSettings& settings, double sampleRate,
                                               std::string* error);
    ~EffectChain();

    // Processes `frames` interleaved stereo frames in place (left, right, left, ...).
    void process(float* interleaved, int frames) noexcept;
    bool empty() const;

  private:
    EffectChain();
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace qn::fx
