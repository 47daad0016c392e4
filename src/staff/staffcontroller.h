#pragma once

// Everything the staff decides, without widgets: the 81 glyph slots, the
// lyric row, the note number, the sheet slider, the selection rectangle and
// the state of the scroll buttons, the thumb drag and the mouse. The scene
// layer forwards events here and shows what takeChanges() reports.
//
// Works on the window's composition and editing state; called on the UI thread.
// Positions are client twips unless a name says otherwise.

#include <array>
#include <bitset>
#include <span>
#include <string>

#include "glyphstate.h"
#include "model/commandresult.h"
#include "model/composition.h"
#include "model/editstate.h"
#include "staffgeometry.h"

namespace qn::staff {

// What changed on the display (and in the model) since the last takeChanges().
struct StaffChanges {
    std::bitset<kGlyphSlots> glyphs;
    bool lyrics = false;
    bool noteNumber = false;
    bool thumb = false;
    bool band = false;
    bool guideLines = false;
    bool clefs = false;
    bool octaveLabels = false;
    bool composition = false;        // notes, lyrics, division or clef changed
    bool backgroundMouseUp = false;  // a mouse-up on the staff background happened
};

// The selection rectangle: a fixed corner (start) and a moving one (end).
struct BandRectangle {
    int startX = 0;
    int startY = 0;
    int endX = 0;
    int endY = 0;
    bool visible = false;
};

class StaffController {
  public:
    StaffController(Composition& composition, EditState& edit);

    const GlyphState& glyph(int slot) const { return m_glyphs[slot]; }
    std::span<const GlyphState> glyphs() const { return m_glyphs; }
    const std::string& lyricText(int box) const { return m_lyrics[box]; }
    const std::string& noteNumberText() const { return m_noteNumber; }
    ThumbGeometry thumb() const { return m_thumb; }
    const BandRectangle& band() const { return m_band; }
    bool guideLinesVisible() const { return m_guideLines; }
    bool bassClefShown() const { return m_bassClefShown; }
    const std::string& octaveLabel(int track) const { return m_octaveLabels[track]; }
    StaffChanges takeChanges();

    // Redraw and selection display.
    void RedrawStaff();
    void UpdateSlider();
    void ShowSelection();
    void ClearSelectionDisplay();
    void DrawNoteGlyph(int slot, int pitch, int length, int velocity);
    // Redraws what a command reports; notes outside the visible columns are skipped.
    void apply(const CommandResult& result);

    // Scroll buttons: a click steps once; while a button is held, every tick of
    // the 10 ms repeat timer steps once more.
    void stepBack();
    void stepForward();
    void setScrollBackHeld(bool held) { m_scrollBackHeld = held; }
    void setScrollForwardHeld(bool held) { m_scrollForwardHeld = held; }
    bool scrollButtonHeld() const { return m_scrollBackHeld || m_scrollForwardHeld; }
    void scrollTimerTick();

    // Thumb drag, pointer x in client twips.
    void thumbDown(double x);
    void thumbMove(double x);
    void thumbUp() { m_sliderDragging = false; }
    bool thumbDragging() const { return m_sliderDragging; }

    // Controls on the staff.
    void trackLabelClick(int track);
    void velocityLabelClick(int slot);
    void noteVolumeChanged(int value);
    void divisionChanged(int value);
    void BassClef_Click();
    // Shows the bass clef or the treble clef on track 1; turning the bass clef
    // on also lowers track 1's octave label as the menu item does.
    void setBassClef(bool on);
    void setExpandedScale(bool on);
    void setOctaveLabel(int track, std::string text);
    // A lyric box lost the focus with this text.
    void lyricEdited(int box, const std::string& text);
    // Text typed into a box of the lyric row as it was last shown, stored
    // before anything redraws the row (which may already have been scrolled).
    void lyricTyped(int box, const std::string& text);

    // Mouse on the staff background.
    void mouseDown(double x, double y);
    void mouseMove(double x, double y, bool leftButton);
    void mouseUp(double x, double y);
    void bandTrackerTick();
    bool bandTrackerRunning() const { return m_bandTracking; }
    bool noteDragActive() const { return m_noteDragActive; }
    int hitGlyph() const { return m_hitGlyph; }
    bool bandMoved() const { return m_bandMoved; }

  private:
    GlyphState& editGlyph(int slot);
    void colourSlot(int slot, GlyphColour colour);
    void colourAll(GlyphColour colour);
    void hideBand();
    void showLyrics();
    void storeLyric(int box, int index, const std::string& text);
    void drawNote(int track, int index);
    void showBassClef(bool on);
    void noteDragMove(double y);
    void noteDrop(double y);
    void bandRelease();

    Composition& m_composition;
    EditState& m_edit;

    std::array<GlyphState, kGlyphSlots> m_glyphs;
    std::array<std::string, kColumns> m_lyrics;
    int m_lyricRowStart = 0;  // note index of lyric box 0 when the row was last shown
    std::string m_noteNumber;
    ThumbGeometry m_thumb;
    BandRectangle m_band;
    bool m_guideLines = false;
    bool m_bassClefShown = false;
    std::array<std::string, kStaffCount> m_octaveLabels;
    StaffChanges m_changes;

    bool m_scrollBackHeld = false;
    bool m_scrollForwardHeld = false;
    bool m_sliderDragging = false;
    double m_sliderGrabOffset = 0;  // pointer x minus thumb left at the start of a drag

    int m_hitGlyph = -1;
    bool m_noteDragActive = false;
    bool m_bandMoved = false;
    bool m_bandTracking = false;
    double m_pointerX = 0;  // last pointer position seen, for the band tracker
    double m_pointerY = 0;
};

}  // namespace qn::staff
