#include "commandline.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "documentfile.h"
#include "jsondump.h"
#include "model/documentcommands.h"

namespace qn {

namespace {

const char* const kUsage =
    "Usage: quillnote [FILE.msf]\n"
    "       quillnote --export-midi IN.msf OUT.mid\n"
    "       quillnote --export-kar IN.msf OUT.kar\n"
    "       quillnote --dump IN.msf\n"
    "       quillnote --render IN.msf OUT.wav|OUT.flac|OUT.ogg\n"
    "       quillnote --print-pdf IN.msf OUT.pdf [--pages FIRST-LAST]\n"
    "       quillnote --help | --version\n"
    "\n"
    "Without options Quillnote opens its window, with FILE.msf if given.\n"
    "  --export-midi  open IN.msf and save it as the Standard MIDI File OUT.mid\n"
    "  --export-kar   the same, with the lyrics as lyric events, into OUT.kar\n"
    "  --dump         open IN.msf and print the composition as JSON\n"
    "  --render       open IN.msf and render it through the synthesiser into an\n"
    "                 audio file, stereo at 44100 Hz: WAV or FLAC of 16-bit samples,\n"
    "                 or Ogg Vorbis, as the output's extension says\n"
    "  --print-pdf    open IN.msf and print the score, every page or pages\n"
    "                 FIRST to LAST, into the PDF file OUT.pdf\n";

}  // namespace

int commandLineFailure(const QString& message, int status) {
    std::fprintf(stderr, "quillnote: %s\n", qUtf8Printable(message));
    return status;
}

bool openForCommandLine(const QString& path, Composition& c, EditState& e) {
    newComposition(c, e);
    QString error;
    if (openMsfFile(path, c, e, &error)) return true;
    commandLineFailure(error, kExitBadInput);
    return false;
}

int outputIsInput() {
    return commandLineFailure(QStringLiteral("the output would overwrite the input"),
                              kExitWriteFailed);
}

int usageError(const QString& message) {
    commandLineFailure(message, kExitBadInput);
    std::fputs(kUsage, stderr);
    return kExitBadInput;
}

namespace {

// --export-midi and --export-kar: `bytes` is what the export writes.
int exportMidi(const QString& in, const QString& out, std::vector<uint8_t> (*bytes)(Composition&)) {
    if (isSameFile(in, out)) return outputIsInput();
    auto c = std::make_unique<Composition>();
    EditState e;
    if (!openForCommandLine(in, *c, e)) return kExitBadInput;
    QString error;
    if (!saveWholeFile(out, bytes(*c), &error)) return commandLineFailure(error, kExitWriteFailed);
    return 0;
}

int dump(const QString& in) {
    auto c = std::make_unique<Composition>();
    EditState e;
    if (!openForCommandLine(in, *c, e)) return kExitBadInput;
    const std::string json = compositionJson(*c, e);
    // A full disk or a closed pipe shows only here; a truncated dump must not pass for a whole one.
    if (std::fwrite(json.data(), 1, json.size(), stdout) != json.size() ||
        std::fflush(stdout) != 0 || std::ferror(stdout))
        return commandLineFailure(QStringLiteral("cannot write the output: %1")
                                      .arg(QString::fromLocal8Bit(std::strerror(errno))),
                                  kExitWriteFailed);
    return 0;
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
        std::printf("quillnote %s\n", QUILLNOTE_VERSION);
        return 0;
    }
    if (mode == QLatin1String("--export-midi")) {
        if (operands != 2)
            return usageError(QStringLiteral("--export-midi needs IN.msf and OUT.mid"));
        return exportMidi(arguments.at(1), arguments.at(2), exportMidiBytes);
    }
    if (mode == QLatin1String("--export-kar")) {
        if (operands != 2)
            return usageError(QStringLiteral("--export-kar needs IN.msf and OUT.kar"));
        return exportMidi(arguments.at(1), arguments.at(2), exportKaraokeBytes);
    }
    if (mode == QLatin1String("--dump")) {
        if (operands != 1) return usageError(QStringLiteral("--dump needs IN.msf"));
        return dump(arguments.at(1));
    }
    // Rendering needs the synthesiser and printing the toolkit, which the full program carries.
    if (mode == QLatin1String(kRenderOption) || mode == QLatin1String(kPrintPdfOption))
        return std::nullopt;
    return usageError(QStringLiteral("unknown option %1").arg(mode));
}

}  // namespace qn
