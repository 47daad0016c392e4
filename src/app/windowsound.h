#pragma once

// The main window's sound: the synthesiser engine, the play commands and
// their clock, the karaoke window, the piano and the effects applied before
// every play and preview. It shows what playback and the piano decide on the
// window's items. UI thread only.

#include <QObject>
#include <functional>
#include <memory>

#include "model/composition.h"
#include "model/editstate.h"
#include "sound/audioengine.h"
#include "sound/playback/piano.h"
#include "sound/playback/pianolights.h"
#include "sound/playback/playback.h"
#include "sound/playback/playbackclock.h"
#include "sound/playback/playbackdisplay.h"

class QGraphicsRectItem;

namespace qn {

class ClockTimer;
class Dialogs;
class EffectsDialogValues;
class KaraokeWindow;
class PianoKeys;
class StaffScene;
namespace staff {
class LabelItem;
}

// The window's items that playback and the piano show their state on.
struct SoundWidgets {
    StaffScene* staff = nullptr;
    PianoKeys* keys = nullptr;
    QGraphicsRectItem* StopBox = nullptr;
    QGraphicsRectItem* PauseBar[2] = {};
    staff::LabelItem* TimeDisplay = nullptr;
    staff::LabelItem* NoteNumDisplay = nullptr;
    QWidget* window = nullptr;  // parent of the karaoke window
};

class WindowSound : public QObject, private PlaybackDisplay, private PianoDisplay {
    Q_OBJECT
  public:
    WindowSound(Composition& composition, EditState& edit, std::unique_ptr<AudioEngine> engine,
                SoundWidgets widgets, EffectsDialogValues& effects, Dialogs& dialogs,
                QObject* parent = nullptr);
    ~WindowSound() override;

    AudioEngine& engine() { return *m_engine; }
    Playback& playback() { return m_playback; }
    Piano& piano() { return m_piano; }
    KaraokeWindow& karaoke();
    PianoLights& lights() { return m_lights; }
    bool clockRunning() const;

    // Hooks of the piano that belong to the window.
    void setRecordMode(std::function<bool()> recordMode);
    void setTeachModeHandler(std::function<void(bool)> handler);
    // The flags the clock follows; the settings store them.
    void setModes(bool karaoke, bool playerPiano, bool teach);

    // Applies the switched-on effects to what the engine plays: "No buffer"
    // when nothing is loaded, "FX error" when a value is not a number or out of
    // range (the sound then plays without effects).
    bool FX();

    // Shutdown: stops a running playback and releases the synthesiser.
    void release();

  private:
    // PlaybackDisplay
    void setStopBoxColor(uint32_t color) override;
    void setPauseBarsColor(uint32_t color) override;
    void startClockTimer() override;
    void stopClockTimer() override;
    bool clockTimerRunning() const override;
    void showCritical(const std::string& title, const std::string& text) override;
    void apply(const DisplayChanges& changes) override;

    // PianoDisplay
    void DrawNoteGlyph(int slot, int pitch, int length, int velocity) override;
    void RedrawStaff() override;
    void UpdateSlider() override;
    void ClearSelectionDisplay() override;
    int noteVolume() const override;
    void setKeyColor(int k, uint32_t rgb) override;

    void placeKaraoke();

    Composition& m_composition;
    SoundWidgets m_widgets;
    EffectsDialogValues& m_effects;
    Dialogs& m_dialogs;
    std::unique_ptr<AudioEngine> m_engine;
    PianoLights m_lights;
    Playback m_playback;
    PlaybackClock m_clock;
    ClockTimer* m_clockTimer = nullptr;
    KaraokeWindow* m_karaoke = nullptr;
    bool m_karaokePlaced = false;
    Piano m_piano;
};

}  // namespace qn
