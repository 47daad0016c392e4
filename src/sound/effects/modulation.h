#pragma once

// Chorus and flanger: a delay swept by an LFO around its centre, with
// feedback; they differ only in their delay range and defaults.

#include <array>

#include "audioeffect.h"
#include "delayline.h"
#include "effectparameters.h"
#include "lfo.h"

namespace qn::fx {

enum class ModulationKind { Chorus, Flanger };

class Modulation final : public AudioEffect {
  public:
    // UI thread. Sizes the lines for the widest sweep (twice the kind's
    // longest delay) at this rate; starts with the kind's defaults.
    Modulation(double sampleRate, ModulationKind kind);

    // UI thread. Refuses the whole set when a field is outside its range.
    ParameterResult setParameters(const ModulationParameters& parameters);
    const ModulationParameters& parameters() const { return m_parameters; }

    void process(float* interleaved, int frames) noexcept override;

  private:
    double m_sampleRate;
    float m_maxDelayMs;
    ModulationParameters m_parameters;
    std::array<DelayLine, 2> m_lines;
    Lfo m_lfo;
    double m_centre = 1;       // samples
    double m_depth = 0;        // fraction of m_centre swung by the LFO
    double m_rightOffset = 0;  // cycles added to the left LFO phase
    bool m_sine = true;
    float m_feedback = 0;  // linear, negative inverts
    float m_wet = 0;
};

}  // namespace qn::fx
