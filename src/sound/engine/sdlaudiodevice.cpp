#include "sdlaudiodevice.h"

namespace qn {

namespace {

SDL_AudioDeviceID openDefault(const SDL_AudioSpec& desired, SDL_AudioSpec* obtained) {
    return sdl().OpenAudioDevice(nullptr, 0, &desired, obtained, 0);
}

}  // namespace

std::unique_ptr<SdlAudioDevice> SdlAudioDevice::open(const SDL_AudioSpec& desired,
                                                     std::string* error) {
    SDL_AudioSpec obtained{};
    std::string reason;
    // SDL's audio brings up its event queue, which would otherwise take over
    // SIGINT and SIGTERM and turn them into quit events nobody reads: the
    // program could then not be interrupted or terminated.
    sdl().SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The driver SDL_AUDIODRIVER names, else the first of SDL's list that starts.
    if (sdl().InitSubSystem(SDL_INIT_AUDIO) == 0) {
        if (const SDL_AudioDeviceID id = openDefault(desired, &obtained))
            return std::unique_ptr<SdlAudioDevice>(
                new SdlAudioDevice(id, obtained, Init::SubSystem));
        reason = sdl().GetError();
        sdl().QuitSubSystem(SDL_INIT_AUDIO);
    } else {
        reason = sdl().GetError();
    }
    if (sdl().AudioInit("dummy") != 0) {
        *error =
            "no audio device (" + reason + ") and no dummy audio driver (" + sdl().GetError() + ")";
        return nullptr;
    }
    const SDL_AudioDeviceID id = openDefault(desired, &obtained);
    if (!id) {
        *error = "no audio device (" + reason + "), and the dummy driver failed (" +
                 sdl().GetError() + ")";
        sdl().AudioQuit();
        return nullptr;
    }
    std::unique_ptr<SdlAudioDevice> device(new SdlAudioDevice(id, obtained, Init::DummyDriver));
    device->m_fallbackReason = reason.empty() ? std::string("no audio device") : reason;
    return device;
}

SdlAudioDevice::SdlAudioDevice(SDL_AudioDeviceID id, const SDL_AudioSpec& spec, Init init)
    : m_id(id), m_spec(spec), m_init(init) {
    if (const char* driver = sdl().GetCurrentAudioDriver()) m_driver = driver;
}

SdlAudioDevice::~SdlAudioDevice() {
    sdl().CloseAudioDevice(m_id);
    if (m_init == Init::SubSystem)
        sdl().QuitSubSystem(SDL_INIT_AUDIO);
    else
        sdl().AudioQuit();
}

}  // namespace qn
