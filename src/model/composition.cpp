#include "composition.h"

#include <algorithm>

namespace qn {

Composition::Composition() : Lyrics(kNoteSlots) {
    for (int t = 0; t < kTrackCount; ++t) {
        NotePitch[t].assign(kNoteSlots, 0);
        NoteVelocity[t].assign(kNoteSlots, 0);
        NoteLength[t].assign(kNoteSlots, 0);
    }
}

void Composition::ComputeSongLength() {
    SongLength = 0;
    for (int t = 0; t < kTrackCount; ++t)
        SongLength = std::max<int>(SongLength, NoteCount[t]);
}

Note Composition::note(int track, int index) const {
    if (!isTrack(track) || !isNoteSlot(index)) return Note{};
    return Note{NotePitch[track][index], NoteVelocity[track][index], NoteLength[track][index]};
}

void Composition::setNote(int track, int index, Note n) {
    if (!isTrack(track) || !isNoteSlot(index)) return;
    NotePitch[track][index] = n.pitch;
    NoteVelocity[track][index] = n.velocity;
    NoteLength[track][index] = n.length;
}

}  // namespace qn
