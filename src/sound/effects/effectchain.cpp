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

std::optional<FieldRange> findOutOfRange(const EffectSettings& s, EffectKind kind) {
    switch (kind) {
        case EffectKind::Distortion:
            return findOutOfRange(s.distortion);
        case EffectKind::Echo:
            return findOutOfRange(s.echo);
        case EffectKind::Chorus:
            return findOutOfRange(s.chorus, kChorusMaxDelay);
        case EffectKind::Flanger:
            return findOutOfRange(s.flanger, kFlangerMaxDelay);
        case EffectKind::Compressor:
            return findOutOfRange(s.compressor);
        case EffectKind::Gargle:
            return findOutOfRange(s.gargle);
        case EffectKind::ParamEq:
            return findOutOfRange(s.paramEq);
        case EffectKind::Reverb:
            return findOutOfRange(s.reverb);
    }
    return std::nullopt;
}

template <typename Fx, typename Parameters, typename... Arguments>
std::unique_ptr<Effect> prepared(const Parameters& parameters, Arguments... arguments) {
    auto effect = std::make_unique<Fx>(arguments...);
    effect->setParameters(parameters);
    return effect;
}

// The parameters have been checked: setParameters accepts them, at most
// moving a frequency down to a third of the sample rate.
std::unique_ptr<Effect> makeEffect(const EffectSettings& s, EffectKind kind, double rate) {
    switch (kind) {
        case EffectKind::Distortion:
            return prepared<Distortion>(s.distortion, rate);
        case EffectKind::Echo:
            return prepared<Echo>(s.echo, rate);
        case EffectKind::Chorus:
            return prepared<Modulation>(s.chorus, rate, ModulationKind::Chorus);
        case EffectKind::Flanger:
            return prepared<Modulation>(s.flanger, rate, ModulationKind::Flanger);
        case EffectKind::Compressor:
            return prepared<Compressor>(s.compressor, rate);
        case EffectKind::Gargle:
            return prepared<Gargle>(s.gargle, rate);
        case EffectKind::ParamEq:
            return prepared<ParamEq>(s.paramEq, rate);
        case EffectKind::Reverb:
            return prepared<WavesReverb>(s.reverb, rate);
    }
    return nullptr;
}

}  // namespace

struct EffectChain::Impl {
    std::vector<std::unique_ptr<Effect>> effects;  // in chain order
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
    for (int k = 0; k < kEffectKinds; ++k) {
        const auto kind = static_cast<EffectKind>(k);
        if (!settings.on(kind)) continue;
        if (const auto outside = findOutOfRange(settings, kind)) {
            std::ostringstream message;
            message << effectName(kind) << ": " << outside->field << " must lie between "
                    << outside->min << " and " << outside->max;
            return fail(message.str());
        }
        chain->m_impl->effects.push_back(makeEffect(settings, kind, sampleRate));
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
