#pragma once

// The whole composition as an audio file: the synthesiser and the effects
// switched on in the composition render it, as fast as the CPU allows, into a
// WAV, FLAC or Ogg Vorbis file chosen by the file name's extension. Both
// `quillnote --render` and File > Export Audio run it.

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "effectsdialogvalues.h"
#include "model/composition.h"

namespace qn {

// Everything an export needs, copied out of the composition so that the
// composition may change while the export runs on another thread.
struct AudioExportJob {
    std::vector<uint8_t> midi;  // what Play sends for the whole composition
    EffectSwitches effects{};
    EffectsDialogValues effectValues;  // what the switched-on effects run with
    QString soundFont;
    QString path;  // the audio file
};

// The job for `c` as it stands (its song length is computed first, as Play does).
AudioExportJob audioExportJob(Composition& c, const EffectsDialogValues& effectValues,
                              const QString& soundFont, const QString& path);

enum class ExportOutcome {
    Written,
    Cancelled,
    CannotRender,  // no synthesiser, or an effect's values cannot be used
    CannotWrite,   // the file could not be written (or its type is unknown)
};

// The share of the export done, 0..1, after every rendered block, on the
// thread the export runs on; false cancels the export.
using ExportProgress = std::function<bool(double fraction)>;

// Runs `job` on the calling thread. The file is replaced only when the
// outcome is Written; otherwise whatever had that name stays as it was, and
// `error` says why unless the export was cancelled.
ExportOutcome runAudioExport(const AudioExportJob& job, const ExportProgress& progress,
                             QString* error);

}  // namespace qn
