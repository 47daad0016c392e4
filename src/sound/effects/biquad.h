#pragma once

// Second-order sections with the RBJ Audio-EQ-Cookbook designs. Coefficients
// and state are double: float state loses too much precision when the centre
// frequency is low against the sample rate.

#include "denormal.h"

namespace qn::fx {

struct BiquadCoefficients {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;  // normalised so that a0 = 1

    // All frequencies in Hz, below half the sample rate.
    static BiquadCoefficients lowPass(double cutoff, double q, double sampleRate);
    // Constant 0 dB peak gain at `center`.
    static BiquadCoefficients bandPass(double center, double q, double sampleRate);
    // Bandwidth in octaves between the half-gain (in dB) points.
    static BiquadCoefficients peaking(double center, double gainDb, double octaves,
                                      double sampleRate);
};

// One channel's filter: transposed direct form II.
class Biquad {
  public:
    void setCoefficients(const BiquadCoefficients& c) { m_c = c; }

    // Audio thread.
    double process(double x) noexcept {
        const double y = m_c.b0 * x + m_s1;
        m_s1 = flushDenormal(m_c.b1 * x - m_c.a1 * y + m_s2);
        m_s2 = flushDenormal(m_c.b2 * x - m_c.a2 * y);
        return y;
    }

  private:
    BiquadCoefficients m_c;
    double m_s1 = 0;
    double m_s2 = 0;
};

}  // namespace qn::fx
