#pragma once

// The audio services: FluidSynth renders, a SequencePlayer dispatches the
// events of the Standard MIDI Files it is given at their exact frames, SDL2
// carries the sound to the output device. Playback time is the audio clock:
// clockMs() counts the frames rendered. Both libraries are opened with dlopen
// when first needed (soundlibraries.h); a missing one is a start failure
// like a missing sound font.
//
// Threads: every public function is called on the user-interface thread.
// Files are parsed into MidiSequences there (the composition's own bytes) or
// on a worker thread (a user's MIDI file); the sound font loads on a worker
// thread into a complete synth (for a deferred start, after the libraries
// have loaded and the device has opened there). Both reach the audio thread
// as commands through a lock-free ring, and the audio thread acknowledges
// each, after which what it no longer uses is freed here. The SDL callback (the audio
// thread) renders, runs the AudioProcessor and counts frames; it allocates
// nothing, never logs or calls Qt, and waits for no lock but FluidSynth's own
// API mutex, which the user-interface thread holds only for single quick
// calls: while it pins presets (reading samples, up to tens of milliseconds)
// the callback renders without calling the synth's API.

#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "commandring.h"
#include "midisequence.h"
#include "presetpins.h"
#include "sdlaudiodevice.h"
#include "sequenceplayer.h"
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
        int sampleRate = kDefaultSampleRate;  // SDL converts for a device that runs at another
        int bufferFrames = 256;
        // Nothing is opened: the font file is found, and the rest (the
        // libraries, the device, whether the file is a SoundFont, its load)
        // starts on the font thread at the first setSoundFont(soundFont()),
        // which soundFontReady() or soundFontFailed() answers. The window's
        // first frame need not wait for any of it, nor share the processor with it.
        bool loadFontLater = false;
    };
    struct Created {
        std::unique_ptr<SynthEngine> engine;
        // Why there is no engine (no sound font, no FluidSynth or SDL, no
        // audio output): the informative text under "Could not initialize DirectMusic.".
        QString error;
    };
    // Finds and checks the sound font, loads the libraries, opens the device
    // and returns at once: the font loads in the background and
    // soundFontReady() or soundFontFailed() follows. Meanwhile the engine
    // plays silence and queues Play. With loadFontLater, see there.
    static Created create(const Options& options);
    static Created create() { return create(Options{}); }
    ~SynthEngine() override;

    bool load(const std::vector<uint8_t>& midiFile) override;
    // Reads and parses the file on a worker thread; false at once when it is
    // missing, too large (lastLoadError() says so) or has no MIDI header. A
    // play() meanwhile starts when the file is ready; a damaged file then plays nothing.
    bool loadFile(const std::string& path) override;
    bool hasLoaded() const override { return m_loaded || m_parse.joinable(); }
    std::string lastLoadError() const override { return m_loadError; }
    void play(bool loop) override;
    void stop() override;
    int64_t clockMs() const override;
    void setMasterVolume(int hundredthsOfDb) override;
    void setEndOfPlaybackHandler(std::function<void()> handler) override;

    // Hands `processor` (may be null) to the audio thread, which uses it from
    // its next block on; the one it replaces is destroyed here once the audio
    // thread can no longer be inside it.
    void setAudioProcessor(std::unique_ptr<AudioProcessor> processor) override;

    // Loads another sound font in the background and swaps it in when ready,
    // keeping the volume and the effects; what plays then stops. On failure
    // the current font plays on and soundFontFailed() says why. The first
    // call of an engine created with loadFontLater starts it.
    void setSoundFont(const QString& path);
    // The font that plays (or, before the first is ready, the one loading).
    const QString& soundFont() const { return m_soundFont; }
    bool isSoundFontReady() const { return m_core != nullptr; }

    int sampleRate() const override { return m_sampleRate; }
    int bufferFrames() const { return m_bufferFrames; }
    int masterVolume() const { return m_volume; }
    // SDL's driver; empty until the device is open.
    QString audioDriver() const {
        return m_device ? QString::fromStdString(m_device->driver()) : QString();
    }
    // For the status bar when the engine plays silently through the dummy
    // driver; empty otherwise and until the device is open (with loadFontLater:
    // known when soundFontReady() comes).
    const QString& status() const { return m_status; }
    // Frames rendered since the engine started (audio clock in frames).
    int64_t framesRendered() const { return m_frames.load(std::memory_order_acquire); }
    // The audio clock in frames at which the last play()'s file has its frame
    // 0 (where an event at tick 0 sounds); -1 until the audio thread has started it.
    int64_t playStartFrame() const;
    // The longest audio callback since the last reset, in nanoseconds (for the benchmarks).
    int64_t longestCallbackNs() const {
        return m_longestCallbackNs.load(std::memory_order_relaxed);
    }
    void resetLongestCallback() { m_longestCallbackNs.store(0, std::memory_order_relaxed); }
    // Whether a started file is still playing (not stopped, not finished).
    bool isPlaying() const { return m_pollTimer.isActive(); }

  signals:
    // A sound font has loaded and plays from now on (the first, or setSoundFont's).
    void soundFontReady();
    // A sound font could not be loaded, or (for a deferred start) the
    // libraries or the device could not be opened; `error` is a sentence for the user.
    void soundFontFailed(const QString& error);

  private:
    struct Command {
        enum Kind { Play, Stop, Core } kind = Stop;
        const MidiSequence* sequence = nullptr;
        bool loop = false;
        SynthCore* core = nullptr;
    };
    struct Retired {
        uint64_t until;  // freed once the audio thread has consumed this many commands
        std::shared_ptr<const MidiSequence> sequence;
        std::shared_ptr<SynthCore> core;
        std::unique_ptr<PresetPins> pins;
    };

    SynthEngine() = default;
    static void audioCallback(void* userdata, Uint8* stream, int bytes);
    void render(float* interleaved, int frames) noexcept;          // audio thread
    void apply(const Command& command, uint64_t number) noexcept;  // audio thread

    uint64_t send(const Command& command);
    std::unique_ptr<SdlAudioDevice> openDevice(QString* error);
    void adoptDevice(std::unique_ptr<SdlAudioDevice> device);
    void startFontLoad(const QString& path);
    void fontLoaded(uint64_t generation, const QString& path, std::shared_ptr<SynthCore> core,
                    const QString& error);
    void fileParsed(uint64_t generation, std::shared_ptr<const MidiSequence> sequence,
                    const std::string& error);
    void cancelParse();
    void setLoaded(std::shared_ptr<const MidiSequence> sequence);
    void startIfReady();
    void pinForPlay(const std::vector<PresetRef>& presets);
    void collect();
    void poll();

    std::unique_ptr<SdlAudioDevice> m_device;  // first: its callback uses all below
    // Opened by the font thread for a deferred start, until adopted as m_device.
    std::unique_ptr<SdlAudioDevice> m_openedDevice;
    int m_sampleRate = kDefaultSampleRate;  // fixed by create(): the font thread reads them
    int m_bufferFrames = 256;

    // User-interface thread.
    QString m_status;
    QString m_soundFont;
    int m_volume = 0;
    std::shared_ptr<SynthCore> m_core;  // null until the first font is ready
    std::unique_ptr<PresetPins> m_pins;
    std::shared_ptr<const MidiSequence> m_sequence;  // loaded
    bool m_loaded = false;
    std::string m_loadError;
    std::optional<bool> m_queuedPlay;      // its loop flag, waiting for the font or the file
    uint64_t m_playCommand = 0;            // the number of the last Play sent
    std::vector<PresetRef> m_playPresets;  // its presets
    bool m_unpinned = true;                // the presets the last Play no longer needs are unpinned
    std::vector<Retired> m_retired;
    std::unique_ptr<AudioProcessor> m_processorOwner;
    std::function<void()> m_endHandler;
    QTimer m_pollTimer;
    AudioThreadMessages m_messages;
    std::thread m_fontThread;
    uint64_t m_fontGeneration = 0;
    std::thread m_parse;
    std::atomic<bool> m_cancelParse{false};
    uint64_t m_parseGeneration = 0;

    // Shared with the audio thread.
    CommandRing<Command, 64> m_commands;
    std::atomic<int64_t> m_frames{0};
    std::atomic<uint64_t> m_startedCommand{0};  // the Play whose start frame is m_startFrame
    std::atomic<int64_t> m_startFrame{0};
    std::atomic<uint64_t> m_finishedCommand{0};  // the Play that has played to its end
    std::atomic<AudioProcessor*> m_processor{nullptr};
    std::atomic<int64_t> m_longestCallbackNs{0};
    std::atomic<bool> m_apiHeld{false};  // the user-interface thread pins presets

    // Audio thread.
    SequencePlayer m_player{kDefaultSampleRate};
    SynthCore* m_audioCore = nullptr;
    uint64_t m_audioPlayCommand = 0;
};

}  // namespace qn
