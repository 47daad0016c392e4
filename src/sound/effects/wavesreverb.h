#pragma once

// Reverb with Freeverb's topology (a Schroeder-Moorer design): per channel
// eight parallel feedback combs with a high-shelf in the loop, then four
// Schroeder allpasses. Each comb's feedback is set from its length so that the
// broadband decay reaches -60 dB at the reverb time and the highs at the
// reverb time times the ratio; the combs' input is scaled so that the wet
// signal keeps the input's power.

#include <array>

#include "audioeffect.h"
#include "delayline.h"
#include "effectparameters.h"

namespace qn::fx {

class WavesReverb final : public AudioEffect {
  public:
    // UI thread. Sizes the combs and allpasses for this rate; starts with the
    // default parameters.
    explicit WavesReverb(double sampleRate);

    // UI thread. Refuses the whole set when a field is outside its range.
    ParameterResult setParameters(const ReverbParameters& parameters);
    const ReverbParameters& parameters() const { return m_parameters; }

    void process(float* interleaved, int frames) noexcept override;

    static constexpr int kCombs = 8;
    static constexpr int kAllpasses = 4;

  private:
    struct Comb {
        DelayLine line;
        int length = 1;                 // samples
        double feedback = 0;            // broadband gain per trip round the loop
        double inputScale = 1;          // sqrt(1 - feedback^2)
        double b0 = 1, b1 = 0, a1 = 0;  // loop shelf: DC 1, Nyquist highs/broadband ratio
        double lastIn = 0, lastOut = 0;
    };
    struct Allpass {
        DelayLine line;
        int length = 1;  // samples
    };
    struct Channel {
        std::array<Comb, kCombs> combs;
        std::array<Allpass, kAllpasses> allpasses;
    };

    double processChannel(Channel& channel, double input) noexcept;

    double m_sampleRate;
    ReverbParameters m_parameters;
    std::array<Channel, 2> m_channels;
    double m_inGain = 1;  // linear, on the dry and the wet path
    double m_wet = 1;
    double m_dry = 0;
};

}  // namespace qn::fx
