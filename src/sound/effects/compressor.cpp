#include "compressor.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "denormal.h"

namespace qn::fx {
namespace {

constexpr double kMaxPredelayMs = 4;

int samples(double ms, double sampleRate) {
    return static_cast<int>(std::lround(ms * sampleRate / 1000.0));
}

// e^(-1 / (time constant in samples)).
double onePole(double ms, double sampleRate) {
    return std::exp(-1000.0 / (ms * sampleRate));
}

}  // namespace

Compressor::Compressor(double sampleRate) : m_sampleRate(sampleRate) {
    // One more than the longest predelay: the current frame is written first.
    const int longest = samples(kMaxPredelayMs, sampleRate) + 1;
    m_lookahead = {DelayLine(longest), DelayLine(longest)};
    setParameters(CompressorParameters{});
}

ParameterResult Compressor::setParameters(const CompressorParameters& parameters) {
    if (findOutOfRange(parameters)) return ParameterResult::Refused;
    m_parameters = parameters;
    m_predelay = samples(parameters.predelay, m_sampleRate);
    m_threshold = std::pow(10.0, parameters.threshold / 20.0);
    m_slope = 1.0 - 1.0 / parameters.ratio;
    m_attack = onePole(parameters.attack, m_sampleRate);
    m_release = onePole(parameters.release, m_sampleRate);
    return ParameterResult::Accepted;
}

void Compressor::process(float* interleaved, int frames) noexcept {
    constexpr double kNepersPerDb = std::numbers::ln10 / 20.0;
    const double threshold = m_parameters.threshold;
    const double makeup = m_parameters.gain;
    for (int i = 0; i < frames; ++i) {
        float& left = interleaved[2 * i];
        float& right = interleaved[2 * i + 1];
        const double peak = std::max(std::fabs(left), std::fabs(right));
        const double wanted =
            peak > m_threshold ? (20.0 * std::log10(peak) - threshold) * m_slope : 0.0;
        m_releaseState = flushDenormal(
            std::max(wanted, m_release * m_releaseState + (1.0 - m_release) * wanted));
        m_reduction = flushDenormal(m_attack * m_reduction + (1.0 - m_attack) * m_releaseState);
        const auto gain = static_cast<float>(std::exp((makeup - m_reduction) * kNepersPerDb));
        m_lookahead[0].write(left);
        m_lookahead[1].write(right);
        left = m_lookahead[0].read(m_predelay + 1) * gain;
        right = m_lookahead[1].read(m_predelay + 1) * gain;
    }
}

}  // namespace qn::fx
