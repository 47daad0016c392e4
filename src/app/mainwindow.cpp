#include "mainwindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGraphicsEllipseItem>
#include <QGraphicsPixmapItem>
#include <QGraphicsProxyWidget>
#include <QGraphicsRectItem>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSettings>
#include <QSlider>
#include <QStatusBar>
#include <QToolBar>

#include "clientview.h"
#include "commandmap.h"
#include "documentfile.h"
#include "durationpalette.h"
#include "fileassociation.h"
#include "fxform.h"
#include "instrumentnames.h"
#include "model/documentcommands.h"
#include "model/durationcommand.h"
#include "model/editcommands.h"
#include "model/modifycommands.h"
#include "pianokeys.h"
#include "pictures.h"
#include "sound/engine/synthengine.h"
#include "staff/clientscene.h"
#include "staff/staffgeometry.h"
#include "staff/staffscene.h"
#include "staff/twipwidget.h"
#include "windowsound.h"

namespace qn {

namespace {

const QString kTitle = QStringLiteral("Quillnote");
const QString kMsfFilter = QStringLiteral("All Files (*.*)|*.*|MIDI Source Files (*.MSF)|*.MSF");
// Save also offers the MIDI entry; whatever is chosen, the file is written as source text.
const QString kSaveMsfFilter =
    QStringLiteral("All Files (*.*)|*.*|MIDI Source Files (*.MSF)|*.MSF|MIDI Files (*.mid)|*.mid");
const QString kMidiFilter = QStringLiteral("All Files (*.*)|*.*|MIDI Files (*.Mid)|*.mid");

const QColor kRedFill = colorFromRgbNumber(kIndicatorRed);
const QColor kGreyFill = colorFromRgbNumber(kIndicatorGrey);

// Commands whose handlers come with the printing, options, instrument and help work.
constexpr Command kNotYetAvailable[] = {
    Command::PrintSetup, Command::PrintPreview, Command::Print, Command::ChangeInstrument,
    Command::SetOctave,  Command::Options,      Command::Help,  Command::About,
};

constexpr Command kEffectCommands[kEffectCount] = {
    Command::Distortion, Command::Echo,   Command::Chorus, Command::Flanger,
    Command::Compressor, Command::Gargle, Command::Para,   Command::Reverb};

}  // namespace

MainWindow::MainWindow(StartOptions options, std::unique_ptr<Dialogs> dialogs)
    : m_options(std::move(options)),
      m_dialogs(dialogs ? std::move(dialogs) : std::make_unique<QtDialogs>(this)),
      m_composition(std::make_unique<Composition>()) {
    setObjectName(QStringLiteral("Form1"));
    if (m_options.settings) {
        m_store = m_options.settings;
    } else {
        m_ownSettings = std::make_unique<QSettings>(kTitle, kTitle);
        m_store = m_ownSettings.get();
    }

    m_scene = new ClientScene(this);
    m_view = new ClientView(m_scene, this);
    setCentralWidget(m_view);
    m_commands = new CommandMap(
        *this, [this](Command c) { run(c); }, [this](int i) { Toolbar_Click(i); });
    for (Command c : kNotYetAvailable)
        m_commands->setAvailable(c, false);
    buildClientArea();
}

MainWindow::~MainWindow() {
    // The sound and the staff refer to the composition and the editing state,
    // members that go before the QObject children would: a lyric box losing the
    // focus as the window closes would otherwise write into a freed composition.
    delete m_sound;
    delete m_staff;
}

void MainWindow::buildClientArea() {
    m_staff = new StaffScene(*m_scene, *m_composition, m_edit, this);
    connect(m_staff, &StaffScene::instrumentLabelClicked, this, &MainWindow::InstLabel_Click);

    m_piano = new PianoKeys(*m_scene, this);

    m_palette = new DurationPalette(*m_scene, this);
    connect(m_palette, &DurationPalette::clicked, this, &MainWindow::Picture2_Click);

    m_List4 = new QComboBox;
    m_List4->setObjectName(QStringLiteral("List4"));
    m_List4->setToolTip(tr("Select instrument then click inst number to the right of the bar"));
    m_List4->addItems(instrumentNameList());
    placeWidget(*m_scene, m_List4, 11400, 7080, 3000, 330);
    connect(m_List4, &QComboBox::activated, this, [this](int index) { m_listInstrument = index; });

    // Playback indicators and displays.
    m_StopBox = m_scene->addRect(0, 0, 300, 300, QPen(Qt::black, 15), QBrush(kGreyFill));
    m_StopBox->setPos(11400, 7620);
    m_StopBox->setToolTip(tr("Stopped"));
    for (int i = 0; i < 2; ++i) {
        m_PauseBar[i] = m_scene->addRect(0, 0, 105, 300, QPen(Qt::black, 15), QBrush(kGreyFill));
        m_PauseBar[i]->setPos(11850 + 180 * i, 7620);
        m_PauseBar[i]->setToolTip(tr("Paused"));
    }
    m_RecButt = m_scene->addEllipse(0, 0, 300, 300, QPen(Qt::black, 15), QBrush(kRedFill));
    m_RecButt->setPos(12450, 7620);
    m_RecButt->setToolTip(tr("Record"));

    m_TimeDisplay = new QLabel(QStringLiteral("0:00.0"));
    m_TimeDisplay->setObjectName(QStringLiteral("TimeDisplay"));
    m_TimeDisplay->setStyleSheet(
        QStringLiteral("font-size: 18px; font-weight: bold;"
                       " background: transparent;"));
    placeWidget(*m_scene, m_TimeDisplay, 12900, 7560, 1500, 420);
    m_NoteNumDisplay = new QLabel;
    m_NoteNumDisplay->setObjectName(QStringLiteral("NoteNumDisplay"));
    m_NoteNumDisplay->setStyleSheet(QStringLiteral("background: transparent;"));
    m_NoteNumDisplay->setToolTip(tr("Note being played"));
    placeWidget(*m_scene, m_NoteNumDisplay, 12900, 7980, 1500, 300);

    auto* volumeCaption = new QLabel(tr("Volume"));
    volumeCaption->setStyleSheet(QStringLiteral("background: transparent;"));
    placeWidget(*m_scene, volumeCaption, 7920, 7560, 3000, 240);
    m_Volslider = new QSlider(Qt::Horizontal);
    m_Volslider->setObjectName(QStringLiteral("Volslider"));
    m_Volslider->setRange(0, 100);
    m_Volslider->setValue(100);
    m_Volslider->setToolTip(tr("Master volume"));
    placeWidget(*m_scene, m_Volslider, 7920, 7800, 3000, 300);
}

bool MainWindow::start() {
    if (!InitMusic()) return false;
    // The options dialog's creation turns an unset picture number into "Piano".
    if (m_settings.BackgroundImage == 0) m_settings.BackgroundImage = 106;

    const QString registrationError = m_settings.load(*m_store, [this] {
        return m_options.registerAssociation
                   ? m_options.registerAssociation(m_options.executablePath)
                   : RegisterFileAssociation(m_options.executablePath);
    });
    if (!registrationError.isEmpty()) {
        show();
        showDocumentTitle();
        m_dialogs->message(QMessageBox::Warning, kTitle, registrationError);
        return true;
    }
    for (int t = 0; t < kTrackCount; ++t)
        m_composition->TrackInstrument[t] = static_cast<int16_t>(m_settings.TrackInstrument[t]);
    m_commands->setChecked(Command::TeachOn, m_settings.TeachMode);
    m_commands->setChecked(Command::TeachOff, !m_settings.TeachMode);
    m_commands->setChecked(Command::KaraokeOn, m_settings.KaraokeMode);
    m_commands->setChecked(Command::KaraokeOff, !m_settings.KaraokeMode);
    m_commands->setChecked(Command::PlayerPianoOn, m_settings.PlayerPianoMode);
    m_commands->setChecked(Command::PlayerPianoOff, !m_settings.PlayerPianoMode);
    m_sound->setModes(m_settings.KaraokeMode, m_settings.PlayerPianoMode, m_settings.TeachMode);

    for (int t = 0; t < kTrackCount; ++t)
        setInstrumentLabel(t, QString::number(m_composition->TrackInstrument[t]));
    applyBackground();

    // Room for the whole client area at one twip per 1/15 pixel.
    resize(m_view->sizeHint() +
           QSize(0, menuBar()->sizeHint().height() + findChild<QToolBar*>()->sizeHint().height()));
    show();
    showDocumentTitle();

    m_composition->NoteCount.fill(0);
    m_edit.ScrollPos = 0;
    m_recordMode = true;
    m_RecButt->setBrush(kRedFill);
    m_edit.DefaultVelocity = 100;
    m_staff->setNoteVolumeSlider(100);
    for (int t = 0; t < kTrackCount; ++t) {
        m_composition->TrackOctave[t] = 4;
        m_staff->setOctaveLabel(t, QStringLiteral("4"));
    }
    m_composition->Division = 64;
    m_staff->setDivisionSlider(64);
    Picture2_Click(3);
    m_staff->RedrawStaff();
    m_composition->Modified = false;

    QString file = m_options.commandLine.trimmed();
    if (file.startsWith(QLatin1Char('"'))) file = file.mid(1, file.size() - 2);
    if (!file.isEmpty()) {
        m_startupFile = file;
        Open_Click();
    }
    m_sound->lights().KeyRestoreColor = kWhite;
    return true;
}

bool MainWindow::InitMusic() {
    EngineStart started = m_options.startEngine ? m_options.startEngine() : [this] {
        SynthEngine::Options options;
        options.settings = m_store;
        SynthEngine::Created created = SynthEngine::create(options);
        return EngineStart{std::move(created.engine), created.error, created.status};
    }();
    if (!started.engine) {
        m_dialogs->message(QMessageBox::Information, tr("Exiting..."),
                           tr("Could not initialize DirectMusic.\r\nHave you installed DirectX "
                              "on this PC?"),
                           started.error);
        return false;
    }
    if (!started.status.isEmpty()) statusBar()->showMessage(started.status);
    SoundWidgets widgets;
    widgets.staff = m_staff;
    widgets.keys = m_piano;
    widgets.StopBox = m_StopBox;
    widgets.PauseBar[0] = m_PauseBar[0];
    widgets.PauseBar[1] = m_PauseBar[1];
    widgets.TimeDisplay = m_TimeDisplay;
    widgets.NoteNumDisplay = m_NoteNumDisplay;
    widgets.window = this;
    m_sound = new WindowSound(*m_composition, m_edit, std::move(started.engine), widgets,
                              m_effectsForm, *m_dialogs, this);
    connectSound();
    return true;
}

void MainWindow::connectSound() {
    m_sound->setRecordMode([this] { return m_recordMode; });
    m_sound->setTeachModeHandler([this](bool on) {
        m_commands->setChecked(Command::TeachOn, on);
        m_commands->setChecked(Command::TeachOff, !on);
    });
    connect(m_Volslider, &QSlider::valueChanged, this,
            [this](int value) { m_sound->playback().Volslider_Change(value); });
    // A mouse-up on the staff background ends a pause: the next Play starts afresh.
    connect(m_staff, &StaffScene::backgroundMouseUp, this, [this] {
        m_sound->playback().state().Paused = false;
        for (QGraphicsRectItem* bar : m_PauseBar)
            bar->setBrush(kGreyFill);
    });
    // Keys reach the piano once the staff background has been clicked.
    connect(m_staff, &StaffScene::backgroundClicked, this, [this] {
        m_scene->setFocusItem(nullptr);
        m_view->setFocus();
    });
}

void MainWindow::applyBackground() {
    // A number without a picture, or a file that does not load, leaves the picture as it was.
    QPixmap picture;
    bool replace = false;
    if (m_settings.BackgroundImage == Settings::kPictureFile) {
        replace = picture.load(m_settings.BackgroundFile);
    } else if (m_settings.BackgroundImage == kNoPicture) {
        replace = true;
    } else {
        picture = backgroundPicture(m_settings.BackgroundImage);
        replace = !picture.isNull();
    }
    if (replace) {
        delete m_backgroundPicture;
        m_backgroundPicture = nullptr;
        if (!picture.isNull()) {
            // The picture keeps its own pixel size, from the client area's top-left corner.
            auto* item = m_scene->addPixmap(picture);
            item->setScale(staff::kTwipsPerPixel);
            item->setZValue(-1000);
            item->setAcceptedMouseButtons(Qt::NoButton);
            m_backgroundPicture = item;
        }
    }
    const QColor back = m_settings.backColor();
    m_scene->setBackgroundBrush(back);
    m_view->setBackgroundBrush(back);
}

void MainWindow::showDocumentTitle() {
    setWindowTitle(QStringLiteral("Quillnote - ") + QString::fromStdString(m_composition->DocName));
}

void MainWindow::setInstrumentLabel(int t, const QString& toolTip) {
    m_staff->setInstrumentLabel(t, instrumentName(m_composition->TrackInstrument[t]), toolTip);
}

void MainWindow::showCompositionSettings() {
    for (int k = 0; k < kEffectCount; ++k)
        m_commands->setChecked(kEffectCommands[k], m_composition->Effects[k]);
    m_staff->setBassClef(m_composition->BassClef);
    m_commands->setChecked(Command::BassClef, m_composition->BassClef);
    for (int t = 0; t < kTrackCount; ++t) {
        setInstrumentLabel(t, instrumentName(m_composition->TrackInstrument[t]));
        m_staff->setOctaveLabel(t, QString::number(m_composition->TrackOctave[t]));
    }
    m_staff->setDivisionSlider(m_composition->Division);
}

void MainWindow::Toolbar_Click(int index) {
    if (index < 0 || index >= kToolbarButtons) return;
    run(toolbarCommand(index));
}

void MainWindow::run(Command command) {
    Composition& c = *m_composition;
    // Toolbar buttons and shortcuts leave the focus in a lyric box being typed in.
    m_staff->storeTypedLyrics();
    switch (command) {
        case Command::New:
            return New_Click();
        case Command::Open:
            return Open_Click();
        case Command::Save:
            return Save_Click();
        case Command::SaveMidi:
            return SaveMidi_Click();
        case Command::Exit:
            close();
            return;

        case Command::Cut:
            return applyResult(edit::cut(c, m_edit));
        case Command::Copy:
            return applyResult(edit::copy(c, m_edit));
        case Command::Paste:
            return applyResult(edit::paste(c, m_edit));
        case Command::Repeat:
            return applyResult(edit::repeat(c, m_edit, *m_dialogs));
        case Command::Delete:
            return applyResult(edit::deleteNotes(c, m_edit));
        case Command::Insert:
            return applyResult(edit::insert(c, m_edit));
        case Command::SelectTrack:
            return applyResult(edit::selectTrack(c, m_edit));
        case Command::SelectAll:
            return applyResult(edit::selectAll(m_edit));
        case Command::CutStart:
            return applyResult(edit::cutStart(c, m_edit));
        case Command::CutEnd:
            return applyResult(edit::cutEnd(c, m_edit));
        case Command::CopyTrackToTrack:
            return applyResult(edit::copyTrackToTrack(c, m_edit, *m_dialogs));
        case Command::ClearTrack:
            return applyResult(edit::clearTrack(c, m_edit, *m_dialogs));
        case Command::ClearAll:
            return applyResult(edit::clearAll(c, m_edit, *m_dialogs));

        case Command::HigherPitch:
            return applyResult(modify::step(c, m_edit, modify::Step::HigherPitch));
        case Command::LowerPitch:
            return applyResult(modify::step(c, m_edit, modify::Step::LowerPitch));
        case Command::LongerDuration:
            return applyResult(modify::step(c, m_edit, modify::Step::LongerDuration));
        case Command::ShorterDuration:
            return applyResult(modify::step(c, m_edit, modify::Step::ShorterDuration));
        case Command::IncreaseVolume:
            return applyResult(modify::step(c, m_edit, modify::Step::IncreaseVolume));
        case Command::DecreaseVolume:
            return applyResult(modify::step(c, m_edit, modify::Step::DecreaseVolume));
        case Command::FadeIn:
            return applyResult(modify::fadeIn(c, m_edit));
        case Command::FadeOut:
            return applyResult(modify::fadeOut(c, m_edit));

        case Command::Track1:
            return m_staff->trackLabelClick(0);
        case Command::Track2:
            return m_staff->trackLabelClick(1);
        case Command::Track3:
            return m_staff->trackLabelClick(2);
        case Command::Track4:
            return m_staff->trackLabelClick(3);
        case Command::BassClef:
            return toggleBassClef();

        case Command::PlayMidi:
            return PlayMIDI_Click();
        case Command::Play:
            return m_sound->playback().Play();
        case Command::PlaySelection:
            if (m_edit.SelActive) m_sound->playback().Play();
            return;
        case Command::Pause:
            return m_sound->playback().Pause();
        case Command::Stop:
            return m_sound->playback().Stop();
        case Command::PlayStartToSelection:
            return m_sound->playback().StartToSelection();
        case Command::PlayFromSelection:
            return m_sound->playback().FromSelection();
        case Command::ActiveTrackOnly: {
            bool& only = m_sound->playback().state().actrk;
            only = !only;
            return m_commands->setChecked(Command::ActiveTrackOnly, only);
        }
        case Command::Loop:
            m_sound->playback().ChkLoop_Click();
            return m_commands->setChecked(Command::Loop, m_sound->playback().state().ChkLoop);

        case Command::KaraokeOn:
            return setMode(Command::KaraokeOn, Command::KaraokeOff, true);
        case Command::KaraokeOff:
            return setMode(Command::KaraokeOn, Command::KaraokeOff, false);
        case Command::PlayerPianoOn:
            return setMode(Command::PlayerPianoOn, Command::PlayerPianoOff, true);
        case Command::PlayerPianoOff:
            return setMode(Command::PlayerPianoOn, Command::PlayerPianoOff, false);
        case Command::TeachOn:
            return m_sound->piano().TeachOn();
        case Command::TeachOff:
            return m_sound->piano().TeachOff();

        case Command::SetupEffects:
            return SetupFX();
        case Command::Distortion:
            return toggleEffect(command, 0);
        case Command::Echo:
            return toggleEffect(command, 1);
        case Command::Chorus:
            return toggleEffect(command, 2);
        case Command::Flanger:
            return toggleEffect(command, 3);
        case Command::Compressor:
            return toggleEffect(command, 4);
        case Command::Gargle:
            return toggleEffect(command, 5);
        case Command::Para:
            return toggleEffect(command, 6);
        case Command::Reverb:
            return toggleEffect(command, 7);

        case Command::Record:
            return toggleRecord();
        case Command::ExpandedScale:
            return toggleExpandedScale();
        default:
            return;  // not part of the program yet; its items are disabled
    }
}

void MainWindow::applyResult(const CommandResult& result) {
    m_staff->apply(result);
    if (result.refused)
        m_dialogs->message(QMessageBox::Information, kTitle,
                           tr("There is no room for these notes."),
                           tr("A track holds at most 10001 notes; the command was not carried "
                              "out and nothing was changed."));
}

void MainWindow::setMode(Command on, Command off, bool enabled) {
    m_commands->setChecked(on, enabled);
    m_commands->setChecked(off, !enabled);
    PlaybackState& state = m_sound->playback().state();
    (on == Command::KaraokeOn ? state.KaraokeMode : state.PlayerPianoMode) = enabled;
}

void MainWindow::toggleEffect(Command item, int effect) {
    bool& on = m_composition->Effects[effect];
    on = !on;
    m_commands->setChecked(item, on);
}

void MainWindow::SetupFX() {
    if (!m_fxForm) m_fxForm = new FXform(m_effectsForm, this);
    m_fxForm->refresh();
    m_fxForm->show();
    m_fxForm->raise();
}

void MainWindow::PlayMIDI_Click() {
    const QString path =
        m_dialogs->openFileName(QStringLiteral("All Files (*.*)|*.*|MIDI Files (*.MID)|*.MID"), 2);
    m_sound->playback().PlayMidiFile(path.toStdString());
}

bool MainWindow::typingLyric() const {
    const auto* proxy = qgraphicsitem_cast<const QGraphicsProxyWidget*>(m_scene->focusItem());
    return proxy && qobject_cast<const QLineEdit*>(proxy->widget());
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    const int key = KeyToPianoKey(event->key(), event->modifiers());
    // A held key enters one note, not a run of them. Keys a lyric box leaves
    // unused (Esc, F1 ...) were typed at the box, not at the piano.
    if (key < 0 || event->isAutoRepeat() || typingLyric()) return QMainWindow::keyPressEvent(event);
    m_sound->piano().Piano_KeyDown(event->key(), event->modifiers());
}

void MainWindow::keyReleaseEvent(QKeyEvent* event) {
    const int key = KeyToPianoKey(event->key(), event->modifiers());
    if (key < 0 || event->isAutoRepeat() || typingLyric())
        return QMainWindow::keyReleaseEvent(event);
    m_sound->piano().Piano_KeyUp(event->key(), event->modifiers());
}

void MainWindow::toggleRecord() {
    m_recordMode = !m_recordMode;
    m_RecButt->setBrush(m_recordMode ? kRedFill : kGreyFill);
}

void MainWindow::toggleExpandedScale() {
    m_expandedScale = !m_expandedScale;
    m_staff->setExpandedScale(m_expandedScale);
}

void MainWindow::toggleBassClef() {
    m_staff->BassClef_Click();
    m_commands->setChecked(Command::BassClef, m_composition->BassClef);
}

void MainWindow::InstLabel_Click(int t) {
    m_composition->TrackInstrument[t] = static_cast<int16_t>(m_listInstrument);
    m_staff->setInstrumentLabel(t, m_List4->currentText(), m_List4->currentText());
}

void MainWindow::Picture2_Click(int k) {
    const CommandResult result = chooseDuration(*m_composition, m_edit, k);
    m_palette->mark(k);
    m_staff->apply(result);
}

void MainWindow::New_Click() {
    PromptSaveChanges(*m_composition, *m_dialogs, [this] { Save_Click(); });
    m_staff->apply(newComposition(*m_composition, m_edit));
    showDocumentTitle();
}

void MainWindow::Open_Click() {
    New_Click();
    QString path;
    if (!m_startupFile.isEmpty()) {
        path = m_startupFile;
        m_startupFile.clear();
    } else {
        path = m_dialogs->openFileName(kMsfFilter, 2);
    }
    if (path.isEmpty()) return;

    QString error;
    if (!openMsfFile(path, *m_composition, m_edit, &error))
        m_dialogs->message(QMessageBox::Critical, kTitle, tr("The file could not be opened."),
                           error);
    showCompositionSettings();
    showDocumentTitle();
    m_staff->RedrawStaff();
}

void MainWindow::Save_Click() {
    const QString path = m_dialogs->saveFileName(kSaveMsfFilter, 2);
    if (path.isEmpty()) return;
    QString error;
    const std::string text = msfTextForSave(*m_composition, path.toStdString());
    if (!saveWholeFile(path, text, &error)) {
        m_dialogs->message(QMessageBox::Critical, kTitle, tr("The file could not be saved."),
                           error);
        return;
    }
    markSaved(*m_composition, path.toStdString());
    showDocumentTitle();
}

void MainWindow::SaveMidi_Click() {
    const QString path = m_dialogs->saveFileName(kMidiFilter, 2);
    if (path.isEmpty()) return;
    QString error;
    if (!saveWholeFile(path, exportMidiBytes(*m_composition), &error))
        m_dialogs->message(QMessageBox::Critical, kTitle, tr("The MIDI file could not be saved."),
                           error);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    ShutDown();
    event->accept();
}

void MainWindow::ShutDown() {
    if (m_shutDown) return;
    m_shutDown = true;
    if (m_sound) m_sound->release();
    m_staff->storeTypedLyrics();
    PromptSaveChanges(*m_composition, *m_dialogs, [this] { Save_Click(); });
    for (int t = 0; t < kTrackCount; ++t)
        m_settings.TrackInstrument[t] = m_composition->TrackInstrument[t];
    m_settings.TeachMode = m_commands->isChecked(Command::TeachOn);
    m_settings.KaraokeMode = m_commands->isChecked(Command::KaraokeOn);
    m_settings.PlayerPianoMode = m_commands->isChecked(Command::PlayerPianoOn);
    m_settings.save(*m_store);
    m_store->sync();
}

}  // namespace qn
