#pragma once

// Owning handles for the FluidSynth objects. A synth must be deleted before its
// settings; owners declare them in that order.

#include <memory>

#include "soundlibraries.h"

namespace qn {

struct FluidSettingsDeleter {
    void operator()(fluid_settings_t* s) const noexcept { fluid().delete_settings(s); }
};
struct FluidSynthDeleter {
    void operator()(fluid_synth_t* s) const noexcept { fluid().delete_synth(s); }
};

using FluidSettings = std::unique_ptr<fluid_settings_t, FluidSettingsDeleter>;
using FluidSynth = std::unique_ptr<fluid_synth_t, FluidSynthDeleter>;

}  // namespace qn
