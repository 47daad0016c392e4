#include "rendermode.h"

#include <QFileInfo>
#include <memory>

#include "audioexport.h"
#include "commandline.h"
#include "documentfile.h"
#include "sound/engine/audiofilewriter.h"
#include "sound/engine/soundfont.h"
#include "terminalprogress.h"

namespace qn {

namespace {

// Open, then the whole composition through the synthesiser into an audio
// file, as fast as the CPU allows.
int render(const QString& in, const QString& out) {
    if (isSameFile(in, out)) return outputIsInput();
    if (!audioFileTypeOf(out)) return commandLineFailure(unknownAudioFileType(out), kExitBadInput);
    auto c = std::make_unique<Composition>();
    EditState e;
    if (!openForCommandLine(in, *c, e)) return kExitBadInput;

    QString error;
    const QString soundFont = findSoundFont(systemSoundFontSources(), &error);
    if (soundFont.isEmpty()) return commandLineFailure(error, kExitBadInput);
    // The effects switched on in the file, with the effects dialog's first values.
    const AudioExportJob job = audioExportJob(*c, EffectsDialogValues(), soundFont, out);
    c.reset();

    TerminalProgress progress(QStringLiteral("Rendering %1").arg(QFileInfo(out).fileName()));
    const ExportOutcome outcome = runAudioExport(
        job,
        [&progress](double fraction) {
            progress.update(fraction);
            return true;
        },
        &error);
    progress.clear();
    switch (outcome) {
        case ExportOutcome::Written:
        case ExportOutcome::Cancelled:
            return 0;
        case ExportOutcome::CannotRender:
            return commandLineFailure(error, kExitBadInput);
        case ExportOutcome::CannotWrite:
            break;
    }
    return commandLineFailure(error, kExitWriteFailed);
}

}  // namespace

int runRender(const QStringList& arguments) {
    if (arguments.size() != 3)
        return usageError(QStringLiteral("--render needs IN.msf and OUT.wav, OUT.flac or OUT.ogg"));
    return render(arguments.at(1), arguments.at(2));
}

}  // namespace qn
