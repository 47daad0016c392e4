#include "modifycommands.h"

#include <algorithm>

#include "numbertext.h"

namespace qn::modify {

namespace {

// Applies one step to a note; false when the note's value is at its bound. The
// bounds differ for the last note and for selected notes, as they always have.
bool applyStep(Step kind, bool selected, Note& n) {
    switch (kind) {
        case Step::HigherPitch:
            if (n.pitch >= (selected ? kHighestPitch : 17) || n.pitch < 0) return false;
            ++n.pitch;
            return true;
        case Step::LowerPitch:  // the rest code 169 is past every bound
            if (n.pitch < 1 || n.pitch > 25) return false;
            --n.pitch;
            return true;
        case Step::LongerDuration:
            if (n.length >= 5) return false;
            ++n.length;
            return true;
        case Step::ShorterDuration:
            if (n.length < 1) return false;
            --n.length;
            return true;
        case Step::IncreaseVolume:
            if (n.velocity >= (selected ? 123 : 122)) return false;
            n.velocity += 5;
            return true;
        case Step::DecreaseVolume:
            if (n.velocity < 6) return false;
            n.velocity -= 5;
            return true;
    }
    return false;
}

bool changesVolume(Step kind) {
    return kind == Step::IncreaseVolume || kind == Step::DecreaseVolume;
}

void stepNote(Composition& c, int t, int i, Step kind, bool selected, CommandResult& result) {
    Note n = c.note(t, i);
    if (!applyStep(kind, selected, n)) return;
    c.setNote(t, i, n);
    (changesVolume(kind) ? result.velocityLabels : result.glyphs).push_back({t, i});
}

struct Ramp {
    int first;  // first selected column
    int last;
    int step;  // velocity change per column
    int reference;
};

// Every selected column of a track, whether or not a note exists there.
template <typename VelocityAt>
CommandResult writeRamp(Composition& c, EditState& e, VelocityAt velocityAt) {
    CommandResult result;
    if (!e.SelActive) return result;
    const int first = std::max(e.SelStart, 0);
    const int last = std::min(e.SelEnd, kVisibleColumns - 1);
    if (last <= first) {
        result.refused = Refusal::FadeNeedsTwoColumns;
        return result;
    }
    for (int t = std::max(e.SelTrackFrom, 0); t <= std::min(e.SelTrackTo, kTrackCount - 1); ++t) {
        const int reference = c.NoteVelocity[t][std::min(e.indexOfColumn(first), kMaxNoteIndex)];
        const Ramp ramp{first, last, static_cast<int>(divideRoundHalfEven(reference, last - first)),
                        reference};
        for (int col = first; col <= last; ++col) {
            const int i = e.indexOfColumn(col);
            if (!isNoteSlot(i)) break;
            c.NoteVelocity[t][i] = static_cast<uint8_t>(std::clamp(velocityAt(ramp, col), 0, 127));
        }
    }
    c.Modified = true;
    e.clearSelection();
    result.staff = result.selection = true;
    return result;
}

}  // namespace

CommandResult step(Composition& c, const EditState& e, Step kind) {
    CommandResult result;
    c.Modified = true;
    if (!e.SelActive) {
        if (kind == Step::LongerDuration || kind == Step::ShorterDuration) return result;
        const int t = e.ActiveTrack;
        if (c.NoteCount[t] > 0) stepNote(c, t, c.NoteCount[t] - 1, kind, false, result);
        return result;
    }
    for (int t = std::max(e.SelTrackFrom, 0); t <= std::min(e.SelTrackTo, kTrackCount - 1); ++t)
        for (int col = std::max(e.SelStart, 0); col <= std::min(e.SelEnd, kVisibleColumns - 1);
             ++col) {
            const int i = e.indexOfColumn(col);
            if (i < c.NoteCount[t]) stepNote(c, t, i, kind, true, result);
        }
    return result;
}

CommandResult fadeIn(Composition& c, EditState& e) {
    return writeRamp(c, e, [](const Ramp& r, int col) { return (col - r.first) * r.step; });
}

CommandResult fadeOut(Composition& c, EditState& e) {
    return writeRamp(c, e, [](const Ramp& r, int col) {
        return std::max(r.reference - (col - r.first) * r.step, 0);
    });
}

}  // namespace qn::modify
