#include "documentsession.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>

#include "autosave.h"
#include "dialogs.h"
#include "documentfile.h"
#include "fileassociation.h"
#include "model/documentcommands.h"
#include "model/msfwriter.h"
#include "recovery.h"

namespace qn {

namespace {

const QString kTitle = QStringLiteral("Quillnote");
const QString kMsfFilter = QStringLiteral("All Files (*.*)|*.*|MIDI Source Files (*.MSF)|*.MSF");
// Save also offers the MIDI entry; whatever is chosen, the file is written as source text.
const QString kSaveMsfFilter =
    QStringLiteral("All Files (*.*)|*.*|MIDI Source Files (*.MSF)|*.MSF|MIDI Files (*.mid)|*.mid");
const QString kMidiFilter = QStringLiteral("All Files (*.*)|*.*|MIDI Files (*.Mid)|*.mid");
const QString kKaraokeFilter =
    QStringLiteral("All Files (*.*)|*.*|Karaoke MIDI Files (*.kar)|*.kar|MIDI Files (*.mid)|*.mid");

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

// Marks a command or document operation as running for as long as it lives.
class Busy {
  public:
    explicit Busy(int& depth) : m_depth(++depth) {}
    ~Busy() { --m_depth; }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

  private:
    int& m_depth;
};

CommandResult redrawAll() {
    CommandResult r;
    r.staff = true;
    return r;
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
    if (m_options.recoveryFolder.isEmpty()) m_options.recoveryFolder = defaultRecoveryFolder();
    m_autosave = std::make_unique<Autosave>(m_options.recoveryFolder, [this] { autosaveNow(); });
}

DocumentSession::~DocumentSession() = default;

bool DocumentSession::start() {
    const Busy busy(m_busy);
    if (!m_view.InitMusic()) return false;
    // The options dialog's creation turns an unset picture number into "Piano".
    if (m_settings.BackgroundImage == 0) m_settings.BackgroundImage = 106;

    const QString registrationError = m_settings.load(*m_store, [this] {
        return m_options.registerAssociation
                   ? m_options.registerAssociation(m_options.executablePath)
                   : RegisterFileAssociation(m_options.executablePath);
    });
    m_autosave->setInterval(m_settings.autosaveSeconds);
    if (!registrationError.isEmpty()) {
        m_view.showWindow();
        m_view.showDocumentTitle();
        m_dialogs.message(QMessageBox::Warning, kTitle, registrationError);
        startHistory(true);
        offerRecovery();
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
    startHistory(true);

    QString file = m_options.commandLine.trimmed();
    if (file.startsWith(QLatin1Char('"'))) file = file.mid(1, file.size() - 2);
    if (!file.isEmpty()) {
        m_startupFile = file;
        Open_Click();
    }
    offerRecovery();
    return true;
}

bool DocumentSession::ShutDown() {
    if (m_shutDown) return true;
    m_view.releaseSound();
    m_view.storeTypedLyrics();
    if (!PromptSaveChanges()) return false;
    m_shutDown = true;
    // The changes were saved or thrown away: there is nothing left to recover.
    m_autosave->discard();
    for (int t = 0; t < kTrackCount; ++t)
        m_settings.TrackInstrument[t] = m_composition->TrackInstrument[t];
    m_view.collectModes(m_settings);
    m_settings.save(*m_store);
    m_store->sync();
    return true;
}

bool DocumentSession::PromptSaveChanges() {
    // An edit not recorded yet counts as much as any other.
    commitChange({}, ViewState::of(m_edit));
    return qn::PromptSaveChanges(*m_composition, m_dialogs, [this] { return Save_Click(); });
}

bool DocumentSession::New_Click() {
    const Busy busy(m_busy);
    if (!PromptSaveChanges()) return false;
    m_view.showResult(newComposition(*m_composition, m_edit));
    m_view.showDocumentTitle();
    setDocumentFolder(newDocumentFolder());
    m_documentPath.clear();
    startHistory(true);
    return true;
}

void DocumentSession::setDocumentFolder(const QString& folder) {
    m_documentFolder = folder;
    m_dialogs.setStartFolder(folder);
}

void DocumentSession::Open_Click() {
    const Busy busy(m_busy);
    // The file dialog starts where the composition being replaced lives.
    const QString folder = m_documentFolder;
    if (!New_Click()) return;
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
    if (openFile(path)) m_documentPath = path;
}

bool DocumentSession::openFile(const QString& path) {
    QString error;
    const bool opened = openMsfFile(path, *m_composition, m_edit, &error);
    if (!opened)
        m_dialogs.message(QMessageBox::Critical, kTitle, tr("The file could not be opened."),
                          error);
    m_view.showCompositionSettings();
    m_view.showDocumentTitle();
    m_view.showResult(redrawAll());
    startHistory(true);
    return opened;
}

bool DocumentSession::Save_Click() {
    commitChange({}, ViewState::of(m_edit));
    m_dialogs.setSuggestedPath(m_documentPath);
    const QString path = m_dialogs.saveFileName(kSaveMsfFilter, 2);
    if (path.isEmpty()) return false;
    QString error;
    const std::string text = msfTextForSave(*m_composition, path.toStdString());
    if (!saveWholeFile(path, text, &error)) {
        m_dialogs.message(QMessageBox::Critical, kTitle, tr("The file could not be saved."), error);
        return false;
    }
    markSaved(*m_composition, path.toStdString());
    m_documentPath = path;
    m_history.markClean();
    m_autosave->discard();
    m_view.showDocumentTitle();
    setDocumentFolder(folderOf(path));
    return true;
}

void DocumentSession::SaveMidi_Click() {
    saveExport(kMidiFilter, exportMidiBytes);
}

void DocumentSession::SaveKaraoke_Click() {
    saveExport(kKaraokeFilter, exportKaraokeBytes);
}

void DocumentSession::saveExport(const QString& filter,
                                 std::vector<uint8_t> (*bytes)(Composition&)) {
    m_dialogs.setSuggestedPath({});
    const QString path = m_dialogs.saveFileName(filter, 2);
    if (path.isEmpty()) return;
    QString error;
    if (!m_documentPath.isEmpty() && isSameFile(path, m_documentPath))
        error = tr("%1 is the composition's own file; the MIDI file would overwrite it.").arg(path);
    else
        saveWholeFile(path, bytes(*m_composition), &error);
    if (!error.isEmpty())
        m_dialogs.message(QMessageBox::Critical, kTitle, tr("The MIDI file could not be saved."),
                          error);
}

// ---- Undo and redo ----

void DocumentSession::perform(const QString& name, const std::function<void()>& command) {
    if (m_busy > 0) return command();
    // An edit made outside a command is a step of its own.
    commitChange({}, ViewState::of(m_edit));
    const ViewState before = ViewState::of(m_edit);
    {
        const Busy busy(m_busy);
        command();
    }
    commitChange(name, before);
}

void DocumentSession::recordChange(const QString& name) {
    if (m_busy == 0) commitChange(name, ViewState::of(m_edit));
}

bool DocumentSession::commitChange(const QString& name, const ViewState& before) {
    if (m_shutDown ||
        !m_history.commit(*m_composition, name.toStdString(), before, ViewState::of(m_edit)))
        return false;
    // Every change counts, whichever control made it; a change undone by the
    // next one (a slider moved back) leaves the document as saved.
    m_composition->Modified = !m_history.isClean();
    m_autosave->changed();
    showHistory();
    return true;
}

void DocumentSession::Undo_Click() {
    const Busy busy(m_busy);
    commitChange({}, ViewState::of(m_edit));
    showStep(m_history.undo(*m_composition));
}

void DocumentSession::Redo_Click() {
    const Busy busy(m_busy);
    commitChange({}, ViewState::of(m_edit));
    showStep(m_history.redo(*m_composition));
}

void DocumentSession::showStep(const std::optional<ViewState>& view) {
    if (!view) return;
    m_composition->Modified = !m_history.isClean();
    view->applyTo(m_edit);
    m_view.showCompositionSettings();
    // A full redraw clears the selection, so it is set again afterwards.
    m_view.showResult(redrawAll());
    view->applyTo(m_edit);
    CommandResult selection;
    selection.selection = true;
    m_view.showResult(selection);
    showHistory();
    m_autosave->changed();
}

void DocumentSession::showHistory() {
    m_view.showHistory(QString::fromStdString(m_history.undoLabel()),
                       QString::fromStdString(m_history.redoLabel()));
}

void DocumentSession::startHistory(bool clean) {
    m_history.reset(*m_composition, clean);
    showHistory();
    if (!m_composition->Modified) m_autosave->discard();
}

// ---- Autosave and recovery ----

const QString& DocumentSession::recoveryPath() const {
    return m_autosave->path();
}

void DocumentSession::autosaveNow() {
    recordChange();
    if (!m_composition->Modified) return m_autosave->discard();
    // The copy's first line keeps the composition name; the side file the document's.
    m_autosave->write(writeMsf(*m_composition, m_composition->CompName),
                      {m_documentPath, QString::fromStdString(m_composition->DocName)});
}

void DocumentSession::offerRecovery() {
    for (const RecoveryCopy& copy : findAbandonedCopies(m_options.recoveryFolder)) {
        const QString question = tr("Quillnote found unsaved work from %1 (%2). Restore it?")
                                     .arg(QLocale().toString(copy.written, QLocale::ShortFormat),
                                          copy.info.documentName);
        if (!m_dialogs.askYesNo("Recover Unsaved Work", question.toStdString())) {
            removeCopy(copy.path);
            continue;
        }
        // One composition at a time: copies not reached yet are offered next time.
        if (restore(copy)) return;
    }
}

bool DocumentSession::restore(const RecoveryCopy& copy) {
    const Busy busy(m_busy);
    if (!New_Click() || !openFile(copy.path)) return false;
    m_composition->DocName = copy.info.documentName.toStdString();
    m_documentPath = copy.info.documentPath;
    m_composition->Modified = true;
    startHistory(false);
    m_view.showDocumentTitle();
    // This run's own copy first, then the old one can go.
    autosaveNow();
    removeCopy(copy.path);
    return true;
}

}  // namespace qn
