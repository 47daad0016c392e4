#include "rendermode.h"

#include <memory>

#include "commandline.h"
#include "documentfile.h"
#include "effectsdialogvalues.h"
#include "safefile.h"
#include "sound/engine/effectprocessor.h"
#include "sound/engine/offlinerenderer.h"
#include "sound/engine/soundfont.h"

namespace qn {

namespace {

// Open, then the whole composition through the synthesiser into a WAV file,
// as fast as the CPU allows.
int render(const QString& in, const QString& out) {
    if (isSameFile(in, out)) return outputIsInput();
    auto c = std::make_unique<Composition>();
    EditState e;
    if (!openForCommandLine(in, *c, e)) return kExitBadInput;
    // ComputeSongLength, then WriteMidiFile(c, 0, 3, 0, SongLength): what Play sends.
    const std::vector<uint8_t> midi = exportMidiBytes(*c);

    QString error;
    const QString soundFont = findSoundFont(systemSoundFontSources(), &error);
    if (soundFont.isEmpty()) return commandLineFailure(error, kExitBadInput);
    const auto renderer = OfflineRenderer::create(soundFont, &error);
    if (!renderer) return commandLineFailure(error, kExitBadInput);

    // The effects switched on in the file, with the effects dialog's first values.
    std::string effectsError;
    auto chain =
        makeEffectChain(EffectsDialogValues(), c->Effects, renderer->sampleRate(), &effectsError);
    if (!chain)
        return commandLineFailure(QStringLiteral("FX error: %1").arg(effectsError.c_str()),
                                  kExitBadInput);
    EffectProcessor effects(std::move(chain));
    RenderOptions options;
    if (!effects.empty()) {
        options.processor = &effects;
        // An echo may fall silent for up to its longest delay between repeats.
        options.silenceMs = 2100;
    }
    // Straight into the file, a megabyte at a time: an hour of music is 635 MB.
    SafeFile file(out);
    const auto writeFailed = [&] {
        return commandLineFailure(
            QStringLiteral("cannot write %1: %2").arg(out, file.errorString()), kExitWriteFailed);
    };
    if (!file.open(QIODevice::WriteOnly)) return writeFailed();
    WavWriter wav(renderer->sampleRate());
    const std::array<uint8_t, kWavHeaderBytes> placeholder{};
    bool written = file.write(reinterpret_cast<const char*>(placeholder.data()), kWavHeaderBytes) ==
                   kWavHeaderBytes;
    const auto flush = [&] {
        const std::vector<uint8_t> data = wav.takeData();
        const auto size = static_cast<qint64>(data.size());
        written = written && file.write(reinterpret_cast<const char*>(data.data()), size) == size;
    };
    const auto rendered = renderer->render(
        midi, options,
        [&](const float* samples, int frames) {
            wav.append(samples, frames);
            if (wav.pendingBytes() >= (size_t{1} << 20)) flush();
        },
        &error);
    if (!rendered) return commandLineFailure(error, kExitWriteFailed);
    flush();
    const auto header = wav.header();
    written = written && file.seek(0) &&
              file.write(reinterpret_cast<const char*>(header.data()), kWavHeaderBytes) ==
                  kWavHeaderBytes;
    if (!written || !file.commit()) return writeFailed();
    return 0;
}

}  // namespace

int runRender(const QStringList& arguments) {
    if (arguments.size() != 3)
        return usageError(QStringLiteral("--render needs IN.msf and OUT.wav"));
    return render(arguments.at(1), arguments.at(2));
}

}  // namespace qn
