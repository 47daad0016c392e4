#include "editstate.h"

namespace qn {

void EditState::clearSelection() {
    SelActive = false;
    SelStart = -1;
    SelEnd = -1;
}

Note EditState::clip(int track, int i) const {
    if (!isTrack(track) || i < 0 || i >= kClipNotes) return Note{};
    return Note{ClipPitch[track][i], ClipVelocity[track][i], ClipLength[track][i]};
}

void EditState::setClip(int track, int i, Note n) {
    if (!isTrack(track) || i < 0 || i >= kClipNotes) return;
    ClipPitch[track][i] = n.pitch;
    ClipVelocity[track][i] = n.velocity;
    ClipLength[track][i] = n.length;
}

}  // namespace qn
