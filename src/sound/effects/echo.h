#pragma once

// Echo: one feedback delay per channel; with pan delay on, the feedback
// crosses channels so that successive echoes alternate sides (ping-pong).

#include "audioeffect.h"
#include "delayline.h"
#include "effectparameters.h"

namespace qn::fx {

class Echo final : public AudioEffect {
  public:
    // UI thread. Sizes both lines for the longest delay (2000 ms) at this
    // rate; starts with the default parameters.
    explicit Echo(double sampleRate);

    // UI thread. Refuses the whole set when a field is outside its range.
    ParameterResult setParameters(const EchoParameters& parameters);
    const EchoParameters& parameters() const { return m_parameters; }

    void process(float* interleaved, int frames) noexcept override;

  private:
    double m_sampleRate;
    EchoParameters m_parameters;
    DelayLine m_left;
    DelayLine m_right;
    int m_leftDelay = 1;  // samples
    int m_rightDelay = 1;
    float m_feedback = 0;  // linear
    float m_wet = 0;
    bool m_crossFeedback = false;
};

}  // namespace qn::fx
