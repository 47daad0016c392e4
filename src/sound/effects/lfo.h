#pragma once

// Low-frequency oscillator phase, in cycles [0, 1), advanced once per frame on
// the audio thread. Double precision keeps the period exact over long plays.

#include <cmath>
#include <numbers>

namespace qn::fx {

class Lfo {
  public:
    void setFrequency(double hz, double sampleRate) { m_increment = hz / sampleRate; }
    double phase() const { return m_phase; }

    void advance() noexcept {
        m_phase += m_increment;
        if (m_phase >= 1.0) m_phase -= 1.0;
    }

    static double wrap(double phase) { return phase - std::floor(phase); }

    static double sine(double phase) { return std::sin(2.0 * std::numbers::pi * phase); }

    // Bipolar (-1..1) and in phase with sine(): 0 at phase 0, 1 at a quarter.
    static double triangle(double phase) { return 1.0 - 4.0 * std::fabs(wrap(phase + 0.25) - 0.5); }

  private:
    double m_phase = 0.0;
    double m_increment = 0.0;
};

}  // namespace qn::fx
