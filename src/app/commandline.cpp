#include "commandline.h"

#include <QCoreApplication>
#include <QSaveFile>
#include <cstdio>
#include <memory>

#include "documentfile.h"
#include "effectsform.h"
#include "jsondump.h"
#include "model/documentcommands.h"
#include "sound/effectprocessor.h"
#include "sound/effects/effectchain.h"
#include "sound/offlinerenderer.h"
#include "sound/soundfont.h"

namespace qn {

namespace {

constexpr int kExitWriteFailed = 1;
constexpr int kExitBadInput = 2;

const char* const kUsage =
    "Usage: quillnote [FILE.msf]\n"
    "       quillnote --export-midi IN.msf OUT.mid\n"
    "       quillnote --dump IN.msf\n"
    "       quillnote --render IN.msf OUT.wav\n"
    "       quillnote --help | --version\n"
    "\n"
    "Without options Quillnote opens its window, with FILE.msf if given.\n"
    "  --export-midi  open IN.msf and save it as the Standard MIDI File OUT.mid\n"
    "  --dump         open IN.msf and print the composition as JSON\n"
    "  --render       open IN.msf and render it through the synthesiser into the\n"
    "                 WAV file OUT.wav (16-bit stereo, 44100 Hz)\n";

int fail(const QString& message, int status) {
    std::fprintf(stderr, "quillnote: %s\n", qUtf8Printable(message));
    return status;
}

// Opens the file as the window's Open does, on a fresh composition.
bool open(const QString& path, Composition& c, EditState& e) {
    newComposition(c, e);
    QString error;
    if (openMsfFile(path, c, e, &error)) return true;
    fail(error, kExitBadInput);
    return false;
}

int exportMidi(const QString& in, const QString& out) {
    auto c = std::make_unique<Composition>();
    EditState e;
    if (!open(in, *c, e)) return kExitBadInput;
    QString error;
    if (!saveWholeFile(out, exportMidiBytes(*c), &error)) return fail(error, kExitWriteFailed);
    return 0;
}

int dump(const QString& in) {
    auto c = std::make_unique<Composition>();
    EditState e;
    if (!open(in, *c, e)) return kExitBadInput;
    const std::string json = compositionJson(*c, e);
    std::fwrite(json.data(), 1, json.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : kExitWriteFailed;
}

// Open, then the whole composition through the synthesiser into a WAV file,
// as fast as the CPU allows.
int render(const QString& in, const QString& out) {
    auto c = std::make_unique<Composition>();
    EditState e;
    if (!open(in, *c, e)) return kExitBadInput;
    // ComputeSongLength, then WriteMidiFile(c, 0, 3, 0, SongLength): what Play sends.
    const std::vector<uint8_t> midi = exportMidiBytes(*c);

    QString error;
    const QString soundFont = findSoundFont(systemSoundFontSources(), &error);
    if (soundFont.isEmpty()) return fail(error, kExitBadInput);
    const auto renderer = OfflineRenderer::create(soundFont, &error);
    if (!renderer) return fail(error, kExitBadInput);

    // The effects switched on in the file, with the effects dialog's first values.
    std::string effectsError;
    const auto settings = EffectsForm().settings(c->Effects, &effectsError);
    auto chain = settings
                     ? fx::EffectChain::create(*settings, renderer->sampleRate(), &effectsError)
                     : nullptr;
    if (!chain)
        return fail(QStringLiteral("FX error: %1").arg(effectsError.c_str()), kExitBadInput);
    EffectProcessor effects(std::move(chain));
    RenderOptions options;
    if (!effects.empty()) {
        options.processor = &effects;
        // An echo may fall silent for up to its longest delay between repeats.
        options.silenceMs = 2100;
    }
    // Straight into the file, a megabyte at a time: an hour of music is 635 MB.
    QSaveFile file(out);
    const auto writeFailed = [&] {
        return fail(QStringLiteral("cannot write %1: %2").arg(out, file.errorString()),
                    kExitWriteFailed);
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
    if (!rendered) return fail(error, kExitWriteFailed);
    flush();
    const auto header = wav.header();
    written = written && file.seek(0) &&
              file.write(reinterpret_cast<const char*>(header.data()), kWavHeaderBytes) ==
                  kWavHeaderBytes;
    if (!written || !file.commit()) return writeFailed();
    return 0;
}

int usageError(const QString& message) {
    fail(message, kExitBadInput);
    std::fputs(kUsage, stderr);
    return kExitBadInput;
}

}  // namespace

std::optional<int> runCommandLine(const QStringList& arguments) {
    if (arguments.isEmpty() || !arguments.first().startsWith(QLatin1String("--")))
        return std::nullopt;
    const QString& mode = arguments.first();
    const int operands = static_cast<int>(arguments.size()) - 1;
    if (mode == QLatin1String("--help")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (mode == QLatin1String("--version")) {
        std::printf("quillnote %s\n", qUtf8Printable(QCoreApplication::applicationVersion()));
        return 0;
    }
    if (mode == QLatin1String("--export-midi")) {
        if (operands != 2)
            return usageError(QStringLiteral("--export-midi needs IN.msf and OUT.mid"));
        return exportMidi(arguments.at(1), arguments.at(2));
    }
    if (mode == QLatin1String("--dump")) {
        if (operands != 1) return usageError(QStringLiteral("--dump needs IN.msf"));
        return dump(arguments.at(1));
    }
    if (mode == QLatin1String("--render")) {
        if (operands != 2) return usageError(QStringLiteral("--render needs IN.msf and OUT.wav"));
        return render(arguments.at(1), arguments.at(2));
    }
    return usageError(QStringLiteral("unknown option %1").arg(mode));
}

}  // namespace qn
