#pragma once

// Distortion: pre low-pass, a variable-hardness odd waveshaper, a band-pass
// post-EQ that places the added harmonics, then a level change.

#include <array>

#include "audioeffect.h"
#include "biquad.h"
#include "effectparameters.h"

namespace qn::fx {

class Distortion final : public AudioEffect {
  public:
    // UI thread; starts with the default parameters.
    explicit Distortion(double sampleRate);

    // UI thread. Refuses the whole set when a field is outside its range;
    // moves the post-EQ centre and the pre low-pass cutoff down to a third of
    // the sample rate when above it (Adjusted).
    ParameterResult setParameters(const DistortionParameters& parameters);
    // The parameters in force, after any adjustment.
    const DistortionParameters& parameters() const { return m_parameters; }

    void process(float* interleaved, int frames) noexcept override;

  private:
    double m_sampleRate;
    DistortionParameters m_parameters;
    std::array<Biquad, 2> m_lowPass;
    std::array<Biquad, 2> m_bandPass;
    double m_hardness = 0;  // k of the shaper; 0 is linear
    double m_gain = 1;      // linear
};

}  // namespace qn::fx
