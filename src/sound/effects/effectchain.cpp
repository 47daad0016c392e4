#include "effectchain.h"

#include <sstream>
#include <vector>

#include "compressor.h"
#include "distortion.h"
#include "echo.h"
#include "gargle.h"
#include "modulation.h"
#include "parameq.h"
#include "wavesreverb.h"

namespace qn::fx {
namespace {

std::optional<FieldRange> findOutOfRange(const EffectSettings& s, Effect effect) {
    switch (effect) {
        case Effect::Distortion:
            return findOutOfRange(s.distortion);
        case Effect::Echo:
            return findOutOfRange(s.echo);
        case Effect::Chorus:
            return findOutOfRange(s.chorus, kChorusMaxDelay);
        case Effect::Flanger:
            return findOutOfRange(s.flanger, kFlangerMaxDelay);
        case Effect::Compressor:
            return findOutOfRange(s.compressor);
        case Effect::Gargle:
            return findOutOfRange(s.gargle);
        case Effect::Para:
            return findOutOfRange(s.paramEq);
        case Effect::Reverb:
            return findOutOfRange(s.reverb);
    }
    return std::nullopt;
}

template <typename Fx, typename Parameters, typename... Arguments>
std::unique_ptr<AudioEffect> prepared(const Parameters& parameters, Arguments... arguments) {
    auto effect = std::make_unique<Fx>(arguments...);
    effect->setParameters(parameters);
    return effect;
}

// The parameters have been checked: setParameters accepts them, at most
// moving a frequency down to a third of the sample rate.
std::unique_ptr<AudioEffect> makeEffect(const EffectSettings& s, Effect effect, double rate) {
    switch (effect) {
        case Effect::Distortion:
            return prepared<Distortion>(s.distortion, rate);
        case Effect::Echo:
            return prepared<Echo>(s.echo, rate);
        case Effect::Chorus:
            return prepared<Modulation>(s.chorus, rate, ModulationKind::Chorus);
        case Effect::Flanger:
            return prepared<Modulation>(s.flanger, rate, ModulationKind::Flanger);
        case Effect::Compressor:
            return prepared<Compressor>(s.compressor, rate);
        case Effect::Gargle:
            return prepared<Gargle>(s.gargle, rate);
        case Effect::Para:
            return prepared<ParamEq>(s.paramEq, rate);
        case Effect::Reverb:
            return prepared<WavesReverb>(s.reverb, rate);
    }
    return nullptr;
}

}  // namespace

struct EffectChain::Impl {
    std::vector<std::unique_ptr<AudioEffect>> effects;  // in chain order
};

EffectChain::EffectChain() : m_impl(std::make_unique<Impl>()) {}
EffectChain::~EffectChain() = default;

std::unique_ptr<EffectChain> EffectChain::create(const EffectSettings& settings, double sampleRate,
                                                 std::string* error) {
    const auto fail = [error](const std::string& message) {
        if (error) *error = message;
        return nullptr;
    };
    if (!(sampleRate >= kMinSampleRate && sampleRate <= kMaxSampleRate)) {
        std::ostringstream message;
        message << "Sample rate " << sampleRate << " Hz is outside " << kMinSampleRate << " to "
                << kMaxSampleRate << " Hz";
        return fail(message.str());
    }
    std::unique_ptr<EffectChain> chain(new EffectChain);
    for (Effect effect : kEffects) {  // in chain order
        if (!settings.on(effect)) continue;
        if (const auto outside = findOutOfRange(settings, effect)) {
            std::ostringstream message;
            message << effectCaption(effect) << ": " << outside->field << " must lie between "
                    << outside->min << " and " << outside->max;
            return fail(message.str());
        }
        chain->m_impl->effects.push_back(makeEffect(settings, effect, sampleRate));
    }
    return chain;
}

void EffectChain::process(float* interleaved, int frames) noexcept {
    for (const auto& effect : m_impl->effects)
        effect->process(interleaved, frames);
}

bool EffectChain::empty() const {
    return m_impl->effects.empty();
}

}  // namespace qn::fx
