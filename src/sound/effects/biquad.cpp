#include "biquad.h"

#include <cmath>
#include <numbers>

namespace qn::fx {
namespace {

BiquadCoefficients normalised(double b0, double b1, double b2, double a0, double a1, double a2) {
    return {b0 / a0, b1 / a0, b2 / a0, a1 / a0, a2 / a0};
}

double omega(double frequency, double sampleRate) {
    return 2.0 * std::numbers::pi * frequency / sampleRate;
}

}  // namespace

BiquadCoefficients BiquadCoefficients::lowPass(double cutoff, double q, double sampleRate) {
    const double w = omega(cutoff, sampleRate);
    const double cosW = std::cos(w);
    const double alpha = std::sin(w) / (2.0 * q);
    return normalised((1 - cosW) / 2, 1 - cosW, (1 - cosW) / 2, 1 + alpha, -2 * cosW, 1 - alpha);
}

BiquadCoefficients BiquadCoefficients::bandPass(double center, double q, double sampleRate) {
    const double w = omega(center, sampleRate);
    const double alpha = std::sin(w) / (2.0 * q);
    return normalised(alpha, 0, -alpha, 1 + alpha, -2 * std::cos(w), 1 - alpha);
}

BiquadCoefficients BiquadCoefficients::peaking(double center, double gainDb, double octaves,
                                               double sampleRate) {
    const double a = std::pow(10.0, gainDb / 40.0);
    const double w = omega(center, sampleRate);
    const double sinW = std::sin(w);
    const double alpha = sinW * std::sinh(std::numbers::ln2 / 2.0 * octaves * w / sinW);
    const double cosW = std::cos(w);
    return normalised(1 + alpha * a, -2 * cosW, 1 - alpha * a, 1 + alpha / a, -2 * cosW,
                      1 - alpha / a);
}

}  // namespace qn::fx
