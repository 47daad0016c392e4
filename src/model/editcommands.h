#pragma once

// The block commands of the Edit and Track menus. Each works on the selection
// (columns relative to ScrollPos) or, without one, on the active track, and
// reports what the window must redraw. Commands that would push a track past
// the last note slot are refused whole.

#include "commandresult.h"
#include "composition.h"
#include "editstate.h"
#include "questions.h"

namespace qn::edit {

CommandResult copy(const Composition& c, EditState& e);
CommandResult cut(Composition& c, EditState& e);
CommandResult paste(Composition& c, EditState& e);
// Asks how many times, then pastes that often.
CommandResult repeat(Composition& c, EditState& e, Questions& q);
CommandResult deleteNotes(Composition& c, EditState& e);
CommandResult insert(Composition& c, EditState& e);
CommandResult selectTrack(const Composition& c, EditState& e);
CommandResult selectAll(EditState& e);
CommandResult cutStart(Composition& c, EditState& e);
CommandResult cutEnd(Composition& c, EditState& e);
CommandResult copyTrackToTrack(Composition& c, EditState& e, Questions& q);
CommandResult clearTrack(Composition& c, EditState& e, Questions& q);
CommandResult clearAll(Composition& c, EditState& e, Questions& q);

}  // namespace qn::edit

namespace qn {

// Inserts `count` clipboard notes at `position` of tracks first..last, clipboard
// track k going to target track first + k; clears the selection.
CommandResult PasteClip(Composition& c, EditState& e, int position, int count, int first, int last);

}  // namespace qn
