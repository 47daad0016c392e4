#include "effectparameters.h"

namespace qn::fx {
namespace {

// Checks fields in order and keeps the first one outside its limits. The
// limits are floats like the fields, so that a limit typed as a field value
// (0.01 ms, 0.999) is inside; the negated comparison also refuses NaN.
class RangeCheck {
  public:
    RangeCheck& field(const char* name, double value, float min, float max) {
        if (!m_outside && !(value >= min && value <= max)) m_outside = FieldRange{name, min, max};
        return *this;
    }
    std::optional<FieldRange> result() const { return m_outside; }

  private:
    std::optional<FieldRange> m_outside;
};

}  // namespace

std::optional<FieldRange> findOutOfRange(const DistortionParameters& p) {
    return RangeCheck()
        .field("gain", p.gain, -60, 0)
        .field("edge", p.edge, 0, 100)
        .field("postEQCenterFrequency", p.postEQCenterFrequency, 100, 8000)
        .field("postEQBandwidth", p.postEQBandwidth, 100, 8000)
        .field("preLowpassCutoff", p.preLowpassCutoff, 100, 8000)
        .result();
}

std::optional<FieldRange> findOutOfRange(const EchoParameters& p) {
    return RangeCheck()
        .field("wetDryMix", p.wetDryMix, 0, 100)
        .field("feedback", p.feedback, 0, 100)
        .field("leftDelay", p.leftDelay, 1, 2000)
        .field("rightDelay", p.rightDelay, 1, 2000)
        .field("panDelay", p.panDelay, 0, 1)
        .result();
}

std::optional<FieldRange> findOutOfRange(const ModulationParameters& p, float maxDelayMs) {
    return RangeCheck()
        .field("wetDryMix", p.wetDryMix, 0, 100)
        .field("depth", p.depth, 0, 100)
        .field("feedback", p.feedback, -99, 99)
        .field("frequency", p.frequency, 0, 10)
        .field("waveform", p.waveform, kWaveTriangle, kWaveSine)
        .field("delay", p.delay, 0, maxDelayMs)
        .field("phase", p.phase, 0, 4)
        .result();
}

std::optional<FieldRange> findOutOfRange(const CompressorParameters& p) {
    return RangeCheck()
        .field("gain", p.gain, -60, 60)
        .field("attack", p.attack, 0.01, 500)
        .field("release", p.release, 50, 3000)
        .field("threshold", p.threshold, -60, 0)
        .field("ratio", p.ratio, 1, 100)
        .field("predelay", p.predelay, 0, 4)
        .result();
}

std::optional<FieldRange> findOutOfRange(const GargleParameters& p) {
    return RangeCheck()
        .field("rateHz", p.rateHz, 1, 1000)
        .field("waveShape", p.waveShape, kGargleTriangle, kGargleSquare)
        .result();
}

std::optional<FieldRange> findOutOfRange(const ParamEqParameters& p) {
    return RangeCheck()
        .field("center", p.center, 80, 16000)
        .field("bandwidth", p.bandwidth, 1, 36)
        .field("gain", p.gain, -15, 15)
        .result();
}

std::optional<FieldRange> findOutOfRange(const ReverbParameters& p) {
    return RangeCheck()
        .field("inGain", p.inGain, -96, 0)
        .field("reverbMix", p.reverbMix, -96, 0)
        .field("reverbTime", p.reverbTime, 0.001, 3000)
        .field("highFreqRTRatio", p.highFreqRTRatio, 0.001, 0.999)
        .result();
}

}  // namespace qn::fx
