#pragma once

// The common face of the eight effects, so that the chain can run them in order.

namespace qn::fx {

// What an effect did with a parameter set handed to it.
enum class ParameterResult {
    Accepted,
    Adjusted,  // legal, but a frequency above a third of the sample rate was moved down to it
    Refused,   // a field outside its range: the previous parameters stay in force
};

class AudioEffect {
  public:
    virtual ~AudioEffect() = default;

    // Audio thread. Changes `frames` interleaved stereo frames (left, right,
    // left, ...) in place; state carries over to the next call. Never allocates.
    virtual void process(float* interleaved, int frames) noexcept = 0;
};

}  // namespace qn::fx
