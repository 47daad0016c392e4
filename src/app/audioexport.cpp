#include "audioexport.h"

#include <algorithm>

#include "documentfile.h"
#include "safefile.h"
#include "sound/engine/audiofilewriter.h"
#include "sound/engine/effectprocessor.h"
#include "sound/engine/midisequence.h"
#include "sound/engine/offlinerenderer.h"

namespace qn {

AudioExportJob audioExportJob(Composition& c, const EffectsDialogValues& effectValues,
                              const QString& soundFont, const QString& path) {
    return {exportMidiBytes(c), c.Effects, effectValues, soundFont, path};
}

ExportOutcome runAudioExport(const AudioExportJob& job, const ExportProgress& progress,
                             QString* error) {
    const auto type = audioFileTypeOf(job.path);
    if (!type) {
        *error = unknownAudioFileType(job.path);
        return ExportOutcome::CannotWrite;
    }
    const auto renderer = OfflineRenderer::create(job.soundFont, error);
    if (!renderer) return ExportOutcome::CannotRender;
    std::string effectsError;
    auto chain =
        makeEffectChain(job.effectValues, job.effects, renderer->sampleRate(), &effectsError);
    if (!chain) {
        *error = QStringLiteral("FX error: %1").arg(QString::fromStdString(effectsError));
        return ExportOutcome::CannotRender;
    }
    EffectProcessor effects(std::move(chain));
    RenderOptions options;
    if (!effects.empty()) {
        options.processor = &effects;
        // An echo may fall silent for up to its longest delay between repeats.
        options.silenceMs = 2100;
    }

    const auto cannotWrite = [&](const QString& reason) {
        *error = QStringLiteral("cannot write %1: %2").arg(job.path, reason);
        return ExportOutcome::CannotWrite;
    };
    SafeFile file(job.path);
    if (!file.open(QIODevice::WriteOnly)) return cannotWrite(file.errorString());
    AudioFileWriter writer(file, *type, renderer->sampleRate());
    if (!writer.isOpen()) return cannotWrite(writer.error());

    // The music's length; the sound dying away after it is not known in
    // advance and shows as the last percent.
    std::string parseError;
    const auto sequence = MidiSequence::parse(job.midi, renderer->sampleRate(), &parseError);
    const double expectedFrames =
        std::max<double>(1.0, sequence ? static_cast<double>(sequence->endFrame()) : 0.0);
    uint64_t written = 0;
    const auto rendered = renderer->render(
        job.midi, options,
        [&](const float* samples, int frames) {
            if (!writer.write(samples, frames)) return false;
            written += static_cast<uint64_t>(frames);
            return !progress || progress(std::min(0.99, written / expectedFrames));
        },
        error);
    if (!rendered) return ExportOutcome::CannotWrite;
    if (!writer.error().isEmpty()) return cannotWrite(writer.error());
    if (rendered->cancelled) return ExportOutcome::Cancelled;
    if (!writer.finish()) return cannotWrite(writer.error());
    if (!file.commit()) return cannotWrite(file.errorString());
    if (progress) progress(1.0);
    return ExportOutcome::Written;
}

}  // namespace qn
