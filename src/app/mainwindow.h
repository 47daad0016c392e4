#pragma once

// The main window: menus, toolbar and the client area with the four staves,
// the piano, the duration palette and the controls. It builds the window and
// dispatches every command; the document workflow lives in DocumentSession.

#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <future>
#include <memory>

#include "command.h"
#include "dialogs.h"
#include "documentsession.h"
#include "effectsdialogvalues.h"
#include "midiinputdevice.h"
#include "model/commandresult.h"
#include "model/composition.h"
#include "model/editstate.h"
#include "sound/audioengine.h"

class QComboBox;
class QGraphicsItem;
class QGraphicsEllipseItem;
class QGraphicsRectItem;
class QGraphicsScene;
class QSlider;

namespace qn {

namespace print {
class PrintCommands;
}
namespace staff {
class LabelItem;
}

class AudioExporter;
class ClientScene;
class ClientView;
class CommandMap;
class DurationPalette;
class HelpWindow;
class InstrumentDialog;
class MidiInput;
class OctaveDialog;
class OptionsDialog;
class PianoKeys;
class EffectsDialog;
class StaffScene;
class SynthEngine;
class WindowSound;

// The synthesiser, or why there is none.
struct EngineStart {
    std::unique_ptr<AudioEngine> engine;
    QString error;
};

struct StartOptions : SessionOptions {
    std::function<EngineStart()> startEngine;  // null: the real synthesiser
    // The MIDI keyboard's input, null when there is none. Unset: the system's.
    std::function<std::unique_ptr<MidiInputDevice>()> midiInput;
};

class MainWindow : public QMainWindow, private DocumentView {
    Q_OBJECT
  public:
    MainWindow(StartOptions options, std::unique_ptr<Dialogs> dialogs = {});
    ~MainWindow() override;

    // Runs the start-up sequence: the synthesiser, settings, the window shown,
    // the model cleared, the command-line file opened. False when the
    // synthesiser could not start: the program then ends.
    bool start();

    // Runs a command as one undo step named after its menu item.
    void run(Command command);
    void Toolbar_Click(int index);

    DocumentSession& session() { return m_session; }
    Composition& composition() { return m_session.composition(); }
    EditState& editState() { return m_session.editState(); }
    StaffScene& staff() { return *m_staff; }
    WindowSound& sound() { return *m_sound; }
    EffectsDialogValues& effectValues() { return m_effectValues; }
    EffectsDialog* effectsDialog() const { return m_effectsDialog; }
    CommandMap& commands() { return *m_commands; }
    Dialogs& dialogs() { return *m_dialogs; }
    const Settings& settings() { return m_session.settings(); }
    bool recordMode() const { return m_recordMode; }
    bool expandedScale() const { return m_expandedScale; }
    int listInstrument() const { return m_listInstrument; }
    QComboBox* instrumentCombo() const { return m_instrumentCombo; }
    QSlider* masterVolumeSlider() const { return m_masterVolume; }
    OptionsDialog* optionsDialog() const { return m_optionsDialog; }
    InstrumentDialog* instrumentDialog() const { return m_instrumentDialog; }
    OctaveDialog* octaveDialog() const;  // while one is open
    HelpWindow* helpWindow() const { return m_helpWindow; }
    MidiInput& midiInput() { return *m_midiInput; }
    AudioExporter* audioExporter() const { return m_audioExporter; }  // after the first export

    // The instrument label of track t takes the instrument chosen in the combo box.
    void InstLabel_Click(int t);
    // The octave label of track t: the octave dialog for that track.
    void OctLabel_Click(int t);
    // Duration palette picture k: notes 0..5, 6 no glyph, 7 rest.
    void chooseDurationPicture(int k);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    // A lyric box has the keyboard focus.
    bool typingLyric() const;
    void dispatch(Command command);
    QString commandName(Command command) const;
    void buildClientArea();
    void applyBackground();
    // A carried picture's number, or Settings::kPictureFile for the picture file.
    void showBackgroundPicture(int number);
    void showBackColor();
    void OptionMenu_Click();
    void optionsClosed();
    // The font the synthesiser plays with; empty for other engines.
    QString soundFontInUse();
    void useSoundFont(const QString& path);
    void changeInstrument();
    void showHelpPage(const QString& page);
    void applyResult(const CommandResult& result);
    void setInstrumentLabel(int t, const QString& toolTip);
    void toggleRecord();
    void toggleExpandedScale();
    void toggleBassClef();
    void connectSound();
    void showSoundStartError(const QString& reason);
    void watchFirstSoundFont(SynthEngine& synth);
    void showSoundStatus();
    void setMode(Command on, Command off, bool enabled);
    void toggleEffect(Effect effect);
    void SetupFX();
    void PlayMIDI_Click();
    print::PrintCommands& printing();

    // DocumentView
    bool InitMusic() override;
    void showWindow() override;
    void showDocumentTitle() override;
    void showSettings(const Settings& settings) override;
    void showFirstValues() override;
    void showCompositionSettings() override;
    void showResult(const CommandResult& result) override;
    void storeTypedLyrics() override;
    void releaseSound() override;
    void collectModes(Settings& settings) const override;
    void showHistory(const QString& undoName, const QString& redoName) override;

    // The stored background picture, drawn on a worker thread while the window
    // is built: the number asked for and the picture.
    std::future<std::pair<int, QImage>> m_pictureAhead;
    std::function<EngineStart()> m_startEngine;
    std::unique_ptr<Dialogs> m_dialogs;
    DocumentSession m_session;
    EffectsDialogValues m_effectValues;
    bool m_recordMode = true;
    QString m_soundStatus;  // "playing silently" when no device opened, else empty
    bool m_expandedScale = false;
    int m_listInstrument = 0;
    // The instruments the track instrument dialog's boxes start with: those of the settings.
    std::array<int16_t, kTrackCount> m_startInstruments{};

    // Qt children: the scene and the widgets in it go after every member.
    ClientScene* m_scene = nullptr;
    ClientView* m_view = nullptr;
    CommandMap* m_commands = nullptr;
    PianoKeys* m_piano = nullptr;
    EffectsDialog* m_effectsDialog = nullptr;
    OptionsDialog* m_optionsDialog = nullptr;
    InstrumentDialog* m_instrumentDialog = nullptr;
    QPointer<OctaveDialog> m_octaveDialog;
    HelpWindow* m_helpWindow = nullptr;
    MidiInput* m_midiInput = nullptr;
    AudioExporter* m_audioExporter = nullptr;
    DurationPalette* m_palette = nullptr;
    QComboBox* m_instrumentCombo = nullptr;
    QGraphicsEllipseItem* m_recordIndicator = nullptr;
    QGraphicsRectItem* m_stopBox = nullptr;
    QGraphicsRectItem* m_pauseBars[2] = {};
    staff::LabelItem* m_timeDisplay = nullptr;
    staff::LabelItem* m_noteNumberDisplay = nullptr;
    QSlider* m_masterVolume = nullptr;
    QGraphicsItem* m_backgroundPicture = nullptr;

    // They refer to the session's composition and editing state, so they are
    // declared after it and go before it.
    std::unique_ptr<StaffScene> m_staff;
    std::unique_ptr<WindowSound> m_sound;
    std::unique_ptr<print::PrintCommands> m_print;
};

}  // namespace qn
