#pragma once

// A circular buffer of one channel's past samples. Sized once when the effect
// is prepared; reading and writing run on the audio thread and never allocate.

#include <cmath>
#include <vector>

namespace qn::fx {

class DelayLine {
  public:
    DelayLine() = default;

    // Room for delays up to `maxDelay` samples, whole or fractional.
    explicit DelayLine(int maxDelay) {
        int size = 1;
        while (size < maxDelay + 2)
            size *= 2;
        m_buffer.assign(size, 0.0f);
        m_mask = size - 1;
    }

    void write(float value) noexcept {
        m_buffer[m_write] = value;
        m_write = (m_write + 1) & m_mask;
    }

    // The value written `delay` writes ago (1 = the latest), 1 <= delay <= maxDelay.
    float read(int delay) const noexcept { return m_buffer[(m_write - delay) & m_mask]; }

    // Linear interpolation between the neighbouring whole delays (samples),
    // 1 <= delay <= maxDelay.
    float readFractional(double delay) const noexcept {
        const double whole = std::floor(delay);
        const auto fraction = static_cast<float>(delay - whole);
        const int index = static_cast<int>(whole);
        const float a = read(index);
        return a + fraction * (read(index + 1) - a);
    }

  private:
    std::vector<float> m_buffer;
    int m_write = 0;
    int m_mask = 0;
};

}  // namespace qn::fx
