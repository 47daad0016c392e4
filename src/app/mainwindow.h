#pragma once

// The main window: menus, toolbar and the client area with the four staves,
// the piano, the duration palette and the controls. Owns the composition and
// the editing state and runs every command.

#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "command.h"
#include "dialogs.h"
#include "effectsform.h"
#include "model/commandresult.h"
#include "model/composition.h"
#include "model/editstate.h"
#include "settings.h"
#include "sound/audioengine.h"

class QComboBox;
class QGraphicsItem;
class QGraphicsEllipseItem;
class QGraphicsRectItem;
class QGraphicsScene;
class QLabel;
class QSettings;
class QSlider;

namespace qn {

namespace print {
class PrintCommands;
}

class ClientScene;
class ClientView;
class CommandMap;
class DurationPalette;
class PianoKeys;
class FXform;
class StaffScene;
class WindowSound;

// The synthesiser, or why there is none; `status` says when it plays silently.
struct EngineStart {
    std::unique_ptr<AudioEngine> engine;
    QString error;
    QString status;
};

struct StartOptions {
    QString commandLine;            // a file to open, quoted or not; may be empty
    QString executablePath;         // for the .msf association
    QSettings* settings = nullptr;  // where the settings live; the user's own when null
    std::function<QString(const QString& executable)> registerAssociation;  // null: the real one
    std::function<EngineStart()> startEngine;  // null: the real synthesiser
};

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(StartOptions options, std::unique_ptr<Dialogs> dialogs = {});
    ~MainWindow() override;

    // Runs the start-up sequence: the synthesiser, settings, the window shown,
    // the model cleared, the command-line file opened. False when the
    // synthesiser could not start: the program then ends.
    bool start();

    void run(Command command);
    void Toolbar_Click(int index);

    Composition& composition() { return *m_composition; }
    EditState& editState() { return m_edit; }
    StaffScene& staff() { return *m_staff; }
    WindowSound& sound() { return *m_sound; }
    EffectsForm& effectsForm() { return m_effectsForm; }
    FXform* effectsDialog() const { return m_fxForm; }
    CommandMap& commands() { return *m_commands; }
    Dialogs& dialogs() { return *m_dialogs; }
    const Settings& settings() const { return m_settings; }
    bool recordMode() const { return m_recordMode; }
    bool expandedScale() const { return m_expandedScale; }
    int listInstrument() const { return m_listInstrument; }
    QComboBox* instrumentCombo() const { return m_List4; }
    QSlider* masterVolumeSlider() const { return m_Volslider; }

    // File commands.
    void New_Click();
    void Open_Click();
    void Save_Click();
    void SaveMidi_Click();

    // The instrument label of track t takes the instrument chosen in the combo box.
    void InstLabel_Click(int t);
    // Duration palette picture k.
    void Picture2_Click(int k);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    // A lyric box has the keyboard focus.
    bool typingLyric() const;
    void buildClientArea();
    void applyBackground();
    void showDocumentTitle();
    void showCompositionSettings();  // labels, check marks and sliders after Open
    void applyResult(const CommandResult& result);
    void setInstrumentLabel(int t, const QString& toolTip);
    void toggleRecord();
    void toggleExpandedScale();
    void toggleBassClef();
    bool InitMusic();
    void connectSound();
    void setMode(Command on, Command off, bool enabled);
    void toggleEffect(Command item, int effect);
    void SetupFX();
    void PlayMIDI_Click();
    print::PrintCommands& printing();
    void ShutDown();

    StartOptions m_options;
    std::unique_ptr<Dialogs> m_dialogs;
    std::unique_ptr<QSettings> m_ownSettings;
    QSettings* m_store = nullptr;
    Settings m_settings;

    std::unique_ptr<Composition> m_composition;
    EffectsForm m_effectsForm;
    EditState m_edit;
    bool m_recordMode = true;
    bool m_expandedScale = false;
    int m_listInstrument = 0;
    QString m_startupFile;
    bool m_shutDown = false;

    ClientScene* m_scene = nullptr;
    ClientView* m_view = nullptr;
    StaffScene* m_staff = nullptr;
    CommandMap* m_commands = nullptr;
    PianoKeys* m_piano = nullptr;
    WindowSound* m_sound = nullptr;
    FXform* m_fxForm = nullptr;
    print::PrintCommands* m_print = nullptr;
    DurationPalette* m_palette = nullptr;
    QComboBox* m_List4 = nullptr;
    QGraphicsEllipseItem* m_RecButt = nullptr;
    QGraphicsRectItem* m_StopBox = nullptr;
    QGraphicsRectItem* m_PauseBar[2] = {};
    QLabel* m_TimeDisplay = nullptr;
    QLabel* m_NoteNumDisplay = nullptr;
    QSlider* m_Volslider = nullptr;
    QGraphicsItem* m_backgroundPicture = nullptr;
};

}  // namespace qn
