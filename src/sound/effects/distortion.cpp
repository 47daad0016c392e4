#include "distortion.h"

#include <algorithm>
#include <cmath>

namespace qn::fx {

Distortion::Distortion(double sampleRate) : m_sampleRate(sampleRate) {
    setParameters(DistortionParameters{});
}

ParameterResult Distortion::setParameters(const DistortionParameters& parameters) {
    if (findOutOfRange(parameters)) return ParameterResult::Refused;
    DistortionParameters p = parameters;
    const auto limit = static_cast<float>(m_sampleRate / 3.0);
    const bool adjusted = p.postEQCenterFrequency > limit || p.preLowpassCutoff > limit;
    p.postEQCenterFrequency = std::min(p.postEQCenterFrequency, limit);
    p.preLowpassCutoff = std::min(p.preLowpassCutoff, limit);
    m_parameters = p;

    const auto lowPass = BiquadCoefficients::lowPass(p.preLowpassCutoff, 0.707, m_sampleRate);
    const auto bandPass = BiquadCoefficients::bandPass(
        p.postEQCenterFrequency, p.postEQCenterFrequency / p.postEQBandwidth, m_sampleRate);
    for (int c = 0; c < 2; ++c) {
        m_lowPass[c].setCoefficients(lowPass);
        m_bandPass[c].setCoefficients(bandPass);
    }
    // Edge 100 % would make the shaper a sign function; 0.995 keeps it finite.
    const double a = std::min(p.edge / 100.0, 0.995);
    m_hardness = 2.0 * a / (1.0 - a);
    m_gain = std::pow(10.0, p.gain / 20.0);
    return adjusted ? ParameterResult::Adjusted : ParameterResult::Accepted;
}

void Distortion::process(float* interleaved, int frames) noexcept {
    const double k = m_hardness;
    for (int i = 0; i < 2 * frames; ++i) {
        const int c = i & 1;
        const double u = m_lowPass[c].process(interleaved[i]);
        // Odd and monotonic, maps +-1 to +-1, harder as k grows.
        const double shaped = (1.0 + k) * u / (1.0 + k * std::fabs(u));
        interleaved[i] = static_cast<float>(m_gain * m_bandPass[c].process(shaped));
    }
}

}  // namespace qn::fx
