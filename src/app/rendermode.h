#pragma once

// `quillnote --render IN.msf OUT.wav`: the whole composition through the
// synthesiser and the effects switched on in the file, into a WAV file.

#include <QStringList>

namespace qn {

// `arguments` without the program name, starting with "--render"; the exit status.
int runRender(const QStringList& arguments);

}  // namespace qn
