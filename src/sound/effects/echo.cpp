#include "echo.h"

#include <cmath>

#include "denormal.h"

namespace qn::fx {
namespace {

constexpr double kMaxDelayMs = 2000;

int samples(double ms, double sampleRate) {
    return static_cast<int>(std::lround(ms * sampleRate / 1000.0));
}

}  // namespace

Echo::Echo(double sampleRate)
    : m_sampleRate(sampleRate),
      m_left(samples(kMaxDelayMs, sampleRate)),
      m_right(samples(kMaxDelayMs, sampleRate)) {
    setParameters(EchoParameters{});
}

ParameterResult Echo::setParameters(const EchoParameters& parameters) {
    if (findOutOfRange(parameters)) return ParameterResult::Refused;
    m_parameters = parameters;
    m_leftDelay = samples(parameters.leftDelay, m_sampleRate);
    m_rightDelay = samples(parameters.rightDelay, m_sampleRate);
    m_feedback = parameters.feedback / 100.0f;
    m_wet = parameters.wetDryMix / 100.0f;
    m_crossFeedback = parameters.panDelay != 0;
    return ParameterResult::Accepted;
}

void Echo::process(float* interleaved, int frames) noexcept {
    const float dry = 1.0f - m_wet;
    for (int i = 0; i < frames; ++i) {
        float& left = interleaved[2 * i];
        float& right = interleaved[2 * i + 1];
        const float tapLeft = m_left.read(m_leftDelay);
        const float tapRight = m_right.read(m_rightDelay);
        const float backLeft = m_crossFeedback ? tapRight : tapLeft;
        const float backRight = m_crossFeedback ? tapLeft : tapRight;
        m_left.write(flushDenormal(left + m_feedback * backLeft));
        m_right.write(flushDenormal(right + m_feedback * backRight));
        left = dry * left + m_wet * tapLeft;
        right = dry * right + m_wet * tapRight;
    }
}

}  // namespace qn::fx
