#pragma once

// Owning handles for the FluidSynth objects. A synth must be deleted before its
// settings, and a player before its synth; owners declare them in that order.
// Deleting a player while its synth renders is forbidden by FluidSynth: the
// engine deletes players only while the audio device is locked.

#include <fluidsynth.h>

#include <memory>

namespace qn {

struct FluidSettingsDeleter {
    void operator()(fluid_settings_t* s) const noexcept { delete_fluid_settings(s); }
};
struct FluidSynthDeleter {
    void operator()(fluid_synth_t* s) const noexcept { delete_fluid_synth(s); }
};
struct FluidPlayerDeleter {
    void operator()(fluid_player_t* p) const noexcept { delete_fluid_player(p); }
};

using FluidSettings = std::unique_ptr<fluid_settings_t, FluidSettingsDeleter>;
using FluidSynth = std::unique_ptr<fluid_synth_t, FluidSynthDeleter>;
using FluidPlayer = std::unique_ptr<fluid_player_t, FluidPlayerDeleter>;

}  // namespace qn
