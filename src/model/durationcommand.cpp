#include "durationcommand.h"

#include <algorithm>

namespace qn {

CommandResult chooseDuration(Composition& c, EditState& e, int code) {
    CommandResult result;
    if (code < 0 || code > kMaxLengthCode) return result;
    e.DefaultLength = code;
    if (!e.SelActive) return result;
    for (int t = std::max(e.SelTrackFrom, 0); t <= std::min(e.SelTrackTo, kTrackCount - 1); ++t)
        for (int col = std::max(e.SelStart, 0); col <= std::min(e.SelEnd, kVisibleColumns - 1);
             ++col) {
            const int i = e.indexOfColumn(col);
            if (!isNoteSlot(i)) break;
            if (code == kRestLength) c.NotePitch[t][i] = kRestPitch;
            c.NoteLength[t][i] = static_cast<uint8_t>(code);
        }
    e.clearSelection();
    result.staff = result.selection = true;
    return result;
}

}  // namespace qn
