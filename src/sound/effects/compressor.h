#pragma once

// Compressor: feed-forward, log-domain, hard knee, with a smooth decoupled
// peak detector (Giannoulis, Massberg & Reiss 2012) linked across the two
// channels. The predelay is lookahead: the audio is delayed, not the detector,
// so that the gain is already down when a loud onset comes out.

#include <array>

#include "audioeffect.h"
#include "delayline.h"
#include "effectparameters.h"

namespace qn::fx {

class Compressor final : public AudioEffect {
  public:
    // UI thread. Sizes the lookahead for the longest predelay (4 ms) at this
    // rate; starts with the default parameters.
    explicit Compressor(double sampleRate);

    // UI thread. Refuses the whole set when a field is outside its range.
    ParameterResult setParameters(const CompressorParameters& parameters);
    const CompressorParameters& parameters() const { return m_parameters; }

    void process(float* interleaved, int frames) noexcept override;

  private:
    double m_sampleRate;
    CompressorParameters m_parameters;
    std::array<DelayLine, 2> m_lookahead;
    int m_predelay = 0;      // samples
    double m_threshold = 1;  // linear peak level
    double m_slope = 0;      // dB of reduction per dB above the threshold
    double m_attack = 0;     // one-pole coefficients per sample
    double m_release = 0;
    double m_releaseState = 0;  // dB of wanted reduction, held by the release
    double m_reduction = 0;     // dB of reduction applied
};

}  // namespace qn::fx
