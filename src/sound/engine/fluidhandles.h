#pragma once

// Owning handles for the FluidSynth objects. A synth must be deleted before its
// settings; owners declare them in that order.

#include <fluidsynth.h>

#include <memory>

namespace qn {

struct FluidSettingsDeleter {
    void operator()(fluid_settings_t* s) const noexcept { delete_fluid_settings(s); }
};
struct FluidSynthDeleter {
    void operator()(fluid_synth_t* s) const noexcept { delete_fluid_synth(s); }
};

using FluidSettings = std::unique_ptr<fluid_settings_t, FluidSettingsDeleter>;
using FluidSynth = std::unique_ptr<fluid_synth_t, FluidSynthDeleter>;

}  // namespace qn
