#include "sdlaudiodevice.h"

namespace qn {

namespace {

SDL_AudioDeviceID openDefault(const SDL_AudioSpec& desired, SDL_AudioSpec* obtained) {
    return SDL_OpenAudioDevice(nullptr, 0, &desired, obtained, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
}

}  // namespace

std::unique_ptr<SdlAudioDevice> SdlAudioDevice::open(const SDL_AudioSpec& desired,
                                                     std::string* error) {
    SDL_AudioSpec obtained{};
    std::string reason;
    // SDL's audio brings up its event queue, which would otherwise take over
    // SIGINT and SIGTERM and turn them into quit events nobody reads: the
    // program could then not be interrupted or terminated.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The driver SDL_AUDIODRIVER names, else the first of SDL's list that starts.
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
        if (const SDL_AudioDeviceID id = openDefault(desired, &obtained))
            return std::unique_ptr<SdlAudioDevice>(
                new SdlAudioDevice(id, obtained, Init::SubSystem));
        reason = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    } else {
        reason = SDL_GetError();
    }
    if (SDL_AudioInit("dummy") != 0) {
        *error =
            "no audio device (" + reason + ") and no dummy audio driver (" + SDL_GetError() + ")";
        return nullptr;
    }
    const SDL_AudioDeviceID id = openDefault(desired, &obtained);
    if (!id) {
        *error = "no audio device (" + reason + "), and the dummy driver failed (" +
                 SDL_GetError() + ")";
        SDL_AudioQuit();
        return nullptr;
    }
    std::unique_ptr<SdlAudioDevice> device(new SdlAudioDevice(id, obtained, Init::DummyDriver));
    device->m_fallbackReason = reason.empty() ? std::string("no audio device") : reason;
    return device;
}

SdlAudioDevice::SdlAudioDevice(SDL_AudioDeviceID id, const SDL_AudioSpec& spec, Init init)
    : m_id(id), m_spec(spec), m_init(init) {
    if (const char* driver = SDL_GetCurrentAudioDriver()) m_driver = driver;
}

SdlAudioDevice::~SdlAudioDevice() {
    SDL_CloseAudioDevice(m_id);
    if (m_init == Init::SubSystem)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    else
        SDL_AudioQuit();
}

}  // namespace qn
