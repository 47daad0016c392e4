#pragma once

// The staff area of the main window: puts the staves, glyph slots, lyric row,
// scroll bar, selection rectangle and the two sliders into the client scene
// (twips) and keeps them showing what the staff controller decided. The
// window calls the entry points below after its commands; user input on the
// staff's own items and on the scene background arrives here directly.
//
// UI thread only. The items belong to the scene; destroying a StaffScene
// removes them while the scene lives.

#include <QColor>
#include <QObject>
#include <QPointF>
#include <QPointer>

#include "model/commandresult.h"
#include "model/composition.h"
#include "model/editstate.h"
#include "staffcontroller.h"
#include "staffitems.h"

class QGraphicsScene;
class QTimer;

namespace qn {

class StaffScene : public QObject {
    Q_OBJECT
  public:
    // Parented to the scene unless a parent is given. When `scene` is a
    // ClientScene, its background mouse signals are connected here.
    StaffScene(QGraphicsScene& scene, Composition& composition, EditState& edit,
               QObject* parent = nullptr);
    ~StaffScene() override;

    staff::StaffController& controller() { return m_controller; }
    const staff::StaffItems& items() const { return m_items; }

    // Stores a lyric typed into a box that still has the focus, as leaving the
    // box would; every operation of the staff does so first.
    void storeTypedLyrics();

    void RedrawStaff();
    void UpdateSlider();
    void ShowSelection();
    void ClearSelectionDisplay();
    // Redraws the glyphs, velocity labels, whole staff and selection colours a
    // command reports.
    void apply(const CommandResult& result);
    // One note entered from the piano.
    void drawGlyph(int slot, int pitch, int length, int velocity);

    void trackLabelClick(int track);
    void BassClef_Click();
    void setBassClef(bool on);
    void setExpandedScale(bool on);
    void setInstrumentLabel(int track, const QString& text, const QString& toolTip);
    void setOctaveLabel(int track, const QString& text);
    QString octaveLabel(int track) const;
    // The setters show a value without running the slider's change handling.
    void setDivisionSlider(int value);
    void setNoteVolumeSlider(int value);
    int noteVolume() const;
    void setLyricBackground(int box, const QColor& colour);

  public slots:
    // The mouse on the scene background, positions in client twips.
    void backgroundMousePress(QPointF pos, Qt::MouseButton button);
    void backgroundMouseMove(QPointF pos, Qt::MouseButtons buttons);
    void backgroundMouseRelease(QPointF pos, Qt::MouseButton button);

  signals:
    void instrumentLabelClicked(int track);
    void octaveLabelClicked(int track);
    void activeTrackChanged(int track);
    // A mouse-up on the staff background ended a note drag or a rectangle;
    // it also ends a paused playback.
    void backgroundMouseUp();
    void backgroundClicked();
    // The composition or the selection changed through the staff.
    void compositionEdited();

  private:
    struct Watched {
        int activeTrack;
        bool selActive;
        int selTrackFrom;
        int selTrackTo;
        int selStart;
        int selEnd;
        bool operator==(const Watched&) const = default;
    };
    Watched watched() const;

    // Runs a controller operation, shows its changes and reports them.
    template <typename Operation>
    void run(Operation&& operation);
    void show(const staff::StaffChanges& changes);
    void showGlyph(int slot);
    void showBand();
    void showTrackLabels();
    void connectItems();
    void storeLyric(int box);
    void commitTypedLyrics();

    QPointer<QGraphicsScene> m_scene;
    EditState& m_edit;
    staff::StaffController m_controller;
    staff::StaffItems m_items;
    QTimer* m_scrollTimer = nullptr;  // 10 ms scroll auto-repeat
    QTimer* m_bandTimer = nullptr;    // 100 ms selection rectangle tracker
};

}  // namespace qn
