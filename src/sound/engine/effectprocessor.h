#pragma once

// The effect chain as the synthesiser's output hook.

#include <memory>

#include "sound/audioprocessor.h"
#include "sound/effects/effectchain.h"

namespace qn {

class EffectProcessor final : public AudioProcessor {
  public:
    explicit EffectProcessor(std::unique_ptr<fx::EffectChain> chain) : m_chain(std::move(chain)) {}
    void process(float* interleaved, int frames) noexcept override {
        m_chain->process(interleaved, frames);
    }
    bool empty() const { return m_chain->empty(); }

  private:
    std::unique_ptr<fx::EffectChain> m_chain;
};

}  // namespace qn
