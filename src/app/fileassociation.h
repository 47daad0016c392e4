#pragma once

// Registers this program with the desktop as the handler of .msf files, for
// the current user only: a shared-mime-info package, a desktop entry, an icon
// and the default-application line. Runs on the first start; the user
// interface thread waits at most a few seconds for the desktop's cache tools.

#include <QString>

namespace qn {

inline constexpr char kMsfMimeType[] = "application/x-quillnote-msf";
inline constexpr char kDesktopFileName[] = "quillnote.desktop";

// Writes the association files under $XDG_DATA_HOME and $XDG_CONFIG_HOME
// (~/.local/share and ~/.config when unset or empty) and refreshes the
// desktop's caches when their tools are installed. `executable` is the program
// the desktop entry starts; empty means the running program. Returns an empty
// text on success, else a sentence naming the file that could not be written.
QString RegisterFileAssociation(const QString& executable = {});

}  // namespace qn
