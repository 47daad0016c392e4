#include "staffcontroller.h"

#include <algorithm>
#include <sstream>
#include <utility>

#include "model/numbertext.h"
#include "staffhittest.h"

namespace qn::staff {

namespace {

constexpr int kLastVisibleScroll = 15;  // forward scrolling stops with the song's end in column 15
constexpr int kSmallBand = 30;          // rectangles smaller than this (twips) select nothing

int rounded(double twips) {
    return static_cast<int>(roundHalfEven(twips));
}

}  // namespace

StaffController::StaffController(Composition& composition, EditState& edit)
    : m_composition(composition),
      m_edit(edit),
      m_lyricRowStart(edit.ScrollPos),
      m_bassClefShown(composition.BassClef) {
    for (int g = 0; g < kGlyphSlots; ++g)
        m_glyphs[g] = initialGlyphState(screenGlyphLayout(), g);
    m_changes.glyphs.set();
    m_changes.lyrics = m_changes.noteNumber = m_changes.thumb = m_changes.band = true;
    m_changes.guideLines = m_changes.clefs = m_changes.octaveLabels = true;
}

StaffChanges StaffController::takeChanges() {
    return std::exchange(m_changes, StaffChanges{});
}

GlyphState& StaffController::editGlyph(int slot) {
    m_changes.glyphs.set(slot);
    return m_glyphs[slot];
}

void StaffController::colourSlot(int slot, GlyphColour colour) {
    if (m_glyphs[slot].colour != colour) editGlyph(slot).colour = colour;
}

void StaffController::colourAll(GlyphColour colour) {
    for (int g = 0; g < kGlyphSlots; ++g)
        colourSlot(g, colour);
}

void StaffController::hideBand() {
    if (!m_band.visible) return;
    m_band.visible = false;
    m_changes.band = true;
}

// ---- Redraw and selection display ----

void StaffController::RedrawStaff() {
    ClearSelectionDisplay();
    for (int g = 0; g < kStaffSlots; ++g)
        hideGlyph(editGlyph(g));
    showLyrics();
    m_noteNumber = std::to_string(m_edit.ScrollPos + 1);
    m_changes.noteNumber = true;
    for (int t = 0; t < kTrackCount; ++t) {
        if (m_composition.NoteCount[t] <= m_edit.ScrollPos) continue;
        for (int c = 0; c < kColumns; ++c) {
            const int i = m_edit.ScrollPos + c;
            if (i < m_composition.NoteCount[t]) drawNote(t, i);
        }
    }
    UpdateSlider();
}

void StaffController::showLyrics() {
    m_lyricRowStart = m_edit.ScrollPos;
    for (int c = 0; c < kColumns; ++c) {
        const int i = m_edit.ScrollPos + c;
        const std::string& text = isNoteSlot(i) ? m_composition.Lyrics[i] : std::string();
        if (m_lyrics[c] == text) continue;
        m_lyrics[c] = text;
        m_changes.lyrics = true;
    }
}

void StaffController::drawNote(int track, int index) {
    const Note n = m_composition.note(track, index);
    DrawNoteGlyph(slotOf(track, index - m_edit.ScrollPos), n.pitch, n.length, n.velocity);
}

void StaffController::UpdateSlider() {
    m_composition.ComputeSongLength();
    m_thumb = thumbGeometry(m_composition.SongLength, m_edit.ScrollPos);
    m_changes.thumb = true;
}

void StaffController::ShowSelection() {
    const int firstTrack = std::max(m_edit.SelTrackFrom, 0);
    const int lastTrack = std::min(m_edit.SelTrackTo, kStaffCount - 1);
    const int firstColumn = std::max(m_edit.SelStart, 0);
    const int lastColumn = std::min(m_edit.SelEnd, kColumns - 1);
    for (int t = firstTrack; t <= lastTrack; ++t)
        for (int c = firstColumn; c <= lastColumn; ++c)
            colourSlot(slotOf(t, c), GlyphColour::Red);
    m_edit.showSelection();
}

void StaffController::ClearSelectionDisplay() {
    colourAll(GlyphColour::Black);
    hideBand();
    m_edit.clearSelection();
}

void StaffController::DrawNoteGlyph(int slot, int pitch, int length, int velocity) {
    if (slot < 0 || slot >= kGlyphSlots) return;
    staff::DrawNoteGlyph(editGlyph(slot), screenGlyphLayout(), slot, pitch, length, velocity);
}

void StaffController::apply(const CommandResult& result) {
    if (result.staff) {
        RedrawStaff();
        return;
    }
    const auto visibleColumn = [this](const NoteRef& ref) {
        const int c = ref.index - m_edit.ScrollPos;
        const bool shown = isTrack(ref.track) && c >= 0 && c < kColumns &&
                           ref.index < m_composition.NoteCount[ref.track];
        return shown ? c : -1;
    };
    for (const NoteRef& ref : result.glyphs)
        if (visibleColumn(ref) >= 0) drawNote(ref.track, ref.index);
    for (const NoteRef& ref : result.velocityLabels) {
        const int c = visibleColumn(ref);
        if (c < 0) continue;
        editGlyph(slotOf(ref.track, c)).velocityText =
            std::to_string(m_composition.NoteVelocity[ref.track][ref.index]);
    }
    if (result.selection) {
        // Recolour for the selection the command left, keeping its columns.
        colourAll(GlyphColour::Black);
        hideBand();
        m_bandMoved = false;
        if (m_edit.SelActive) ShowSelection();
    }
}

// ---- Scrolling ----

void StaffController::stepBack() {
    if (m_edit.ScrollPos <= 0) return;
    --m_edit.ScrollPos;
    RedrawStaff();
}

void StaffController::stepForward() {
    m_composition.ComputeSongLength();
    if (m_composition.SongLength <= m_edit.ScrollPos + kLastVisibleScroll) return;
    ++m_edit.ScrollPos;
    RedrawStaff();
}

void StaffController::scrollTimerTick() {
    if (m_scrollBackHeld) stepBack();
    if (m_scrollForwardHeld) stepForward();
}

void StaffController::thumbDown(double x) {
    m_sliderGrabOffset = x - m_thumb.left;
    m_sliderDragging = true;
    m_composition.ComputeSongLength();
}

void StaffController::thumbMove(double x) {
    if (!m_sliderDragging) return;
    if (x >= kThumbDragRight) return;
    // Pulled past the trough's start the thumb stays there, at the first note:
    // on a long song no pointer position lands on it otherwise.
    const double left = std::max(x - m_sliderGrabOffset, static_cast<double>(kTroughX));
    m_thumb.left = left;
    m_changes.thumb = true;
    m_edit.ScrollPos = thumbDragScrollPos(left, m_composition.SongLength);
    RedrawStaff();
}

// ---- Controls on the staff ----

void StaffController::trackLabelClick(int track) {
    if (!isTrack(track)) return;
    m_edit.ActiveTrack = track;
    if (m_composition.NoteCount[track] < m_edit.ScrollPos) {
        m_edit.ScrollPos = std::max(m_composition.NoteCount[track] - 1, 0);
        RedrawStaff();
    }
}

void StaffController::velocityLabelClick(int slot) {
    if (slot < 0 || slot >= kStaffSlots) return;
    const int t = slot / kColumns;
    const int i = m_edit.ScrollPos + slot - kColumns * t;
    // Columns past the track's end show no note, so their empty labels take no click.
    if (i >= m_composition.NoteCount[t] || isRest(m_composition.NotePitch[t][i])) return;
    const int velocity = m_edit.DefaultVelocity;
    editGlyph(slot).velocityText = std::to_string(velocity);
    m_composition.NoteVelocity[t][i] = static_cast<uint8_t>(velocity);
    m_composition.Modified = true;
    m_changes.composition = true;
}

void StaffController::noteVolumeChanged(int value) {
    m_edit.DefaultVelocity = value;
    if (m_edit.SelActive) {
        for (int t = std::max(m_edit.SelTrackFrom, 0);
             t <= std::min(m_edit.SelTrackTo, kStaffCount - 1); ++t) {
            for (int c = std::max(m_edit.SelStart, 0); c <= std::min(m_edit.SelEnd, kColumns - 1);
                 ++c) {
                const int i = m_edit.ScrollPos + c;
                if (isNoteSlot(i)) m_composition.NoteVelocity[t][i] = static_cast<uint8_t>(value);
            }
        }
        RedrawStaff();
        m_composition.Modified = true;
        m_changes.composition = true;
    }
}

void StaffController::divisionChanged(int value) {
    m_composition.Division = value;
    m_changes.composition = true;
}

void StaffController::BassClef_Click() {
    showBassClef(!m_composition.BassClef);
}

void StaffController::setBassClef(bool on) {
    if (on != m_bassClefShown) showBassClef(on);
    m_composition.BassClef = on;
}

void StaffController::showBassClef(bool on) {
    m_composition.BassClef = on;
    m_bassClefShown = on;
    m_changes.clefs = m_changes.composition = true;
    if (!on) return;
    // The second staff reads two octaves lower under a bass clef; only its label says so.
    const double octave = leadingNumber(m_octaveLabels[0]);
    if (octave > 3) {
        std::ostringstream text;
        text << octave - 2;
        m_octaveLabels[1] = text.str();
        m_changes.octaveLabels = true;
    }
}

void StaffController::setExpandedScale(bool on) {
    m_guideLines = on;
    m_changes.guideLines = true;
}

void StaffController::setOctaveLabel(int track, std::string text) {
    if (!isTrack(track)) return;
    m_octaveLabels[track] = std::move(text);
    m_changes.octaveLabels = true;
}

void StaffController::lyricEdited(int box, const std::string& text) {
    storeLyric(box, m_edit.ScrollPos + box, text);
}

void StaffController::lyricTyped(int box, const std::string& text) {
    storeLyric(box, m_lyricRowStart + box, text);
}

void StaffController::storeLyric(int box, int i, const std::string& text) {
    if (box < 0 || box >= kColumns) return;
    m_lyrics[box] = text;
    if (!isNoteSlot(i) || m_composition.Lyrics[i] == text) return;
    m_composition.Lyrics[i] = text;
    // Lyrics are saved with the notes: leaving without saving them must ask first.
    m_composition.Modified = true;
    m_changes.composition = true;
}

// ---- Mouse on the background ----

void StaffController::mouseDown(double x, double y) {
    m_bandMoved = false;
    m_pointerX = x;
    m_pointerY = y;
    const double xPx = x / kTwipsPerPixel;
    const double yPx = y / kTwipsPerPixel;

    const int hit = hitTestHeads(m_glyphs, xPx, yPx);
    if (hit != kNoSlot) {
        m_noteDragActive = true;
        m_hitGlyph = hit;
    }
    if (const int track = trackAtPointer(yPx); track != kNoTrack) m_edit.ActiveTrack = track;
    if (hit != kNoSlot) m_edit.ActiveTrack = hit / kColumns;

    ClearSelectionDisplay();
    trackLabelClick(m_edit.ActiveTrack);

    if (hit != kNoSlot) {
        m_edit.SelTrackFrom = m_edit.SelTrackTo = m_edit.ActiveTrack;
        m_edit.SelStart = m_edit.SelEnd = hit % kColumns;
        ShowSelection();
        return;
    }
    m_band = {rounded(x), rounded(y), rounded(x), rounded(y), true};
    m_changes.band = true;
    m_bandTracking = true;
}

void StaffController::mouseMove(double x, double y, bool leftButton) {
    m_pointerX = x;
    m_pointerY = y;
    if (m_noteDragActive)
        noteDragMove(y);
    else if (leftButton)
        m_bandMoved = true;
}

void StaffController::noteDragMove(double y) {
    const TwipRange clamp = kDragClamp[m_edit.ActiveTrack];
    dragHead(editGlyph(m_hitGlyph), std::clamp(rounded(y), clamp.low, clamp.high));
}

void StaffController::bandTrackerTick() {
    if (!m_bandTracking) return;
    m_band.endX = rounded(m_pointerX);
    m_band.endY = rounded(m_pointerY);
    m_changes.band = true;
}

void StaffController::mouseUp(double /*x*/, double y) {
    m_bandTracking = false;
    m_changes.backgroundMouseUp = true;
    if (m_noteDragActive) {
        noteDrop(y);
        m_noteDragActive = false;
        return;
    }
    bandRelease();
}

void StaffController::noteDrop(double y) {
    const int t = m_edit.ActiveTrack;
    const int i = m_edit.ScrollPos + m_hitGlyph - kColumns * t;
    const int pitch = dropPitch(t, y);
    if (isNoteSlot(i)) m_composition.NotePitch[t][i] = static_cast<int16_t>(pitch);
    const Note n = m_composition.note(t, i);
    DrawNoteGlyph(m_hitGlyph, pitch, n.length, n.velocity);
    m_composition.Modified = true;
    m_changes.composition = true;
}

void StaffController::bandRelease() {
    m_edit.SelActive = false;
    if (!m_bandMoved) return;  // the rectangle's lines stay until the next clear
    hideBand();
    m_bandMoved = false;
    const BandRectangle& b = m_band;
    if (b.endX - b.startX < kSmallBand && b.endY - b.startY < kSmallBand) return;

    const int from = bandTrack(b.startY);
    if (from != kNoTrack) m_edit.ActiveTrack = from;
    m_edit.SelTrackFrom = from;
    m_edit.SelTrackTo = bandTrack(b.endY);
    if (from == kNoTrack || m_edit.SelTrackTo == kNoTrack) return;

    const ColumnRange columns = bandColumns(b.startX, b.endX);
    m_edit.SelStart = columns.start;
    m_edit.SelEnd = columns.end;
    if (columns.start != kNoColumn && columns.end != kNoColumn && columns.start <= columns.end)
        ShowSelection();
}

}  // namespace qn::staff
