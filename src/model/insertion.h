#pragma once

#include "commandresult.h"
#include "composition.h"
#include "editstate.h"

namespace qn {

// Opens a gap of `size` blank notes (pitch 5, the default velocity and length)
// at index `pos` of tracks startrow..endrow. A track shorter than `pos` gets
// its gap at its end, so tracks never hold holes. When all four tracks take
// part, the lyrics from `pos` on move up with them. Refused, changing nothing,
// when a track would pass the last note slot.
CommandResult Insertion(Composition& c, EditState& e, int startrow, int endrow, int pos, int size);

// Shifts the notes of track t from index `from` on down by `n`, dropping the
// n notes at `from`; n is limited to the notes that exist there.
void removeNotes(Composition& c, int t, int from, int n);

}  // namespace qn
