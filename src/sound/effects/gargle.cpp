#include "gargle.h"

#include <cmath>

namespace qn::fx {

Gargle::Gargle(double sampleRate) : m_sampleRate(sampleRate) {
    setParameters(GargleParameters{});
}

ParameterResult Gargle::setParameters(const GargleParameters& parameters) {
    if (findOutOfRange(parameters)) return ParameterResult::Refused;
    m_parameters = parameters;
    m_lfo.setFrequency(parameters.rateHz, m_sampleRate);
    return ParameterResult::Accepted;
}

void Gargle::process(float* interleaved, int frames) noexcept {
    const bool square = m_parameters.waveShape == kGargleSquare;
    for (int i = 0; i < frames; ++i) {
        const double phase = m_lfo.phase();
        // Unipolar: the square is on for the first half of each cycle, the
        // triangle rises from 0 at phase 0 to 1 at half a cycle.
        const double m = square ? (phase < 0.5 ? 1.0 : 0.0) : 1.0 - std::fabs(1.0 - 2.0 * phase);
        const auto gain = static_cast<float>(m);
        interleaved[2 * i] *= gain;
        interleaved[2 * i + 1] *= gain;
        m_lfo.advance();
    }
}

}  // namespace qn::fx
