#pragma once

// The SDL audio subsystem with one open output device, owned together. When
// no real device opens, the dummy driver stands in: it consumes the audio in
// real time and plays nothing, and the device says why in fallbackReason().

#include <SDL.h>

#include <memory>
#include <string>

#include "soundlibraries.h"

namespace qn {

class SdlAudioDevice {
  public:
    // Opens the default output device with `desired` (its callback and
    // userdata included), paused, once loadSdl() has succeeded. It runs at the
    // rate, format, channels and buffer size asked for: SDL converts for a
    // device that differs, since the engine parses files and prepares effects
    // at its rate before the device opens. Nothing, with `error` set, when not
    // even the dummy driver opens. Only one device may exist at a time:
    // falling back restarts SDL's audio subsystem. Any thread.
    static std::unique_ptr<SdlAudioDevice> open(const SDL_AudioSpec& desired, std::string* error);
    ~SdlAudioDevice();  // closes the device (the callback has returned for good), then SDL audio

    SdlAudioDevice(const SdlAudioDevice&) = delete;
    SdlAudioDevice& operator=(const SdlAudioDevice&) = delete;

    SDL_AudioDeviceID id() const { return m_id; }
    const SDL_AudioSpec& spec() const { return m_spec; }
    const std::string& driver() const { return m_driver; }
    // Why the dummy driver plays instead of a real device; empty when it does not.
    const std::string& fallbackReason() const { return m_fallbackReason; }

    void start() { sdl().PauseAudioDevice(m_id, 0); }

    // Keeps the callback from running while it lives (user-interface thread).
    // Hold it only for a few quick calls: the audio thread waits meanwhile.
    class Lock {
      public:
        explicit Lock(const SdlAudioDevice& device) : m_id(device.m_id) {
            sdl().LockAudioDevice(m_id);
        }
        ~Lock() { sdl().UnlockAudioDevice(m_id); }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

      private:
        SDL_AudioDeviceID m_id;
    };

  private:
    enum class Init { SubSystem, DummyDriver };
    SdlAudioDevice(SDL_AudioDeviceID id, const SDL_AudioSpec& spec, Init init);

    SDL_AudioDeviceID m_id;
    SDL_AudioSpec m_spec;
    Init m_init;
    std::string m_driver;
    std::string m_fallbackReason;
};

}  // namespace qn
