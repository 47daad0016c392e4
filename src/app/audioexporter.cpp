#include "audioexporter.h"

#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>

#include "dialogs.h"
#include "sound/engine/audiofilewriter.h"
#include "sound/engine/soundfont.h"
#include "terminalprogress.h"

namespace qn {

namespace {

const QString kTitle = QStringLiteral("Quillnote");
const QString kAudioFilter = QStringLiteral(
    "WAV Files (*.wav)|*.wav|FLAC Files (*.flac)|*.flac|Ogg Vorbis Files (*.ogg)|*.ogg");
constexpr int kPollMs = 100;

}  // namespace

AudioExporter::AudioExporter(QWidget* window, Dialogs& dialogs)
    : QObject(window), m_window(window), m_dialogs(dialogs) {
    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, &AudioExporter::showProgress);
}

AudioExporter::~AudioExporter() {
    m_cancel = true;
    if (m_worker.joinable()) m_worker.join();
}

QProgressDialog* AudioExporter::progressDialog() const {
    return m_progress;
}

void AudioExporter::ExportAudio_Click(Composition& c, const EffectsDialogValues& effectValues,
                                      QSettings& store, const QString& documentPath) {
    if (running()) {
        if (m_progress) m_progress->raise();
        return;
    }
    // The composition's own name, as a WAV file beside it.
    const QFileInfo document(documentPath);
    m_dialogs.setSuggestedPath(
        documentPath.isEmpty()
            ? QString()
            : document.dir().filePath(document.completeBaseName() + QStringLiteral(".wav")));
    const QString path = m_dialogs.saveFileName(kAudioFilter, 1);
    if (path.isEmpty()) return;
    QString error;
    const QString soundFont = findSoundFont(systemSoundFontSources(&store), &error);
    if (!audioFileTypeOf(path)) error = unknownAudioFileType(path);
    if (!error.isEmpty()) {
        m_dialogs.message(QMessageBox::Critical, kTitle, tr("The audio file could not be saved."),
                          error);
        return;
    }
    start(audioExportJob(c, effectValues, soundFont, path));
}

void AudioExporter::start(AudioExportJob job) {
    m_fileName = QFileInfo(job.path).fileName();
    m_permille = 0;
    m_cancel = false;
    m_progress = new QProgressDialog(m_window);
    m_progress->setAttribute(Qt::WA_DeleteOnClose);
    m_progress->setWindowTitle(tr("Export Audio"));
    m_progress->setRange(0, 1000);
    m_progress->setMinimumDuration(0);
    // The Cancel button, closing the dialog and Escape all cancel.
    connect(m_progress, &QProgressDialog::canceled, this, [this] { m_cancel = true; });
    connect(m_progress, &QDialog::rejected, this, [this] { m_cancel = true; });
    m_clock.start();
    showProgress();
    m_progress->show();
    m_poll.start();
    m_worker = std::thread([this, job = std::move(job)] {
        QString error;
        const ExportOutcome outcome = runAudioExport(
            job,
            [this](double fraction) {
                m_permille.store(static_cast<int>(fraction * 1000), std::memory_order_relaxed);
                return !m_cancel.load(std::memory_order_relaxed);
            },
            &error);
        QMetaObject::invokeMethod(
            this, [this, outcome, error] { done(outcome, error); }, Qt::QueuedConnection);
    });
}

void AudioExporter::showProgress() {
    if (!m_progress || m_cancel) return;
    const int permille = m_permille.load(std::memory_order_relaxed);
    m_progress->setLabelText(
        tr("Exporting %1\n%2").arg(m_fileName, progressText(permille / 1000.0, m_clock.elapsed())));
    m_progress->setValue(std::min(permille, 999));
}

void AudioExporter::done(ExportOutcome outcome, const QString& error) {
    m_worker.join();
    m_poll.stop();
    if (m_progress) m_progress->close();
    if (outcome == ExportOutcome::CannotRender || outcome == ExportOutcome::CannotWrite)
        m_dialogs.message(QMessageBox::Critical, kTitle, tr("The audio file could not be saved."),
                          error);
    emit finished(outcome);
}

}  // namespace qn
