#include "synthengine.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <chrono>
#include <cstdint>

#include "soundfont.h"

namespace qn {

namespace {

// How often the user-interface thread looks for the end of a playing file, in ms.
constexpr int kPollIntervalMs = 20;

}  // namespace

SynthEngine::Created SynthEngine::create(const Options& options) {
    Created created;
    QString soundFont = options.soundFont;
    if (soundFont.isEmpty()) {
        soundFont = findSoundFont(systemSoundFontSources(options.settings), &created.error);
        if (soundFont.isEmpty()) return created;
    }
    // A missing file fails at once. Whether it is a SoundFont needs FluidSynth,
    // which the deferred start loads: a foreign file then fails there.
    if (options.loadFontLater ? !soundFontExists(soundFont, &created.error)
                              : !checkSoundFont(soundFont, &created.error))
        return created;

    std::unique_ptr<SynthEngine> engine(new SynthEngine);
    engine->m_sampleRate = options.sampleRate;
    engine->m_bufferFrames = std::clamp(options.bufferFrames, 64, 8192);
    engine->m_player = SequencePlayer(options.sampleRate);
    engine->m_pollTimer.setInterval(kPollIntervalMs);
    connect(&engine->m_pollTimer, &QTimer::timeout, engine.get(), &SynthEngine::poll);
    engine->m_soundFont = soundFont;
    if (!options.loadFontLater) {
        auto device = engine->openDevice(&created.error);
        if (!device) return created;
        engine->adoptDevice(std::move(device));
        engine->startFontLoad(soundFont);
    }
    created.engine = std::move(engine);
    return created;
}

SynthEngine::~SynthEngine() {
    cancelParse();
    if (m_fontThread.joinable()) m_fontThread.join();
    m_openedDevice.reset();  // opened for a start that never came to be adopted
    // The callback must be gone before the synths, sequences and processor it uses.
    m_device.reset();
    m_messages.drain();
}

// SDL's library and its output device, paused, calling this engine back; any thread.
std::unique_ptr<SdlAudioDevice> SynthEngine::openDevice(QString* error) {
    if (!loadSdl(error)) return nullptr;
    SDL_AudioSpec desired{};
    desired.freq = m_sampleRate;
    desired.format = AUDIO_F32SYS;
    desired.channels = 2;
    desired.samples = static_cast<Uint16>(m_bufferFrames);
    desired.callback = &SynthEngine::audioCallback;
    desired.userdata = this;
    std::string deviceError;
    auto device = SdlAudioDevice::open(desired, &deviceError);
    if (!device)
        *error = QStringLiteral("No audio output could be opened: %1.")
                     .arg(QString::fromStdString(deviceError));
    return device;
}

// Takes over the device the engine renders to and starts it: silence until a
// font is ready. User-interface thread.
void SynthEngine::adoptDevice(std::unique_ptr<SdlAudioDevice> device) {
    m_device = std::move(device);
    if (!m_device->fallbackReason().empty()) {
        qCWarning(lcSound, "No sound device (%s): playing silently through the dummy driver",
                  m_device->fallbackReason().c_str());
        m_status = QStringLiteral("No sound device: playing silently");
    }
    m_device->start();
}

// Loads the font on the font thread; the first load there also opens what the
// engine has not opened yet (the libraries, the device).
void SynthEngine::startFontLoad(const QString& path) {
    if (m_fontThread.joinable()) m_fontThread.join();
    if (m_openedDevice) adoptDevice(std::move(m_openedDevice));
    const bool needsDevice = !m_device;
    const uint64_t generation = ++m_fontGeneration;
    m_fontThread = std::thread([this, generation, path, needsDevice, rate = m_sampleRate] {
        QString error;
        std::shared_ptr<SynthCore> shared;
        // Only this thread writes m_openedDevice; the user-interface thread
        // takes it only after joining this one.
        if (!needsDevice || (m_openedDevice = openDevice(&error)))
            if (auto core = createSynth(rate, path, &error))
                shared = std::make_shared<SynthCore>(std::move(*core));
        QMetaObject::invokeMethod(
            this,
            [this, generation, path, shared, error] {
                fontLoaded(generation, path, shared, error);
            },
            Qt::QueuedConnection);
    });
}

void SynthEngine::fontLoaded(uint64_t generation, const QString& path,
                             std::shared_ptr<SynthCore> core, const QString& error) {
    if (generation != m_fontGeneration) return;  // a later font was asked for
    if (m_fontThread.joinable()) m_fontThread.join();
    if (m_openedDevice) adoptDevice(std::move(m_openedDevice));
    if (!core) {
        qCWarning(lcSound, "%s", qUtf8Printable(error));
        emit soundFontFailed(error);
        return;
    }
    fluid_synth_t* synth = core->synth.get();
    fluid().synth_set_gain(synth, gainForVolume(m_volume));
    auto pins = std::make_unique<PresetPins>(synth, core->fontId);
    pins->pin(m_sequence ? m_sequence->presets() : std::vector<PresetRef>{});
    // What plays on the old font fades out there before the new one takes over.
    if (m_core) send({Command::Stop});
    const uint64_t number = send({Command::Core, nullptr, false, core.get()});
    if (m_core) m_retired.push_back({number, nullptr, std::move(m_core), std::move(m_pins)});
    m_core = std::move(core);
    m_pins = std::move(pins);
    m_unpinned = true;
    m_pollTimer.stop();
    m_soundFont = path;
    qCDebug(lcSound, "Synthesiser: %s at %d Hz, %d-frame buffers, SDL driver %s",
            qUtf8Printable(path), m_sampleRate, m_bufferFrames, m_device->driver().c_str());
    emit soundFontReady();
    startIfReady();
}

void SynthEngine::setSoundFont(const QString& path) {
    QString error;
    // Before the start the font thread checks it, with the library it loads there.
    if (m_device && !checkSoundFont(path, &error)) {
        emit soundFontFailed(error);
        return;
    }
    startFontLoad(path);
}

uint64_t SynthEngine::send(const Command& command) {
    // The audio thread empties the ring every block; full means a burst of commands.
    while (!m_commands.push(command))
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return m_commands.produced();
}

bool SynthEngine::load(const std::vector<uint8_t>& midiFile) {
    cancelParse();
    stop();
    m_loadError.clear();
    std::string error;
    std::shared_ptr<const MidiSequence> sequence =
        MidiSequence::parse(midiFile, m_sampleRate, &error);
    if (!sequence) qCDebug(lcSound, "%s", error.c_str());
    setLoaded(std::move(sequence));
    return m_loaded;
}

bool SynthEngine::loadFile(const std::string& path) {
    cancelParse();
    stop();
    setLoaded(nullptr);
    m_loadError.clear();
    const QString name = QString::fromStdString(path);
    const QFileInfo info(name);
    if (path.empty() || !info.isFile()) return false;
    if (static_cast<uint64_t>(info.size()) > MidiSequence::kMaxFileBytes) {
        m_loadError = QStringLiteral("The MIDI file %1 is larger than %2 MB and is not played.")
                          .arg(name)
                          .arg(MidiSequence::kMaxFileBytes >> 20)
                          .toStdString();
        qCWarning(lcSound, "%s", m_loadError.c_str());
        return false;
    }
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly) || file.read(4) != "MThd") {
        qCDebug(lcSound, "Not a MIDI file: %s", qUtf8Printable(name));
        return false;
    }
    file.close();
    const uint64_t generation = ++m_parseGeneration;
    m_cancelParse.store(false);
    m_parse = std::thread([this, generation, name, rate = m_sampleRate] {
        QFile in(name);
        std::string error = "The MIDI file could not be read.";
        std::shared_ptr<const MidiSequence> sequence;
        if (in.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = in.read(MidiSequence::kMaxFileBytes);
            sequence = MidiSequence::parse(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                           static_cast<size_t>(bytes.size()), rate, &error,
                                           &m_cancelParse);
        }
        if (m_cancelParse.load()) return;
        QMetaObject::invokeMethod(
            this, [this, generation, sequence, error] { fileParsed(generation, sequence, error); },
            Qt::QueuedConnection);
    });
    return true;
}

void SynthEngine::fileParsed(uint64_t generation, std::shared_ptr<const MidiSequence> sequence,
                             const std::string& error) {
    if (generation != m_parseGeneration) return;
    if (m_parse.joinable()) m_parse.join();
    if (!sequence) {
        qCWarning(lcSound, "%s", error.c_str());
        m_queuedPlay.reset();
    }
    setLoaded(std::move(sequence));
    startIfReady();
}

void SynthEngine::cancelParse() {
    if (!m_parse.joinable()) return;
    m_cancelParse.store(true);
    m_parse.join();
    ++m_parseGeneration;  // a result already on its way is ignored
}

void SynthEngine::setLoaded(std::shared_ptr<const MidiSequence> sequence) {
    m_loaded = sequence != nullptr;
    m_sequence = std::move(sequence);
}

void SynthEngine::play(bool loop) {
    if (!hasLoaded()) return;
    m_queuedPlay = loop;
    startIfReady();
}

// Sends the queued Play once both the font and the file are ready.
void SynthEngine::startIfReady() {
    if (!m_queuedPlay || !m_core || !m_sequence) return;
    const bool loop = *m_queuedPlay;
    m_queuedPlay.reset();
    pinForPlay(m_sequence->presets());
    m_playCommand = send({Command::Play, m_sequence.get(), loop});
    // The audio thread lets go of the sequence when it takes the next command.
    m_retired.push_back({m_playCommand + 1, m_sequence, nullptr, nullptr});
    m_playPresets = m_sequence->presets();
    m_unpinned = false;
    m_pollTimer.start();
}

// Loading samples holds the synth's API mutex for milliseconds: the audio
// thread is told to leave the API alone first, and the lock (taken once the
// callback under way, which may not have seen that yet, has returned) makes
// sure it does.
void SynthEngine::pinForPlay(const std::vector<PresetRef>& presets) {
    if (m_pins->pinned(presets)) return;
    m_apiHeld.store(true);
    { SdlAudioDevice::Lock lock(*m_device); }
    m_pins->pin(presets);
    m_apiHeld.store(false);
}

void SynthEngine::stop() {
    m_queuedPlay.reset();
    if (m_core) send({Command::Stop});
    m_pollTimer.stop();
    collect();
    m_messages.drain();
}

int64_t SynthEngine::playStartFrame() const {
    if (m_playCommand == 0 || m_startedCommand.load(std::memory_order_acquire) != m_playCommand)
        return -1;
    return m_startFrame.load(std::memory_order_relaxed);
}

int64_t SynthEngine::clockMs() const {
    return framesRendered() * 1000 / m_sampleRate;
}

void SynthEngine::setMasterVolume(int hundredthsOfDb) {
    m_volume = std::clamp(hundredthsOfDb, kMinVolume, kMaxVolume);
    if (m_core) fluid().synth_set_gain(m_core->synth.get(), gainForVolume(m_volume));
}

void SynthEngine::setEndOfPlaybackHandler(std::function<void()> handler) {
    m_endHandler = std::move(handler);
}

void SynthEngine::setAudioProcessor(std::unique_ptr<AudioProcessor> processor) {
    m_processor.store(processor.get(), std::memory_order_release);
    if (m_device) {
        // Once the lock is ours the callback has left its block, and every
        // later block reads the new pointer. Without a device it never ran.
        SdlAudioDevice::Lock lock(*m_device);
    }
    m_processorOwner = std::move(processor);
}

// Frees what the audio thread has let go of, and unpins the presets the last
// started sequence does not use (their channels were reset at its start).
void SynthEngine::collect() {
    const uint64_t consumed = m_commands.consumed();
    std::erase_if(m_retired, [consumed](const Retired& r) { return consumed >= r.until; });
    if (!m_unpinned && m_pins &&
        m_startedCommand.load(std::memory_order_acquire) == m_playCommand) {
        m_pins->keepOnly(m_playPresets);
        m_unpinned = true;
    }
}

void SynthEngine::poll() {
    m_messages.drain();
    collect();
    if (m_finishedCommand.load(std::memory_order_acquire) != m_playCommand) return;
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

void SynthEngine::apply(const Command& command, uint64_t number) noexcept {
    switch (command.kind) {
        case Command::Play:
            m_player.play(command.sequence, command.loop);
            m_audioPlayCommand = number;
            break;
        case Command::Stop:
            m_player.stop();
            break;
        case Command::Core:
            m_audioCore = command.core;
            m_player.setSynth(command.core->synth.get());
            break;
    }
}

void SynthEngine::render(float* interleaved, int frames) noexcept {
    const auto began = std::chrono::steady_clock::now();
    AudioThreadMessages::Scope parkMessages(&m_messages);
    while (const Command* command = m_commands.peek()) {
        // A new font waits until the old one has faded out.
        if (command->kind == Command::Core && m_player.fading()) break;
        apply(*command, m_commands.consumed() + 1);
        m_commands.pop();
    }
    const int64_t blockStart = m_frames.load(std::memory_order_relaxed);
    if (m_audioCore) {
        const int64_t synthStart = m_player.frame();
        m_player.render(interleaved, frames, m_apiHeld.load());
        int64_t start = 0;
        if (m_player.takeStarted(&start)) {
            m_startFrame.store(blockStart + (start - synthStart), std::memory_order_relaxed);
            m_startedCommand.store(m_audioPlayCommand, std::memory_order_release);
        }
        if (m_player.takeFinished())
            m_finishedCommand.store(m_audioPlayCommand, std::memory_order_release);
    } else {
        std::fill(interleaved, interleaved + 2 * frames, 0.0f);  // the font is still loading
    }
    if (AudioProcessor* processor = m_processor.load(std::memory_order_acquire))
        processor->process(interleaved, frames);
    m_frames.fetch_add(frames, std::memory_order_release);
    const int64_t took = std::chrono::duration_cast<std::chrono::nanoseconds>(
                             std::chrono::steady_clock::now() - began)
                             .count();
    if (took > m_longestCallbackNs.load(std::memory_order_relaxed))
        m_longestCallbackNs.store(took, std::memory_order_relaxed);
}

}  // namespace qn
