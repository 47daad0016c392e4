#pragma once

// The document workflow: New, Open, Save, Save as (karaoke) MIDI, the save-changes
// question, the program's start-up and shutdown, undo and redo, autosave and
// the recovery of unsaved work after a crash. It owns the composition, the
// editing state and the settings; the window shows them through DocumentView
// and every question goes through Dialogs, so the whole workflow runs without
// a window. UI thread only.

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "model/commandresult.h"
#include "model/composition.h"
#include "model/editstate.h"
#include "model/undostack.h"
#include "settings.h"

class QSettings;

namespace qn {

class Autosave;
class Dialogs;
struct RecoveryCopy;

struct SessionOptions {
    QString commandLine;            // a file to open, quoted or not; may be empty
    QString executablePath;         // for the .msf association
    QSettings* settings = nullptr;  // where the settings live; the user's own when null
    std::function<QString(const QString& executable)> registerAssociation;  // null: the real one
    QString recoveryFolder;  // where recovery copies live; empty: defaultRecoveryFolder()
};

// What the session asks of the window.
class DocumentView {
  public:
    virtual ~DocumentView() = default;
    // Starts the synthesiser; false when there is none (the user has been told).
    virtual bool InitMusic() = 0;
    virtual void showWindow() = 0;
    virtual void showDocumentTitle() = 0;
    // The stored settings: check marks of the modes, instrument labels, background.
    virtual void showSettings(const Settings& settings) = 0;
    // The first values of a new run: record on, sliders, octave labels, duration.
    virtual void showFirstValues() = 0;
    // After Open: effect and bass clef marks, labels, sliders.
    virtual void showCompositionSettings() = 0;
    virtual void showResult(const CommandResult& result) = 0;
    // A lyric still being typed goes into the composition.
    virtual void storeTypedLyrics() = 0;
    // Shutdown: stops playback and lets the synthesiser go.
    virtual void releaseSound() = 0;
    // The playback modes as the menus show them, for the settings.
    virtual void collectModes(Settings& settings) const = 0;
    // The Undo and Redo items: the names of the steps they would take, empty when there is none.
    virtual void showHistory(const QString& /*undoName*/, const QString& /*redoName*/) {}
};

class DocumentSession {
  public:
    DocumentSession(SessionOptions options, Dialogs& dialogs, DocumentView& view);
    ~DocumentSession();

    Composition& composition() { return *m_composition; }
    const Composition& composition() const { return *m_composition; }
    EditState& editState() { return m_edit; }
    Settings& settings() { return m_settings; }
    QSettings& store() { return *m_store; }

    // The start-up sequence: synthesiser, settings, window, a fresh composition,
    // the command-line file, the offer of work a crash left. False when the
    // synthesiser could not start.
    bool start();
    // Shutdown: the save question, then the settings are stored; true once
    // that is done. False, with everything kept, when the user answered Yes
    // and the save did not happen: the window stays open.
    bool ShutDown();

    // New, Open and the shutdown are abandoned when the save question's save
    // does not happen; New and Save say whether they went through.
    bool New_Click();
    void Open_Click();
    bool Save_Click();
    void SaveMidi_Click();
    // The MIDI file with the lyrics as lyric events, for karaoke players.
    void SaveKaraoke_Click();
    bool PromptSaveChanges();

    // Runs a command and records what it changed as one undo step called
    // `name` (nothing when it changed nothing). Commands run inside another
    // one belong to that one.
    void perform(const QString& name, const std::function<void()>& command);
    // Records what changed outside a command (the staff, the piano, a
    // control) as a step; an empty name names it after what changed. Ignored
    // while a command runs: the command records it.
    void recordChange(const QString& name = {});
    void Undo_Click();
    void Redo_Click();
    const UndoStack& history() const { return m_history; }

    // When the autosave countdown ends: the recovery copy is written, or
    // removed when nothing is unsaved.
    void autosaveNow();
    const QString& recoveryPath() const;
    // The file the document came from or was last saved to; empty if none.
    const QString& documentPath() const { return m_documentPath; }

  private:
    // Save as MIDI and its karaoke form: the save dialog with `filter`, then `bytes` written.
    void saveExport(const QString& filter, std::vector<uint8_t> (*bytes)(Composition&));
    // The file dialogs start in `folder` from now on.
    void setDocumentFolder(const QString& folder);
    bool commitChange(const QString& name, const ViewState& before);
    void showHistory();
    // Starts the history at the composition as it now stands; `clean`: as its file holds it.
    void startHistory(bool clean);
    // Shows the composition and view a step took the model to.
    void showStep(const std::optional<ViewState>& view);
    // Reads `path` into the cleared composition and shows it; false (told) when it could not.
    bool openFile(const QString& path);
    void offerRecovery();
    bool restore(const RecoveryCopy& copy);

    SessionOptions m_options;
    Dialogs& m_dialogs;
    DocumentView& m_view;
    std::unique_ptr<QSettings> m_ownSettings;
    QSettings* m_store = nullptr;
    Settings m_settings;
    // Heap: the note tables and lyrics are too large for a stack frame.
    std::unique_ptr<Composition> m_composition;
    EditState m_edit;
    QString m_startupFile;
    QString m_documentFolder;  // of the open file, or where a new one would go
    QString m_documentPath;
    bool m_shutDown = false;
    UndoStack m_history;
    int m_busy = 0;  // commands and document operations running: they record their own changes
    std::unique_ptr<Autosave> m_autosave;
};

}  // namespace qn
