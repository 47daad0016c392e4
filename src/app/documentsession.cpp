#include "documentsession.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "dialogs.h"
#include "documentfile.h"
#include "fileassociation.h"
#include "model/documentcommands.h"

namespace qn {

namespace {

const QString kTitle = QStringLiteral("Quillnote");
const QString kMsfFilter = QStringLiteral("All Files (*.*)|*.*|MIDI Source Files (*.MSF)|*.MSF");
// Save also offers the MIDI entry; whatever is chosen, the file is written as source text.
const QString kSaveMsfFilter =
    QStringLiteral("All Files (*.*)|*.*|MIDI Source Files (*.MSF)|*.MSF|MIDI Files (*.mid)|*.mid");
const QString kMidiFilter = QStringLiteral("All Files (*.*)|*.*|MIDI Files (*.Mid)|*.mid");

QString tr(const char* text) {
    return QCoreApplication::translate("DocumentSession", text);
}

// Where the file dialogs of a new composition start: the user's music folder, else home.
QString newDocumentFolder() {
    const QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    return !music.isEmpty() && QDir(music).exists() ? music : QDir::homePath();
}

QString folderOf(const QString& path) {
    return QFileInfo(path).absolutePath();
}

}  // namespace

DocumentSession::DocumentSession(SessionOptions options, Dialogs& dialogs, DocumentView& view)
    : m_options(std::move(options)),
      m_dialogs(dialogs),
      m_view(view),
      m_composition(std::make_unique<Composition>()) {
    if (m_options.settings) {
        m_store = m_options.settings;
    } else {
        m_ownSettings = std::make_unique<QSettings>(kTitle, kTitle);
        m_store = m_ownSettings.get();
    }
}

DocumentSession::~DocumentSession() = default;

bool DocumentSession::start() {
    if (!m_view.InitMusic()) return false;
    // The options dialog's creation turns an unset picture number into "Piano".
    if (m_settings.BackgroundImage == 0) m_settings.BackgroundImage = 106;

    const QString registrationError = m_settings.load(*m_store, [this] {
        return m_options.registerAssociation
                   ? m_options.registerAssociation(m_options.executablePath)
                   : RegisterFileAssociation(m_options.executablePath);
    });
    if (!registrationError.isEmpty()) {
        m_view.showWindow();
        m_view.showDocumentTitle();
        m_dialogs.message(QMessageBox::Warning, kTitle, registrationError);
        return true;
    }
    Composition& c = *m_composition;
    for (int t = 0; t < kTrackCount; ++t)
        c.TrackInstrument[t] = static_cast<int16_t>(m_settings.TrackInstrument[t]);
    m_view.showSettings(m_settings);
    m_view.showWindow();
    m_view.showDocumentTitle();

    c.NoteCount.fill(0);
    m_edit.ScrollPos = 0;
    m_edit.DefaultVelocity = 100;
    c.TrackOctave.fill(4);
    c.Division = 64;
    m_view.showFirstValues();
    c.Modified = false;
    setDocumentFolder(newDocumentFolder());

    QString file = m_options.commandLine.trimmed();
    if (file.startsWith(QLatin1Char('"'))) file = file.mid(1, file.size() - 2);
    if (!file.isEmpty()) {
        m_startupFile = file;
        Open_Click();
    }
    return true;
}

void DocumentSession::ShutDown() {
    if (m_shutDown) return;
    m_shutDown = true;
    m_view.releaseSound();
    m_view.storeTypedLyrics();
    PromptSaveChanges();
    for (int t = 0; t < kTrackCount; ++t)
        m_settings.TrackInstrument[t] = m_composition->TrackInstrument[t];
    m_view.collectModes(m_settings);
    m_settings.save(*m_store);
    m_store->sync();
}

void DocumentSession::PromptSaveChanges() {
    qn::PromptSaveChanges(*m_composition, m_dialogs, [this] { Save_Click(); });
}

void DocumentSession::New_Click() {
    PromptSaveChanges();
    m_view.showResult(newComposition(*m_composition, m_edit));
    m_view.showDocumentTitle();
    setDocumentFolder(newDocumentFolder());
}

void DocumentSession::setDocumentFolder(const QString& folder) {
    m_documentFolder = folder;
    m_dialogs.setStartFolder(folder);
}

void DocumentSession::Open_Click() {
    // The file dialog starts where the composition being replaced lives.
    const QString folder = m_documentFolder;
    New_Click();
    QString path;
    if (!m_startupFile.isEmpty()) {
        path = m_startupFile;
        m_startupFile.clear();
    } else {
        setDocumentFolder(folder);
        path = m_dialogs.openFileName(kMsfFilter, 2);
    }
    if (path.isEmpty()) return;
    setDocumentFolder(folderOf(path));

    QString error;
    if (!openMsfFile(path, *m_composition, m_edit, &error))
        m_dialogs.message(QMessageBox::Critical, kTitle, tr("The file could not be opened."),
                          error);
    m_view.showCompositionSettings();
    m_view.showDocumentTitle();
    CommandResult redraw;
    redraw.staff = true;
    m_view.showResult(redraw);
}

void DocumentSession::Save_Click() {
    const QString path = m_dialogs.saveFileName(kSaveMsfFilter, 2);
    if (path.isEmpty()) return;
    QString error;
    const std::string text = msfTextForSave(*m_composition, path.toStdString());
    if (!saveWholeFile(path, text, &error)) {
        m_dialogs.message(QMessageBox::Critical, kTitle, tr("The file could not be saved."), error);
        return;
    }
    markSaved(*m_composition, path.toStdString());
    m_view.showDocumentTitle();
    setDocumentFolder(folderOf(path));
}

void DocumentSession::SaveMidi_Click() {
    const QString path = m_dialogs.saveFileName(kMidiFilter, 2);
    if (path.isEmpty()) return;
    QString error;
    if (!saveWholeFile(path, exportMidiBytes(*m_composition), &error))
        m_dialogs.message(QMessageBox::Critical, kTitle, tr("The MIDI file could not be saved."),
                          error);
}

}  // namespace qn
