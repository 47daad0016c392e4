#pragma once

// The audio services: FluidSynth renders, its player plays the
// Standard MIDI File bytes of the model's writers from memory, SDL2 carries
// the sound to the output device. Playback time is the audio clock: the
// player advances with the frames rendered, and clockMs() counts them.
//
// Threads: every public function is called on the user-interface thread. The
// SDL callback (the audio thread) renders, runs the AudioProcessor, counts
// frames and notices when a started player has finished; it waits for no lock
// that the user-interface thread holds for more than a few quick calls,
// allocates nothing of its own, and never logs or calls Qt. Players are
// created and deleted while the device is locked, because FluidSynth forbids
// that while the synth renders.

#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fluidhandles.h"
#include "sdlaudiodevice.h"
#include "sound/audioengine.h"
#include "sound/audioprocessor.h"
#include "soundlog.h"
#include "synthsetup.h"

class QSettings;

namespace qn {

class SynthEngine final : public QObject, public AudioEngine {
    Q_OBJECT
  public:
    struct Options {
        QString soundFont;              // empty: found by findSoundFont()
        QSettings* settings = nullptr;  // where the lookup reads "soundfont"; null: the user's
        int sampleRate = kDefaultSampleRate;  // asked of the device, which may choose another
        int bufferFrames = 256;
    };
    struct Created {
        std::unique_ptr<SynthEngine> engine;
        // Why there is no engine (no synthesiser, no sound font): the
        // informative text under "Could not initialize DirectMusic.".
        QString error;
        // For the status bar when the engine plays silently through the dummy driver.
        QString status;
    };
    static Created create(const Options& options);
    static Created create() { return create(Options{}); }
    ~SynthEngine() override;

    bool load(const std::vector<uint8_t>& midiFile) override;
    bool loadFile(const std::string& path) override;
    bool hasLoaded() const override { return m_loaded; }
    void play(bool loop) override;
    void stop() override;
    int64_t clockMs() const override;
    void setMasterVolume(int hundredthsOfDb) override;
    void setEndOfPlaybackHandler(std::function<void()> handler) override;

    // Hands `processor` (may be null) to the audio thread, which uses it from
    // its next block on; the one it replaces is destroyed here once the audio
    // thread can no longer be inside it.
    void setAudioProcessor(std::unique_ptr<AudioProcessor> processor) override;

    int sampleRate() const override { return m_sampleRate; }
    int bufferFrames() const { return m_bufferFrames; }
    int masterVolume() const { return m_volume; }
    const QString& soundFont() const { return m_soundFont; }
    QString audioDriver() const { return QString::fromStdString(m_device->driver()); }
    // Frames rendered since the engine started (audio clock in frames).
    int64_t framesRendered() const { return m_frames.load(std::memory_order_acquire); }
    // The audio clock in frames at which the last play() started its file:
    // the player's time 0 is the first frame of the next block rendered.
    int64_t playStartFrame() const { return m_playStartFrame; }
    // Whether a started file is still playing (not stopped, not finished).
    bool isPlaying() const { return m_pollTimer.isActive(); }

  private:
    SynthEngine() = default;
    static void audioCallback(void* userdata, Uint8* stream, int bytes);
    void render(float* interleaved, int frames) noexcept;  // audio thread
    void stopLocked();                                     // with the device locked
    void poll();  // user-interface thread, while something plays

    // Deleted in reverse order: the device (and so the callback) goes first.
    SynthCore m_core;
    FluidPlayer m_player;  // the file playing or last played; created by play()
    std::unique_ptr<AudioProcessor> m_processorOwner;
    std::unique_ptr<SdlAudioDevice> m_device;

    QString m_soundFont;
    int m_sampleRate = kDefaultSampleRate;
    int m_bufferFrames = 256;
    int m_volume = 0;
    std::vector<uint8_t> m_midi;  // the loaded file
    uint32_t m_endTick = 0;       // its last event's tick
    int64_t m_playStartFrame = 0;
    bool m_loaded = false;
    std::function<void()> m_endHandler;
    QTimer m_pollTimer;
    AudioThreadMessages m_messages;

    // Shared with the audio thread.
    fluid_synth_t* m_synth = nullptr;           // set before the device starts
    fluid_player_t* m_watchedPlayer = nullptr;  // written while the device is locked
    int64_t m_watchedEndTick = 0;               // its end; never reached when looping
    std::atomic<AudioProcessor*> m_processor{nullptr};
    std::atomic<int64_t> m_frames{0};
    std::atomic<bool> m_finished{false};
};

}  // namespace qn
