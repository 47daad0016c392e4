#include "offlinerenderer.h"

#include <algorithm>
#include <cmath>

namespace qn {

namespace {

// The last frame of `frames` in which either channel rises above `threshold`, or -1.
int lastLoudFrame(const float* interleaved, int frames, float threshold) {
    for (int f = frames - 1; f >= 0; --f)
        if (std::fabs(interleaved[2 * f]) > threshold ||
            std::fabs(interleaved[2 * f + 1]) > threshold)
            return f;
    return -1;
}

}  // namespace

std::unique_ptr<OfflineRenderer> OfflineRenderer::create(const QString& soundFont, QString* error,
                                                         int sampleRate) {
    auto core = createSynth(sampleRate, soundFont, error);
    if (!core) return nullptr;
    return std::unique_ptr<OfflineRenderer>(new OfflineRenderer(std::move(*core), sampleRate));
}

OfflineRenderer::OfflineRenderer(SynthCore core, int sampleRate)
    : m_core(std::move(core)), m_sampleRate(sampleRate), m_player(sampleRate) {
    m_player.setSynth(m_core.synth.get());
}

OfflineRenderer::~OfflineRenderer() = default;

std::optional<RenderResult> OfflineRenderer::render(const std::vector<uint8_t>& midiFile,
                                                    const RenderOptions& options, const Sink& sink,
                                                    QString* error) {
    std::string parseError;
    const auto sequence = MidiSequence::parse(midiFile, m_sampleRate, &parseError);
    if (!sequence) {
        *error = QStringLiteral("The data to render is not a Standard MIDI File.");
        return std::nullopt;
    }
    fluid().synth_set_gain(m_core.synth.get(), kBaseGain);
    // Samples load as the presets are selected: on this thread, which may wait.
    const int64_t renderStart = m_player.frame();
    m_player.play(sequence.get(), false);

    const auto threshold = static_cast<float>(std::pow(10.0, options.silenceDb / 20.0));
    const auto framesOf = [this](int ms) {
        return static_cast<uint64_t>(ms) * m_sampleRate / 1000;
    };
    const uint64_t silenceFrames = framesOf(options.silenceMs);
    const uint64_t maxTailFrames = framesOf(options.maxTailMs);

    RenderResult result;
    std::vector<float> block(2 * kBlockFrames);
    // After the player's end: the quiet frames since the last loud one, held
    // back until more sound follows (then handed on) or the render ends (then dropped).
    std::vector<float> quiet;
    quiet.reserve(2 * (silenceFrames + kBlockFrames));
    const auto deliver = [&](const float* samples, size_t frames) {
        if (frames == 0 || result.cancelled) return;
        result.cancelled = !sink(samples, static_cast<int>(frames));
        result.frames += frames;
    };
    bool playerDone = false;
    while (!result.cancelled) {
        const uint64_t quietFrames = quiet.size() / 2;
        const uint64_t rendered = result.frames + quietFrames;
        if (rendered >= options.maxFrames ||
            (playerDone && rendered - result.playerEndFrame >= maxTailFrames)) {
            deliver(quiet.data(), quietFrames);
            result.capped = true;
            break;
        }
        const int frames =
            static_cast<int>(std::min<uint64_t>(kBlockFrames, options.maxFrames - rendered));
        float* samples = block.data();
        m_player.render(samples, frames);
        if (options.processor) options.processor->process(samples, frames);
        if (!playerDone) {
            deliver(samples, frames);
            int64_t start = 0;
            if (m_player.takeStarted(&start))
                result.playerEndFrame =
                    static_cast<uint64_t>(start - renderStart + sequence->endFrame());
            playerDone = m_player.takeFinished();
            continue;
        }
        const int loud = lastLoudFrame(samples, frames, threshold);
        if (loud >= 0) {
            deliver(quiet.data(), quietFrames);
            quiet.clear();
            deliver(samples, static_cast<size_t>(loud) + 1);
        }
        quiet.insert(quiet.end(), samples + 2 * (loud + 1), samples + 2 * frames);
        if (quiet.size() / 2 >= silenceFrames) break;
    }
    m_player.stop();
    return result;
}

}  // namespace qn
