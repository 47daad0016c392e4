#include "insertion.h"

#include <algorithm>

namespace qn {

CommandResult Insertion(Composition& c, EditState& e, int startrow, int endrow, int pos, int size) {
    CommandResult result;
    startrow = std::max(startrow, 0);
    endrow = std::min(endrow, kTrackCount - 1);
    pos = std::max(pos, 0);
    if (size < 0) size = 0;
    for (int t = startrow; t <= endrow; ++t) {
        if (c.NoteCount[t] + size > kNoteSlots) {
            result.refused = Refusal::NoRoom;
            return result;
        }
    }

    const Note blank{kBlankPitch, static_cast<uint8_t>(e.DefaultVelocity),
                     static_cast<uint8_t>(e.DefaultLength)};
    for (int t = startrow; t <= endrow; ++t) {
        const int at = std::min<int>(pos, c.NoteCount[t]);
        for (int i = c.NoteCount[t] - 1; i >= at; --i)
            c.setNote(t, i + size, c.note(t, i));
        for (int i = at; i < at + size; ++i)
            c.setNote(t, i, blank);
        c.NoteCount[t] = static_cast<int16_t>(c.NoteCount[t] + size);
    }
    if (endrow - startrow == kTrackCount - 1) {
        c.ComputeSongLength();
        for (int i = std::min(c.SongLength, kMaxNoteIndex - size); i >= pos; --i)
            c.Lyrics[i + size] = c.Lyrics[i];
    }
    c.Modified = true;
    e.clearSelection();
    result.staff = result.selection = true;
    return result;
}

void removeNotes(Composition& c, int t, int from, int n) {
    from = std::max(from, 0);
    n = std::clamp(c.NoteCount[t] - from, 0, std::max(n, 0));
    if (n == 0) return;
    for (int i = from; i + n < c.NoteCount[t]; ++i)
        c.setNote(t, i, c.note(t, i + n));
    c.NoteCount[t] = static_cast<int16_t>(c.NoteCount[t] - n);
}

}  // namespace qn
