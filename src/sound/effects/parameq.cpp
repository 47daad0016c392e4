#include "parameq.h"

#include <algorithm>

namespace qn::fx {

ParamEq::ParamEq(double sampleRate) : m_sampleRate(sampleRate) {
    setParameters(ParamEqParameters{});
}

ParameterResult ParamEq::setParameters(const ParamEqParameters& parameters) {
    if (findOutOfRange(parameters)) return ParameterResult::Refused;
    const auto limit = static_cast<float>(m_sampleRate / 3.0);
    const bool adjusted = parameters.center > limit;
    m_parameters = parameters;
    m_parameters.center = std::min(parameters.center, limit);
    // Bandwidth in semitones, twelve to the octave.
    const auto c = BiquadCoefficients::peaking(m_parameters.center, m_parameters.gain,
                                               m_parameters.bandwidth / 12.0, m_sampleRate);
    for (Biquad& filter : m_filters)
        filter.setCoefficients(c);
    return adjusted ? ParameterResult::Adjusted : ParameterResult::Accepted;
}

void ParamEq::process(float* interleaved, int frames) noexcept {
    for (int i = 0; i < 2 * frames; ++i)
        interleaved[i] = static_cast<float>(m_filters[i & 1].process(interleaved[i]));
}

}  // namespace qn::fx
