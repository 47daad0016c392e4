#pragma once

// Recursive state that decays towards zero would end in subnormal numbers,
// which are very slow on most processors. Values below about -300 dBFS are
// flushed to zero where they are stored; the threshold is far below anything
// audible and far above the subnormal range even after -96 dB of gain.

#include <cmath>

namespace qn::fx {

inline constexpr double kFlushThreshold = 1e-15;

inline float flushDenormal(float value) {
    return std::fabs(value) < kFlushThreshold ? 0.0f : value;
}

inline double flushDenormal(double value) {
    return std::fabs(value) < kFlushThreshold ? 0.0 : value;
}

}  // namespace qn::fx
