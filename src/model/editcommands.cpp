#include "editcommands.h"

#include <algorithm>
#include <cmath>

#include "insertion.h"
#include "numbertext.h"

namespace qn {

namespace {

constexpr int kLastColumn = kVisibleColumns - 1;

CommandResult staffChanged() {
    CommandResult r;
    r.staff = r.selection = true;
    return r;
}

CommandResult selectionChanged() {
    CommandResult r;
    r.selection = true;
    return r;
}

// A track number typed by the user (1 to 4) as a track index; -1 for anything else.
int trackFromAnswer(const std::string& answer) {
    const long long track = roundHalfEven(leadingNumber(answer) - 1);
    return track >= 0 && track < kTrackCount ? static_cast<int>(track) : -1;
}

}  // namespace

CommandResult PasteClip(Composition& c, EditState& e, int position, int count, int first,
                        int last) {
    first = std::max(first, 0);
    last = std::min(last, kTrackCount - 1);
    position = std::max(position, 0);
    count = std::clamp(count, 0, kClipNotes);

    // Where each track's gap will open: at the position, or at a shorter track's end.
    int gapAt[kTrackCount] = {};
    for (int t = first; t <= last; ++t)
        gapAt[t] = std::min<int>(position, c.NoteCount[t]);

    CommandResult result = Insertion(c, e, first, last, position, count);
    if (result.refused) return result;
    for (int t = first, k = 0; t <= last; ++t, ++k)
        for (int j = 0; j < count; ++j)
            c.setNote(t, gapAt[t] + j, e.clip(k, j));
    e.clearSelection();
    return result;
}

namespace edit {

CommandResult copy(const Composition& c, EditState& e) {
    if (!e.SelActive) return {};
    e.SelEnd = std::min(e.SelEnd, kLastColumn);
    const int start = std::max(e.SelStart, 0);
    e.ClipTracks = 0;
    for (int t = e.SelTrackFrom; t <= e.SelTrackTo && isTrack(t); ++t) {
        e.ClipLen = 0;
        // Read whether or not the note exists: copying past a track's end takes
        // the slots as they are.
        for (int col = start; col <= e.SelEnd; ++col)
            e.setClip(e.ClipTracks, e.ClipLen++, c.note(t, e.indexOfColumn(col)));
        ++e.ClipTracks;
    }
    return {};
}

CommandResult cut(Composition& c, EditState& e) {
    copy(c, e);
    return deleteNotes(c, e);
}

CommandResult deleteNotes(Composition& c, EditState& e) {
    c.Modified = true;
    if (!e.SelActive) {
        removeNotes(c, e.ActiveTrack, c.NoteCount[e.ActiveTrack] - 1, 1);
        e.clearSelection();
        return staffChanged();
    }
    const int n = std::min(e.SelEnd, kLastColumn) - std::max(e.SelStart, 0) + 1;
    const int from = e.indexOfColumn(std::max(e.SelStart, 0));
    if (n > 0) {
        for (int t = std::max(e.SelTrackFrom, 0); t <= std::min(e.SelTrackTo, kTrackCount - 1); ++t)
            removeNotes(c, t, from, n);
        // The lyrics move once, however many tracks lost notes.
        for (int i = from; i <= kMaxNoteIndex; ++i)
            c.Lyrics[i] = i + n <= kMaxNoteIndex ? c.Lyrics[i + n] : std::string();
    }
    e.clearSelection();
    return staffChanged();
}

CommandResult insert(Composition& c, EditState& e) {
    if (!e.SelActive) return Insertion(c, e, e.ActiveTrack, e.ActiveTrack, 0, 1);
    return Insertion(c, e, e.SelTrackFrom, e.SelTrackTo, e.indexOfColumn(e.SelStart), 1);
}

CommandResult paste(Composition& c, EditState& e) {
    if (!e.SelActive) {
        // After the active track's end, into as many tracks as were last selected.
        const int last = std::clamp(e.ActiveTrack + (e.SelTrackTo - e.SelTrackFrom), 0, 3);
        return PasteClip(c, e, c.NoteCount[e.ActiveTrack], e.ClipLen, e.ActiveTrack, last);
    }
    return PasteClip(c, e, e.indexOfColumn(std::max(e.SelStart, 0)), e.ClipLen, e.SelTrackFrom,
                     e.SelTrackTo);
}

CommandResult repeat(Composition& c, EditState& e, Questions& q) {
    const std::string answer =
        q.askText({"Repeat how many times?", "Paste Repeat", "0", std::make_pair(4000, 4000)});
    const double times = std::floor(leadingNumber(answer));
    CommandResult result;
    // Every paste but a refused or empty one adds notes, so the slots run out
    // long before this bound.
    const double bound = std::min(times, double{kNoteSlots});
    for (int i = 0; i < bound; ++i) {
        CommandResult step = paste(c, e);
        if (step.refused) {
            result.refused = step.refused;
            break;
        }
        result = step;
        if (e.ClipLen == 0) break;  // the same outcome every time
    }
    return result;
}

CommandResult selectAll(EditState& e) {
    e.SelTrackFrom = 0;
    e.SelTrackTo = kTrackCount - 1;
    e.SelStart = 0;
    e.SelEnd = kLastColumn;
    e.showSelection();
    return selectionChanged();
}

CommandResult selectTrack(const Composition& c, EditState& e) {
    e.clearSelection();
    e.SelTrackFrom = e.SelTrackTo = e.ActiveTrack;
    e.SelStart = 0;
    e.SelEnd = std::min(kLastColumn, c.NoteCount[e.ActiveTrack] - 1);
    if (e.SelStart <= e.SelEnd) e.showSelection();
    return selectionChanged();
}

CommandResult cutStart(Composition& c, EditState& e) {
    c.Modified = true;
    if (!e.SelActive) return {};
    const int s = e.indexOfColumn(std::max(e.SelStart, 0));
    for (int t = std::max(e.SelTrackFrom, 0); t <= std::min(e.SelTrackTo, kTrackCount - 1); ++t)
        removeNotes(c, t, 0, s);
    e.clearSelection();
    return staffChanged();
}

CommandResult cutEnd(Composition& c, EditState& e) {
    c.Modified = true;
    if (!e.SelActive) return {};
    e.ClipLen = 0;
    const int end = e.indexOfColumn(std::min(e.SelEnd, kLastColumn));
    for (int t = std::max(e.SelTrackFrom, 0); t <= std::min(e.SelTrackTo, kTrackCount - 1); ++t)
        if (end >= 0 && end < c.NoteCount[t]) c.NoteCount[t] = static_cast<int16_t>(end);
    e.clearSelection();
    return staffChanged();
}

CommandResult copyTrackToTrack(Composition& c, EditState& e, Questions& q) {
    e.clearSelection();
    const std::string title = "Copy Track to Track";
    const std::string first = q.askText({"Enter Source Track (1-4)", title, "1", std::nullopt});
    if (first.empty()) return selectionChanged();
    const std::string second =
        q.askText({"Enter Destination Track (1-4). CAUTION, This will "
                   "overright the destination track. Click Cancel to abort.",
                   title, "1", std::nullopt});
    const int source = trackFromAnswer(first);
    const int destination = trackFromAnswer(second);
    if (source < 0 || destination < 0) return selectionChanged();
    e.SelTrackFrom = source;
    e.SelTrackTo = destination;
    c.Modified = true;
    if (source == destination) return selectionChanged();
    // Instrument, octave and lyrics of the destination stay.
    for (int i = 0; i < c.NoteCount[source]; ++i)
        c.setNote(destination, i, c.note(source, i));
    c.NoteCount[destination] = c.NoteCount[source];
    return staffChanged();
}

CommandResult clearTrack(Composition& c, EditState& e, Questions& q) {
    const bool yes = q.askYesNo("Confirm Clear Track",
                                "Are you sure you want to erase all notes from the active track?");
    c.Modified = true;
    if (!yes) return {};
    e.ScrollPos = 0;
    c.NoteCount[e.ActiveTrack] = 0;
    e.clearSelection();
    return staffChanged();
}

CommandResult clearAll(Composition& c, EditState& e, Questions& q) {
    if (!q.askYesNo("Confirm Clear Track",
                    "Are you sure you want to erase all notes from ALL tracks?"))
        return {};
    c.ComputeSongLength();
    for (int i = 0; i <= std::min(c.SongLength, kMaxNoteIndex); ++i)
        c.Lyrics[i].assign(1, ' ');
    e.ScrollPos = 0;
    c.NoteCount.fill(0);
    c.SongLength = 0;
    c.Modified = true;
    e.clearSelection();
    return staffChanged();
}

}  // namespace edit
}  // namespace qn
