#pragma once

// The modes that run without a window. Export, dump, help and version need
// only the model and Qt Core, so the small `quillnote` program runs them
// itself; rendering and the window are the full program's.

#include <QStringList>
#include <optional>

#include "model/composition.h"
#include "model/editstate.h"

namespace qn {

inline constexpr int kExitWriteFailed = 1;  // the output could not be written
inline constexpr int kExitBadInput = 2;     // unusable arguments, unreadable or rejected input
inline constexpr char kRenderOption[] = "--render";
inline constexpr char kPrintPdfOption[] = "--print-pdf";

// Runs the mode that `arguments` (without the program name) ask for and
// returns its exit status; nothing when they ask for the window, a render or a PDF.
std::optional<int> runCommandLine(const QStringList& arguments);

// One line "quillnote: message" on stderr; returns `status`.
int commandLineFailure(const QString& message, int status);
// Refuses an output that is the input file itself; returns kExitWriteFailed.
int outputIsInput();
// The message, then the usage text, on stderr; returns kExitBadInput.
int usageError(const QString& message);
// Open on a fresh composition, as the window's Open does; a failure is reported.
bool openForCommandLine(const QString& path, Composition& c, EditState& e);

}  // namespace qn
