#pragma once

// The modes that run without a window: export, dump, render, help and version.

#include <QStringList>
#include <optional>

namespace qn {

// Runs the command-line mode that `arguments` (without the program name) ask
// for and returns its exit status, or nothing when they ask for the window.
// Exit status 2: unusable arguments, or an input file that cannot be read or
// is rejected; 1: the output could not be written.
std::optional<int> runCommandLine(const QStringList& arguments);

}  // namespace qn
