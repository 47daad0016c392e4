#pragma once

// Gargle: amplitude modulation at full depth, the same modulator on both
// channels.

#include "audioeffect.h"
#include "effectparameters.h"
#include "lfo.h"

namespace qn::fx {

class Gargle final : public AudioEffect {
  public:
    // UI thread; starts with the default parameters.
    explicit Gargle(double sampleRate);

    // UI thread. Refuses the whole set when a field is outside its range.
    ParameterResult setParameters(const GargleParameters& parameters);
    const GargleParameters& parameters() const { return m_parameters; }

    void process(float* interleaved, int frames) noexcept override;

  private:
    double m_sampleRate;
    GargleParameters m_parameters;
    Lfo m_lfo;
};

}  // namespace qn::fx
