#pragma once

// The Modify menu: one step of pitch, duration or volume per click, on the
// last note of the active track or on every selected note, and volume ramps.
// Nothing moves; counts, order and lyrics stay.

#include "commandresult.h"
#include "composition.h"
#include "editstate.h"

namespace qn::modify {

enum class Step {
    HigherPitch,
    LowerPitch,
    LongerDuration,
    ShorterDuration,
    IncreaseVolume,
    DecreaseVolume
};

// Pitch and duration steps report the glyphs to redraw, volume steps the
// velocity labels to rewrite.
CommandResult step(Composition& c, const EditState& e, Step kind);

// Ramps over the selected columns from silence up to the first note's
// velocity (fade in) or down from it (fade out). Velocities stay within 0..127;
// a one-column selection has no ramp and is refused.
CommandResult fadeIn(Composition& c, EditState& e);
CommandResult fadeOut(Composition& c, EditState& e);

}  // namespace qn::modify
