#include "wavesreverb.h"

#include <cmath>
#include <numbers>

#include "denormal.h"

namespace qn::fx {
namespace {

// Freeverb's tunings, in samples at 44.1 kHz; the right channel's lines are
// longer by kStereoSpread so that the two tails are uncorrelated.
constexpr std::array<int, WavesReverb::kCombs> kCombTuning{1116, 1188, 1277, 1356,
                                                           1422, 1491, 1557, 1617};
constexpr std::array<int, WavesReverb::kAllpasses> kAllpassTuning{556, 441, 341, 225};
constexpr int kStereoSpread = 23;
constexpr double kTuningRate = 44100;
constexpr double kAllpassGain = 0.5;
constexpr double kShelfCornerHz = 4000;

int scaled(int samplesAt44k, double sampleRate) {
    return static_cast<int>(std::lround(samplesAt44k * sampleRate / kTuningRate));
}

}  // namespace

WavesReverb::WavesReverb(double sampleRate) : m_sampleRate(sampleRate) {
    for (int c = 0; c < 2; ++c) {
        const int spread = c == 0 ? 0 : kStereoSpread;
        for (int i = 0; i < kCombs; ++i) {
            Comb& comb = m_channels[c].combs[i];
            comb.length = scaled(kCombTuning[i] + spread, sampleRate);
            comb.line = DelayLine(comb.length);
        }
        for (int i = 0; i < kAllpasses; ++i) {
            Allpass& allpass = m_channels[c].allpasses[i];
            allpass.length = scaled(kAllpassTuning[i] + spread, sampleRate);
            allpass.line = DelayLine(allpass.length);
        }
    }
    setParameters(ReverbParameters{});
}

ParameterResult WavesReverb::setParameters(const ReverbParameters& parameters) {
    if (findOutOfRange(parameters)) return ParameterResult::Refused;
    m_parameters = parameters;
    const double seconds = parameters.reverbTime / 1000.0;
    const double k = std::tan(std::numbers::pi * kShelfCornerHz / m_sampleRate);
    for (Channel& channel : m_channels) {
        for (Comb& comb : channel.combs) {
            // -60 dB after `seconds`: 10^(-3) per reverb time, spread over the trips.
            const double exponent = -3.0 * comb.length / (m_sampleRate * seconds);
            comb.feedback = std::pow(10.0, exponent);
            comb.inputScale = std::sqrt(1.0 - comb.feedback * comb.feedback);
            // The highs' gain over the broadband gain, computed as one power so
            // that it underflows to 0 instead of 0/0 at tiny reverb times.
            const double rho = std::pow(10.0, exponent * (1.0 / parameters.highFreqRTRatio - 1.0));
            comb.b0 = (rho + k) / (1.0 + k);
            comb.b1 = (k - rho) / (1.0 + k);
            comb.a1 = (k - 1.0) / (1.0 + k);
        }
    }
    m_inGain = std::pow(10.0, parameters.inGain / 20.0);
    // Power-complementary: 0 dB is all wet, and the level stays put at any mix.
    m_wet = std::pow(10.0, parameters.reverbMix / 20.0);
    m_dry = std::sqrt(1.0 - m_wet * m_wet);
    return ParameterResult::Accepted;
}

double WavesReverb::processChannel(Channel& channel, double input) noexcept {
    double bank = 0;
    for (Comb& comb : channel.combs) {
        const double tap = comb.line.read(comb.length);
        const double shelved = comb.b0 * tap + comb.b1 * comb.lastIn - comb.a1 * comb.lastOut;
        comb.lastIn = tap;
        comb.lastOut = flushDenormal(shelved);
        comb.line.write(
            flushDenormal(static_cast<float>(input * comb.inputScale + comb.feedback * shelved)));
        bank += tap;
    }
    // Uncorrelated combs add in power.
    double y = bank / std::sqrt(double{kCombs});
    for (Allpass& allpass : channel.allpasses) {
        const double delayed = allpass.line.read(allpass.length);
        const double v = y + kAllpassGain * delayed;
        allpass.line.write(flushDenormal(static_cast<float>(v)));
        y = delayed - kAllpassGain * v;
    }
    return y;
}

void WavesReverb::process(float* interleaved, int frames) noexcept {
    for (int i = 0; i < frames; ++i) {
        float& left = interleaved[2 * i];
        float& right = interleaved[2 * i + 1];
        const double input = m_inGain * 0.5 * (double{left} + double{right});
        const double wetLeft = processChannel(m_channels[0], input);
        const double wetRight = processChannel(m_channels[1], input);
        left = static_cast<float>(m_dry * m_inGain * left + m_wet * wetLeft);
        right = static_cast<float>(m_dry * m_inGain * right + m_wet * wetRight);
    }
}

}  // namespace qn::fx
