#pragma once

// `quillnote --render IN.msf OUT.wav|flac|ogg`: the whole composition through
// the synthesiser and the effects switched on in the file, into an audio file
// of the type the extension names; a progress line while a terminal watches.

#include <QStringList>

namespace qn {

// `arguments` without the program name, starting with "--render"; the exit status.
int runRender(const QStringList& arguments);

}  // namespace qn
