#pragma once

// Writer of the program's own text format, the .msf "MIDI Source File".

#include <string>
#include <string_view>

#include "composition.h"

namespace qn {

// The whole file, named docName in its first line: composition texts, division, effect and bass
// clef lines, the four tracks with their notes, and the lyrics of every note index. Lines end with
// CR LF; numbers carry a blank before non-negative values.
std::string writeMsf(const Composition& c, std::string_view docName);

}  // namespace qn
