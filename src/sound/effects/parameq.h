#pragma once

// Parametric equaliser: one RBJ peaking section per channel.

#include <array>

#include "audioeffect.h"
#include "biquad.h"
#include "effectparameters.h"

namespace qn::fx {

class ParamEq final : public AudioEffect {
  public:
    // UI thread; starts with the default parameters.
    explicit ParamEq(double sampleRate);

    // UI thread. Refuses the whole set when a field is outside its range;
    // moves a centre above a third of the sample rate down to it (Adjusted).
    ParameterResult setParameters(const ParamEqParameters& parameters);
    // The parameters in force, after any adjustment.
    const ParamEqParameters& parameters() const { return m_parameters; }

    void process(float* interleaved, int frames) noexcept override;

  private:
    double m_sampleRate;
    ParamEqParameters m_parameters;
    std::array<Biquad, 2> m_filters;
};

}  // namespace qn::fx
