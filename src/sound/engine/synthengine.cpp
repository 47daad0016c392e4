#include "synthengine.h"

#include <QFile>
#include <algorithm>
#include <cstdint>

#include "soundfont.h"

namespace qn {

namespace {

// How often the user-interface thread looks for the end of a playing file, in ms.
constexpr int kPollIntervalMs = 20;

}  // namespace

SynthEngine::Created SynthEngine::create(const Options& options) {
    Created created;
    routeFluidSynthLog();
    QString soundFont = options.soundFont;
    if (soundFont.isEmpty()) {
        soundFont = findSoundFont(systemSoundFontSources(options.settings), &created.error);
        if (soundFont.isEmpty()) return created;
    }

    // Before the device: a font that cannot load should not disturb the sound system.
    if (!checkSoundFont(soundFont, &created.error)) return created;

    std::unique_ptr<SynthEngine> engine(new SynthEngine);
    SDL_AudioSpec desired{};
    desired.freq = options.sampleRate;
    desired.format = AUDIO_F32SYS;
    desired.channels = 2;
    desired.samples = static_cast<Uint16>(std::clamp(options.bufferFrames, 64, 8192));
    desired.callback = &SynthEngine::audioCallback;
    desired.userdata = engine.get();
    std::string deviceError;
    engine->m_device = SdlAudioDevice::open(desired, &deviceError);
    if (!engine->m_device) {
        created.error = QStringLiteral("No audio output could be opened: %1.")
                            .arg(QString::fromStdString(deviceError));
        return created;
    }
    const SDL_AudioSpec& spec = engine->m_device->spec();
    engine->m_sampleRate = spec.freq;
    engine->m_bufferFrames = spec.samples;

    auto core = createSynth(spec.freq, soundFont, &created.error);
    if (!core) return created;
    engine->m_core = std::move(*core);
    engine->m_synth = engine->m_core.synth.get();
    engine->m_soundFont = soundFont;

    engine->m_pollTimer.setInterval(kPollIntervalMs);
    connect(&engine->m_pollTimer, &QTimer::timeout, engine.get(), &SynthEngine::poll);

    qCDebug(lcSound, "Synthesiser: %s at %d Hz, %d-frame buffers, SDL driver %s",
            qUtf8Printable(soundFont), spec.freq, spec.samples, engine->m_device->driver().c_str());
    if (!engine->m_device->fallbackReason().empty()) {
        qCWarning(lcSound, "No sound device (%s): playing silently through the dummy driver",
                  engine->m_device->fallbackReason().c_str());
        created.status = QStringLiteral("No sound device: playing silently");
    }
    engine->m_device->start();
    created.engine = std::move(engine);
    return created;
}

SynthEngine::~SynthEngine() {
    // The callback must be gone before the synth, player and processor it uses.
    m_device.reset();
    m_messages.drain();
}

bool SynthEngine::load(const std::vector<uint8_t>& midiFile) {
    const auto endTick = midiEndTick(midiFile);
    const bool valid = endTick.has_value();
    {
        SdlAudioDevice::Lock lock(*m_device);
        stopLocked();
        // A fresh channel state for every file, as a newly loaded segment has.
        fluid_synth_system_reset(m_synth);
    }
    m_pollTimer.stop();
    m_loaded = valid;
    m_endTick = endTick.value_or(0);
    if (valid)
        m_midi = midiFile;
    else
        m_midi.clear();
    m_messages.drain();
    return valid;
}

bool SynthEngine::loadFile(const std::string& path) {
    const QString name = QString::fromStdString(path);
    const QByteArray local = QFile::encodeName(name);
    QFile file(name);
    if (!fluid_is_midifile(local.constData()) || !file.open(QIODevice::ReadOnly)) {
        if (!path.empty()) qCDebug(lcSound, "Not a MIDI file: %s", local.constData());
        return load({});
    }
    const QByteArray bytes = file.readAll();
    return load(std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

void SynthEngine::play(bool loop) {
    if (!m_loaded) return;
    // FluidSynth would reload a file without length endlessly inside one block.
    loop = loop && m_endTick > 0;
    bool started = false;
    {
        SdlAudioDevice::Lock lock(*m_device);
        stopLocked();
        // A fresh player each time: a finished one cannot be started again.
        m_player = createPlayer(m_synth, m_midi, loop ? -1 : 1);
        if (m_player && fluid_player_play(m_player.get()) == FLUID_OK) {
            m_watchedPlayer = m_player.get();
            m_watchedEndTick = loop ? INT64_MAX : int64_t{m_endTick};
            m_playStartFrame = m_frames.load(std::memory_order_relaxed);
            started = true;
        }
    }
    if (started)
        m_pollTimer.start();
    else
        qCWarning(lcSound, "The synthesiser's player could not be started");
}

void SynthEngine::stop() {
    {
        SdlAudioDevice::Lock lock(*m_device);
        stopLocked();
    }
    m_pollTimer.stop();
    m_messages.drain();
}

void SynthEngine::stopLocked() {
    if (m_player) fluid_player_stop(m_player.get());
    // At once, without the release phase, on every channel.
    fluid_synth_all_sounds_off(m_synth, -1);
    m_player.reset();
    m_watchedPlayer = nullptr;
    m_finished.store(false, std::memory_order_relaxed);
}

int64_t SynthEngine::clockMs() const {
    return framesRendered() * 1000 / m_sampleRate;
}

void SynthEngine::setMasterVolume(int hundredthsOfDb) {
    m_volume = std::clamp(hundredthsOfDb, kMinVolume, kMaxVolume);
    fluid_synth_set_gain(m_synth, gainForVolume(m_volume));
}

void SynthEngine::setEndOfPlaybackHandler(std::function<void()> handler) {
    m_endHandler = std::move(handler);
}

void SynthEngine::setAudioProcessor(std::unique_ptr<AudioProcessor> processor) {
    m_processor.store(processor.get(), std::memory_order_release);
    {
        // Once the lock is ours the callback has left its block, and every
        // later block reads the new pointer.
        SdlAudioDevice::Lock lock(*m_device);
    }
    m_processorOwner = std::move(processor);
}

void SynthEngine::poll() {
    m_messages.drain();
    if (!m_finished.exchange(false, std::memory_order_acquire)) return;
    m_pollTimer.stop();
    if (m_endHandler) {
        const auto handler = m_endHandler;  // it may replace itself
        handler();
    }
}

void SynthEngine::audioCallback(void* userdata, Uint8* stream, int bytes) {
    constexpr int kFrameBytes = 2 * static_cast<int>(sizeof(float));
    static_cast<SynthEngine*>(userdata)->render(reinterpret_cast<float*>(stream),
                                                bytes / kFrameBytes);
}

void SynthEngine::render(float* interleaved, int frames) noexcept {
    AudioThreadMessages::Scope parkMessages(&m_messages);
    fluid_synth_write_float(m_synth, frames, interleaved, 0, 2, interleaved, 1, 2);
    if (AudioProcessor* processor = m_processor.load(std::memory_order_acquire))
        processor->process(interleaved, frames);
    m_frames.fetch_add(frames, std::memory_order_release);
    // The player's own end comes two seconds after the last voice has died
    // away (it waits for reverb); the tick of its last event is exact.
    if (m_watchedPlayer && (fluid_player_get_current_tick(m_watchedPlayer) >= m_watchedEndTick ||
                            fluid_player_get_status(m_watchedPlayer) == FLUID_PLAYER_DONE)) {
        m_watchedPlayer = nullptr;
        m_finished.store(true, std::memory_order_release);
    }
}

}  // namespace qn
