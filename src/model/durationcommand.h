#pragma once

// The duration palette: choosing a picture sets the duration of notes entered
// from now on and, with a selection, of every selected position.

#include "commandresult.h"
#include "composition.h"
#include "editstate.h"

namespace qn {

// code: 0..5 note durations, 6 no glyph, 7 rest. Selected positions past a
// track's end are written too, and the change leaves Modified as it was.
CommandResult chooseDuration(Composition& c, EditState& e, int code);

}  // namespace qn
