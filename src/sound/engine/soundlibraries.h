#pragma once

// FluidSynth, SDL2 and libsndfile, opened with dlopen when first needed rather
// than linked: the window paints before any of them (or the dozens of
// libraries they bring along) is mapped. Each library is opened once, on
// whichever thread asks first, and every function the engine uses is resolved
// then, so no later call loads or looks up anything (the audio thread calls
// through these tables).
//
// The tables are typed from the libraries' own headers: a function whose
// signature changes there fails to compile here.

#include <SDL.h>
#include <fluidsynth.h>
#include <sndfile.h>

#include <QString>

// X(member, symbol): the table's member `member` holds the library's `symbol`.
#define QN_FLUIDSYNTH_FUNCTIONS(X)                          \
    X(new_settings, new_fluid_settings)                     \
    X(delete_settings, delete_fluid_settings)               \
    X(settings_setint, fluid_settings_setint)               \
    X(settings_setnum, fluid_settings_setnum)               \
    X(new_synth, new_fluid_synth)                           \
    X(delete_synth, delete_fluid_synth)                     \
    X(is_soundfont, fluid_is_soundfont)                     \
    X(set_log_function, fluid_set_log_function)             \
    X(synth_sfload, fluid_synth_sfload)                     \
    X(synth_get_sfont_by_id, fluid_synth_get_sfont_by_id)   \
    X(sfont_get_preset, fluid_sfont_get_preset)             \
    X(synth_pin_preset, fluid_synth_pin_preset)             \
    X(synth_unpin_preset, fluid_synth_unpin_preset)         \
    X(synth_set_gain, fluid_synth_set_gain)                 \
    X(synth_all_sounds_off, fluid_synth_all_sounds_off)     \
    X(synth_system_reset, fluid_synth_system_reset)         \
    X(synth_noteon, fluid_synth_noteon)                     \
    X(synth_noteoff, fluid_synth_noteoff)                   \
    X(synth_key_pressure, fluid_synth_key_pressure)         \
    X(synth_cc, fluid_synth_cc)                             \
    X(synth_program_change, fluid_synth_program_change)     \
    X(synth_channel_pressure, fluid_synth_channel_pressure) \
    X(synth_pitch_bend, fluid_synth_pitch_bend)             \
    X(synth_write_float, fluid_synth_write_float)

#define QN_SDL_FUNCTIONS(X)                             \
    X(SetHint, SDL_SetHint)                             \
    X(GetError, SDL_GetError)                           \
    X(InitSubSystem, SDL_InitSubSystem)                 \
    X(QuitSubSystem, SDL_QuitSubSystem)                 \
    X(AudioInit, SDL_AudioInit)                         \
    X(AudioQuit, SDL_AudioQuit)                         \
    X(GetCurrentAudioDriver, SDL_GetCurrentAudioDriver) \
    X(OpenAudioDevice, SDL_OpenAudioDevice)             \
    X(CloseAudioDevice, SDL_CloseAudioDevice)           \
    X(PauseAudioDevice, SDL_PauseAudioDevice)           \
    X(LockAudioDevice, SDL_LockAudioDevice)             \
    X(UnlockAudioDevice, SDL_UnlockAudioDevice)

#define QN_SNDFILE_FUNCTIONS(X)      \
    X(open_virtual, sf_open_virtual) \
    X(command, sf_command)           \
    X(writef_float, sf_writef_float) \
    X(close, sf_close)               \
    X(strerror, sf_strerror)         \
    X(error_number, sf_error_number)

namespace qn {

#define QN_TABLE_MEMBER(member, symbol) decltype(&::symbol) member = nullptr;
struct FluidSynthFunctions {
    QN_FLUIDSYNTH_FUNCTIONS(QN_TABLE_MEMBER)
};
struct SdlFunctions {
    QN_SDL_FUNCTIONS(QN_TABLE_MEMBER)
};
struct SndfileFunctions {
    QN_SNDFILE_FUNCTIONS(QN_TABLE_MEMBER)
};
#undef QN_TABLE_MEMBER

// Open the library the first time (any thread; a call meanwhile on another
// thread waits for it) and say whether it is there with every function. When
// not, `error` gets a sentence for the user that names the library, and every
// later call gives the same answer.
bool loadFluidSynth(QString* error);
bool loadSdl(QString* error);
bool loadSndfile(QString* error);

// The functions, once the matching load has returned true (any thread).
const FluidSynthFunctions& fluid();
const SdlFunctions& sdl();
const SndfileFunctions& sndfile();

}  // namespace qn
