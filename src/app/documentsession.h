#pragma once

// The document workflow: New, Open, Save, Save as MIDI, the save-changes
// question, and the program's start-up and shutdown. It owns the composition,
// the editing state and the settings; the window shows them through
// DocumentView and every question goes through Dialogs, so the whole workflow
// runs without a window. UI thread only.

#include <QString>
#include <functional>
#include <memory>

#include "model/commandresult.h"
#include "model/composition.h"
#include "model/editstate.h"
#include "settings.h"

class QSettings;

namespace qn {

class Dialogs;

struct SessionOptions {
    QString commandLine;            // a file to open, quoted or not; may be empty
    QString executablePath;         // for the .msf association
    QSettings* settings = nullptr;  // where the settings live; the user's own when null
    std::function<QString(const QString& executable)> registerAssociation;  // null: the real one
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
    // the command-line file. False when the synthesiser could not start.
    bool start();
    // Shutdown: the save question, then the settings are stored. Runs once.
    void ShutDown();

    void New_Click();
    void Open_Click();
    void Save_Click();
    void SaveMidi_Click();
    void PromptSaveChanges();

  private:
    // The file dialogs start in `folder` from now on.
    void setDocumentFolder(const QString& folder);

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
    bool m_shutDown = false;
};

}  // namespace qn
