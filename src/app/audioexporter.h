#pragma once

// File > Export Audio: the save dialog, then the export on a worker thread
// while a progress dialog with Cancel shows how far it got. The window stays
// usable meanwhile: the export works on a copy of what it needs. UI thread only.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <atomic>
#include <thread>

#include "audioexport.h"

class QProgressDialog;
class QSettings;
class QWidget;

namespace qn {

class Dialogs;

class AudioExporter : public QObject {
    Q_OBJECT
  public:
    AudioExporter(QWidget* window, Dialogs& dialogs);
    ~AudioExporter() override;  // cancels a running export and waits for its thread

    // Asks for the file (next to `documentPath` when there is one), then
    // exports `c` as it stands, with its switched-on effects running with
    // `effectValues` and the sound font `store` names. While an export runs,
    // only its progress dialog is raised.
    void ExportAudio_Click(Composition& c, const EffectsDialogValues& effectValues,
                           QSettings& store, const QString& documentPath);

    // Starts `job` on the worker thread.
    void start(AudioExportJob job);
    bool running() const { return m_worker.joinable(); }
    QProgressDialog* progressDialog() const;

  signals:
    // The export has ended; a failure has been shown.
    void finished(qn::ExportOutcome outcome);

  private:
    void showProgress();
    void done(ExportOutcome outcome, const QString& error);

    QWidget* m_window;
    Dialogs& m_dialogs;
    QPointer<QProgressDialog> m_progress;
    QTimer m_poll;
    QElapsedTimer m_clock;
    QString m_fileName;
    std::thread m_worker;
    std::atomic<int> m_permille{0};  // written by the worker
    std::atomic<bool> m_cancel{false};
};

}  // namespace qn
