#pragma once

// The composition as JSON, for `quillnote --dump`.

#include <string>

#include "model/composition.h"
#include "model/editstate.h"

namespace qn {

// {"name", "docName", "author", "copyright", "division", "effects", "bassClef",
//  "tracks": [{"instrument", "octave", "notes": [[pitch, velocity, length], ...]}],
//  "songLength", "scrollPos", "lyrics"}
std::string compositionJson(const Composition& c, const EditState& e);

}  // namespace qn
