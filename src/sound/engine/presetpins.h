#pragma once

// The presets whose samples a synth keeps loaded. With dynamic sample loading
// a program change would otherwise read samples from disk, and a preset
// falling out of use free them, inside the audio callback. Pinning happens on
// the user-interface thread before a sequence starts; what the next sequence
// no longer needs is unpinned once it has started.

#include <fluidsynth.h>

#include <vector>

#include "midisequence.h"

namespace qn {

class PresetPins {
  public:
    // `synth` with its sound font `fontId`, both outliving the pins.
    PresetPins(fluid_synth_t* synth, int fontId) : m_synth(synth), m_fontId(fontId) {}

    // Pins `presets`, each as the synth would resolve it (a missing preset
    // falls back as a program change does), and the reset state's presets.
    // Loads samples: not on the audio thread.
    void pin(const std::vector<PresetRef>& presets);
    // Whether pin() would have nothing to load.
    bool pinned(const std::vector<PresetRef>& presets) const;
    // Unpins all but `keep` (and the reset state's presets).
    void keepOnly(const std::vector<PresetRef>& keep);

  private:
    bool pinOne(PresetRef preset);
    std::vector<PresetRef> resolved(const std::vector<PresetRef>& presets) const;

    fluid_synth_t* m_synth;
    int m_fontId;
    std::vector<PresetRef> m_pinned;
};

}  // namespace qn
