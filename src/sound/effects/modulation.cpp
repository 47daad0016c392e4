#include "modulation.h"

#include <algorithm>
#include <cmath>

#include "denormal.h"

namespace qn::fx {

Modulation::Modulation(double sampleRate, ModulationKind kind)
    : m_sampleRate(sampleRate),
      m_maxDelayMs(kind == ModulationKind::Chorus ? kChorusMaxDelay : kFlangerMaxDelay) {
    const int longest = static_cast<int>(std::ceil(2.0 * m_maxDelayMs * sampleRate / 1000.0)) + 1;
    m_lines = {DelayLine(longest), DelayLine(longest)};
    setParameters(kind == ModulationKind::Chorus ? kChorusDefaults : kFlangerDefaults);
}

ParameterResult Modulation::setParameters(const ModulationParameters& parameters) {
    if (findOutOfRange(parameters, m_maxDelayMs)) return ParameterResult::Refused;
    m_parameters = parameters;
    m_centre = parameters.delay * m_sampleRate / 1000.0;
    m_depth = parameters.depth / 100.0;
    m_rightOffset = (parameters.phase - 2) / 4.0;
    m_sine = parameters.waveform == kWaveSine;
    m_feedback = parameters.feedback / 100.0f;
    m_wet = parameters.wetDryMix / 100.0f;
    m_lfo.setFrequency(parameters.frequency, m_sampleRate);
    return ParameterResult::Accepted;
}

void Modulation::process(float* interleaved, int frames) noexcept {
    const float dry = 1.0f - m_wet;
    for (int i = 0; i < frames; ++i) {
        for (int c = 0; c < 2; ++c) {
            const double phase = c == 0 ? m_lfo.phase() : Lfo::wrap(m_lfo.phase() + m_rightOffset);
            const double m = m_sine ? Lfo::sine(phase) : Lfo::triangle(phase);
            // At least one sample: the feedback loop cannot close in zero time.
            const double delay = std::max(1.0, m_centre * (1.0 + m_depth * m));
            float& x = interleaved[2 * i + c];
            const float tap = m_lines[c].readFractional(delay);
            m_lines[c].write(flushDenormal(x + m_feedback * tap));
            x = dry * x + m_wet * tap;
        }
        m_lfo.advance();
    }
}

}  // namespace qn::fx
