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
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <array>
#include <memory>
#include <optional>

#include "afterfirstpaint.h"
#include "audioexporter.h"
#include "clientview.h"
#include "commandmap.h"
#include "documentfile.h"
#include "durationpalette.h"
#include "effectsdialog.h"
#include "effecttable.h"
#include "helpwindow.h"
#include "instrumentdialog.h"
#include "instrumentnames.h"
#include "midiinput.h"
#include "midiinputmenu.h"
#include "model/durationcommand.h"
#include "model/editcommands.h"
#include "model/modifycommands.h"
#include "octavedialog.h"
#include "optionsdialog.h"
#include "pianokeys.h"
#include "pictures.h"
#include "print/printcommands.h"
#include "settings.h"
#include "sound/engine/synthengine.h"
#include "staff/clientlayout.h"
#include "staff/clientscene.h"
#include "staff/labelitem.h"
#include "staff/rgbnumber.h"
#include "staff/staffgeometry.h"
#include "staff/staffscene.h"
#include "staff/twipwidget.h"
#include "windowsound.h"

namespace qn {

namespace {

using staff::kInstrumentCombo;
using staff::kMasterVolume;
using staff::kNoteNumberDisplay;
using staff::kPauseBars;
using staff::kRecordIndicator;
using staff::kStopBox;
using staff::kTimeDisplay;
using staff::kTwipsPerPixel;
using staff::kVolumeCaption;

const QString kTitle = QStringLiteral("Quillnote");

const QColor kRedFill = colorFromRgbNumber(kIndicatorRed);
const QColor kGreyFill = colorFromRgbNumber(kIndicatorGrey);

// Above every other item of the client area, so that the combo box's open list is.
constexpr double kComboBoxZ = 10;

// A playback indicator: a box with a one-pixel black edge.
QGraphicsRectItem* addRect(QGraphicsScene& scene, const staff::TwipRect& at, const QColor& fill) {
    QGraphicsRectItem* item =
        scene.addRect(0, 0, at.width, at.height, QPen(Qt::black, kTwipsPerPixel), QBrush(fill));
    item->setPos(at.x, at.y);
    return item;
}

QGraphicsProxyWidget* placeWidget(QGraphicsScene& scene, QWidget* widget,
                                  const staff::TwipRect& at) {
    return qn::placeWidget(scene, widget, at.x, at.y, at.width, at.height);
}

}  // namespace

MainWindow::MainWindow(StartOptions options, std::unique_ptr<Dialogs> dialogs)
    : m_startEngine(std::move(options.startEngine)),
      m_dialogs(dialogs ? std::move(dialogs) : std::make_unique<QtDialogs>(this)),
      m_session(std::move(options), *m_dialogs, *this) {
    // Drawing it takes about as long as building the rest of the window.
    m_pictureAhead =
        std::async(std::launch::async, [number = Settings::storedPicture(m_session.store())] {
            return std::pair{number, backgroundImage(number)};
        });
    setObjectName(QStringLiteral("Form1"));
    // The icon travels to the window system in five sizes; the first frame need not wait.
    afterFirstPaint(*this, [this] { giveProgramIcon(*this); });
    m_scene = new ClientScene(this);
    m_view = new ClientView(m_scene, this);
    setCentralWidget(m_view);
    m_commands = new CommandMap(
        *this, [this](Command c) { run(c); }, [this](int i) { Toolbar_Click(i); });
    m_startInstruments = composition().TrackInstrument;
    buildClientArea();
    // The session took the SessionOptions part of `options`; this one is still here.
    m_midiInput = new MidiInput(std::move(options.midiInput), m_session.store(), this);
    addMidiInputMenu(*m_commands->menu(QStringLiteral("Play")), *m_midiInput,
                     [this](const QString& text) { statusBar()->showMessage(text, 10000); });
}

MainWindow::~MainWindow() = default;

void MainWindow::buildClientArea() {
    m_staff = std::make_unique<StaffScene>(*m_scene, composition(), editState());
    connect(m_staff.get(), &StaffScene::instrumentLabelClicked, this, &MainWindow::InstLabel_Click);
    connect(m_staff.get(), &StaffScene::octaveLabelClicked, this, &MainWindow::OctLabel_Click);
    // Lyrics, note drags, velocity labels and the sliders change the composition on the staff.
    connect(m_staff.get(), &StaffScene::compositionEdited, this,
            [this] { m_session.recordChange(); });

    m_piano = new PianoKeys(*m_scene, this);

    m_palette = new DurationPalette(*m_scene, this);
    connect(m_palette, &DurationPalette::clicked, this, &MainWindow::chooseDurationPicture);

    m_instrumentCombo = new QComboBox;
    m_instrumentCombo->setObjectName(QStringLiteral("List4"));
    m_instrumentCombo->setToolTip(
        tr("Select instrument then click inst number to the right of the bar"));
    // Its size is fixed; sizing it to its contents would measure all 128 names.
    m_instrumentCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_instrumentCombo->addItems(instrumentNameList());
    placeWidget(*m_scene, m_instrumentCombo, kInstrumentCombo)->setZValue(kComboBoxZ);
    connect(m_instrumentCombo, &QComboBox::activated, this,
            [this](int index) { m_listInstrument = index; });

    // Playback indicators and displays.
    m_stopBox = addRect(*m_scene, kStopBox, kGreyFill);
    m_stopBox->setToolTip(tr("Stopped"));
    for (int i = 0; i < 2; ++i) {
        m_pauseBars[i] = addRect(*m_scene, kPauseBars[i], kGreyFill);
        m_pauseBars[i]->setToolTip(tr("Paused"));
    }
    m_recordIndicator = m_scene->addEllipse(0, 0, kRecordIndicator.width, kRecordIndicator.height,
                                            QPen(Qt::black, kTwipsPerPixel), QBrush(kRedFill));
    m_recordIndicator->setPos(kRecordIndicator.x, kRecordIndicator.y);
    m_recordIndicator->setToolTip(tr("Record"));

    // Drawn captions rather than embedded labels: each embedded widget costs a native window.
    const auto addLabel = [this](const staff::TwipRect& at, const QString& text) {
        auto* label = new staff::LabelItem(at.width, at.height);
        label->setPos(at.x, at.y);
        label->setText(text);
        m_scene->addItem(label);
        return label;
    };
    m_timeDisplay = addLabel(kTimeDisplay, QStringLiteral("0:00.0"));
    m_timeDisplay->setFont(staff::staffFont(18, true));
    m_noteNumberDisplay = addLabel(kNoteNumberDisplay, {});
    m_noteNumberDisplay->setToolTip(tr("Note being played"));
    addLabel(kVolumeCaption, tr("Volume"));
    m_masterVolume = new QSlider(Qt::Horizontal);
    m_masterVolume->setObjectName(QStringLiteral("Volslider"));
    m_masterVolume->setRange(0, 100);
    m_masterVolume->setValue(100);
    m_masterVolume->setToolTip(tr("Master volume"));
    m_masterVolume->setAttribute(Qt::WA_TranslucentBackground);  // like the staff's sliders
    placeWidget(*m_scene, m_masterVolume, kMasterVolume);
}

bool MainWindow::start() {
    if (!m_session.start()) return false;
    m_sound->lights().KeyRestoreColor = kWhite;
    // After the first paint: a remembered MIDI keyboard (and the MIDI library
    // it loads) does not delay it.
    afterFirstPaint(*this, [this] { m_midiInput->reconnect(); });
    return true;
}

void MainWindow::showSettings(const Settings& settings) {
    m_commands->setChecked(Command::TeachOn, settings.TeachMode);
    m_commands->setChecked(Command::TeachOff, !settings.TeachMode);
    m_commands->setChecked(Command::KaraokeOn, settings.KaraokeMode);
    m_commands->setChecked(Command::KaraokeOff, !settings.KaraokeMode);
    m_commands->setChecked(Command::PlayerPianoOn, settings.PlayerPianoMode);
    m_commands->setChecked(Command::PlayerPianoOff, !settings.PlayerPianoMode);
    m_sound->setModes(settings.KaraokeMode, settings.PlayerPianoMode, settings.TeachMode);
    for (int t = 0; t < kTrackCount; ++t)
        setInstrumentLabel(t, QString::number(composition().TrackInstrument[t]));
    m_startInstruments = composition().TrackInstrument;
    applyBackground();
}

void MainWindow::showWindow() {
    // Room for the whole client area at one twip per 1/15 pixel, or as much as the screen has.
    int chrome = menuBar()->sizeHint().height() + findChild<QToolBar*>()->sizeHint().height();
    if (auto* status = findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly))
        chrome += status->sizeHint().height();
    resize(fittedWindowSize(m_view->sizeHint(), chrome, screen()->availableGeometry().size()));
    show();
}

void MainWindow::showFirstValues() {
    m_recordMode = true;
    m_recordIndicator->setBrush(kRedFill);
    m_staff->setNoteVolumeSlider(editState().DefaultVelocity);
    for (int t = 0; t < kTrackCount; ++t)
        m_staff->setOctaveLabel(t, QString::number(composition().TrackOctave[t]));
    m_staff->setDivisionSlider(composition().Division);
    chooseDurationPicture(3);
    m_staff->RedrawStaff();
}

bool MainWindow::InitMusic() {
    SynthEngine* synth = nullptr;
    EngineStart started = m_startEngine ? m_startEngine() : [this, &synth] {
        SynthEngine::Options options;
        options.settings = &m_session.store();
        options.loadFontLater = true;
        SynthEngine::Created created = SynthEngine::create(options);
        synth = created.engine.get();
        return EngineStart{std::move(created.engine), created.error};
    }();
    if (!started.engine) {
        showSoundStartError(started.error);
        return false;
    }
    if (synth) {
        watchFirstSoundFont(*synth);
        afterFirstPaint(*this, [synth] { synth->setSoundFont(synth->soundFont()); });
    }
    SoundWidgets widgets;
    widgets.staff = m_staff.get();
    widgets.keys = m_piano;
    widgets.StopBox = m_stopBox;
    widgets.PauseBar[0] = m_pauseBars[0];
    widgets.PauseBar[1] = m_pauseBars[1];
    widgets.TimeDisplay = m_timeDisplay;
    widgets.NoteNumDisplay = m_noteNumberDisplay;
    widgets.window = this;
    m_sound = std::make_unique<WindowSound>(composition(), editState(), std::move(started.engine),
                                            widgets, m_effectValues, *m_dialogs);
    connectSound();
    return true;
}

void MainWindow::showSoundStartError(const QString& reason) {
    m_dialogs->message(QMessageBox::Information, tr("Exiting..."),
                       tr("Could not initialize DirectMusic.\r\nHave you installed DirectX "
                          "on this PC?"),
                       reason);
}

// The window is up while the sound starts (libraries, device) and the font
// loads. A first start that fails ends the program as a failed start-up does;
// a later font's failure is shown where it was chosen.
void MainWindow::watchFirstSoundFont(SynthEngine& synth) {
    statusBar()->showMessage(tr("Loading sound font\u2026"));
    auto ready = std::make_shared<bool>(false);
    connect(&synth, &SynthEngine::soundFontReady, this, [this, ready, &synth] {
        if (std::exchange(*ready, true)) return;
        m_soundStatus = synth.status();  // known now: the device opened at the deferred start
        showSoundStatus();
    });
    connect(&synth, &SynthEngine::soundFontFailed, this, [this, ready](const QString& error) {
        if (*ready) return;
        statusBar()->clearMessage();
        showSoundStartError(error);
        QCoreApplication::exit(1);
    });
}

// What the status bar says about the sound once no font is loading.
void MainWindow::showSoundStatus() {
    if (m_soundStatus.isEmpty())
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(m_soundStatus);
}

void MainWindow::connectSound() {
    m_sound->setRecordMode([this] { return m_recordMode; });
    m_sound->setTeachModeHandler([this](bool on) {
        m_commands->setChecked(Command::TeachOn, on);
        m_commands->setChecked(Command::TeachOff, !on);
    });
    connect(m_piano, &PianoKeys::clicked, this, [this](int k) {
        m_session.perform(tr("Enter Note"), [&] { m_sound->piano().Piano_Click(k); });
    });
    // A MIDI keyboard's keys play as the computer's do, and enter notes while recording.
    connect(m_midiInput, &MidiInput::noteOn, this, [this](int note) {
        m_session.perform(tr("Enter Note"), [&] { m_sound->piano().midiNoteOn(note); });
    });
    connect(m_midiInput, &MidiInput::noteOff, this,
            [this](int note) { m_sound->piano().midiNoteOff(note); });
    connect(m_masterVolume, &QSlider::valueChanged, this,
            [this](int value) { m_sound->playback().Volslider_Change(value); });
    // A mouse-up on the staff background ends a pause: the next Play starts afresh.
    connect(m_staff.get(), &StaffScene::backgroundMouseUp, this, [this] {
        m_sound->playback().state().Paused = false;
        for (QGraphicsRectItem* bar : m_pauseBars)
            bar->setBrush(kGreyFill);
    });
    // Keys reach the piano once the staff background has been clicked.
    connect(m_staff.get(), &StaffScene::backgroundClicked, this, [this] {
        m_scene->setFocusItem(nullptr);
        m_view->setFocus();
    });
}

void MainWindow::applyBackground() {
    showBackgroundPicture(m_session.settings().BackgroundImage);
    showBackColor();
}

void MainWindow::showBackgroundPicture(int number) {
    // A number without a picture, or a file that does not load, leaves the picture as it was.
    QPixmap picture;
    bool replace = false;
    if (number == Settings::kPictureFile) {
        // A pipe or a device named there would hang the start-up.
        const QString& file = m_session.settings().BackgroundFile;
        replace = isRegularFile(file) && picture.load(file);
    } else if (number == kNoPicture) {
        replace = true;
    } else {
        std::optional<QImage> ahead;
        if (m_pictureAhead.valid()) {
            auto [drawn, image] = m_pictureAhead.get();
            if (drawn == number) ahead = std::move(image);
        }
        picture = ahead ? QPixmap::fromImage(*ahead) : backgroundPicture(number);
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
}

void MainWindow::showBackColor() {
    const QColor back = m_session.settings().backColor();
    m_scene->setBackgroundBrush(back);
    m_view->setBackgroundBrush(back);
}

void MainWindow::showDocumentTitle() {
    setWindowTitle(QStringLiteral("Quillnote - ") + QString::fromStdString(composition().DocName));
}

void MainWindow::showResult(const CommandResult& result) {
    m_staff->apply(result);
}

void MainWindow::storeTypedLyrics() {
    m_staff->storeTypedLyrics();
}

void MainWindow::releaseSound() {
    if (m_sound) m_sound->release();
}

void MainWindow::collectModes(Settings& settings) const {
    settings.TeachMode = m_commands->isChecked(Command::TeachOn);
    settings.KaraokeMode = m_commands->isChecked(Command::KaraokeOn);
    settings.PlayerPianoMode = m_commands->isChecked(Command::PlayerPianoOn);
}

void MainWindow::setInstrumentLabel(int t, const QString& toolTip) {
    m_staff->setInstrumentLabel(t, instrumentName(composition().TrackInstrument[t]), toolTip);
}

void MainWindow::showCompositionSettings() {
    for (const EffectEntry& row : kEffectTable)
        m_commands->setChecked(row.command, composition().effect(row.effect));
    m_staff->setBassClef(composition().BassClef);
    m_commands->setChecked(Command::BassClef, composition().BassClef);
    for (int t = 0; t < kTrackCount; ++t) {
        setInstrumentLabel(t, instrumentName(composition().TrackInstrument[t]));
        m_staff->setOctaveLabel(t, QString::number(composition().TrackOctave[t]));
    }
    m_staff->setDivisionSlider(composition().Division);
}

void MainWindow::Toolbar_Click(int index) {
    if (index < 0 || index >= kToolbarButtons) return;
    run(toolbarCommand(index));
}

void MainWindow::run(Command command) {
    // Toolbar buttons and shortcuts leave the focus in a lyric box being typed in.
    m_staff->storeTypedLyrics();
    m_session.perform(commandName(command), [&] { dispatch(command); });
}

QString MainWindow::commandName(Command command) const {
    const QAction* item = m_commands->menuItem(command);
    return item ? item->text().remove(QLatin1Char('&')).trimmed() : QString();
}

void MainWindow::showHistory(const QString& undoName, const QString& redoName) {
    const auto show = [this](Command command, const QString& caption, const QString& name) {
        QAction* item = m_commands->menuItem(command);
        item->setText(name.isEmpty() ? caption : caption + QLatin1Char(' ') + name);
        item->setEnabled(!name.isEmpty());
    };
    show(Command::Undo, tr("&Undo"), undoName);
    show(Command::Redo, tr("&Redo"), redoName);
}

void MainWindow::dispatch(Command command) {
    Composition& c = composition();
    if (const auto effect = effectOfCommand(command)) return toggleEffect(*effect);
    switch (command) {
        case Command::New:
            m_session.New_Click();
            return;
        case Command::Open:
            return m_session.Open_Click();
        case Command::Save:
            m_session.Save_Click();
            return;
        case Command::SaveMidi:
            return m_session.SaveMidi_Click();
        case Command::SaveKaraoke:
            return m_session.SaveKaraoke_Click();
        case Command::ExportAudio:
            if (!m_audioExporter) m_audioExporter = new AudioExporter(this, *m_dialogs);
            return m_audioExporter->ExportAudio_Click(c, m_effectValues, m_session.store(),
                                                      m_session.documentPath());
        case Command::PrintSetup:
            return printing().PrintSetup_Click();
        case Command::PrintPreview:
            return printing().PrintPreview_Click();
        case Command::Print:
            return printing().Print_Click();
        case Command::Exit:
            close();
            return;

        case Command::Undo:
            return m_session.Undo_Click();
        case Command::Redo:
            return m_session.Redo_Click();

        case Command::Cut:
            return applyResult(edit::cut(c, editState()));
        case Command::Copy:
            return applyResult(edit::copy(c, editState()));
        case Command::Paste:
            return applyResult(edit::paste(c, editState()));
        case Command::Repeat:
            return applyResult(edit::repeat(c, editState(), *m_dialogs));
        case Command::Delete:
            return applyResult(edit::deleteNotes(c, editState()));
        case Command::Insert:
            return applyResult(edit::insert(c, editState()));
        case Command::SelectTrack:
            return applyResult(edit::selectTrack(c, editState()));
        case Command::SelectAll:
            return applyResult(edit::selectAll(editState()));
        case Command::CutStart:
            return applyResult(edit::cutStart(c, editState()));
        case Command::CutEnd:
            return applyResult(edit::cutEnd(c, editState()));
        case Command::CopyTrackToTrack:
            return applyResult(edit::copyTrackToTrack(c, editState(), *m_dialogs));
        case Command::ClearTrack:
            return applyResult(edit::clearTrack(c, editState(), *m_dialogs));
        case Command::ClearAll:
            return applyResult(edit::clearAll(c, editState(), *m_dialogs));

        case Command::HigherPitch:
            return applyResult(modify::step(c, editState(), modify::Step::HigherPitch));
        case Command::LowerPitch:
            return applyResult(modify::step(c, editState(), modify::Step::LowerPitch));
        case Command::LongerDuration:
            return applyResult(modify::step(c, editState(), modify::Step::LongerDuration));
        case Command::ShorterDuration:
            return applyResult(modify::step(c, editState(), modify::Step::ShorterDuration));
        case Command::IncreaseVolume:
            return applyResult(modify::step(c, editState(), modify::Step::IncreaseVolume));
        case Command::DecreaseVolume:
            return applyResult(modify::step(c, editState(), modify::Step::DecreaseVolume));
        case Command::FadeIn:
            return applyResult(modify::fadeIn(c, editState()));
        case Command::FadeOut:
            return applyResult(modify::fadeOut(c, editState()));

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
            if (editState().SelActive) m_sound->playback().Play();
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
            bool& only = m_sound->playback().state().activeTrackOnly;
            only = !only;
            return m_commands->setChecked(Command::ActiveTrackOnly, only);
        }
        case Command::Loop:
            m_sound->playback().toggleLoop();
            return m_commands->setChecked(Command::Loop, m_sound->playback().state().loop);

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

        case Command::Record:
            return toggleRecord();
        case Command::ExpandedScale:
            return toggleExpandedScale();

        case Command::Options:
            return OptionMenu_Click();
        case Command::ChangeInstrument:
            return changeInstrument();
        case Command::SetOctave:
            return OctLabel_Click(editState().ActiveTrack);
        case Command::Help:
            return showHelpPage(QStringLiteral("help.html"));
        case Command::About:
            return showHelpPage(QStringLiteral("about.html"));
        default:
            return;  // not part of the program yet; its items are disabled
    }
}

void MainWindow::applyResult(const CommandResult& result) {
    m_staff->apply(result);
    if (!result.refused) return;
    switch (*result.refused) {
        case Refusal::NoRoom:
            return m_dialogs->message(
                QMessageBox::Information, kTitle, tr("There is no room for these notes."),
                tr("A track holds at most 10001 notes; the command was not carried out and "
                   "nothing was changed."));
        case Refusal::FadeNeedsTwoColumns:
            return m_dialogs->message(QMessageBox::Information, kTitle,
                                      tr("Select at least two columns to fade."),
                                      tr("A fade runs from the first selected column to the "
                                         "last; nothing was changed."));
    }
}

void MainWindow::setMode(Command on, Command off, bool enabled) {
    m_commands->setChecked(on, enabled);
    m_commands->setChecked(off, !enabled);
    PlaybackState& state = m_sound->playback().state();
    (on == Command::KaraokeOn ? state.KaraokeMode : state.PlayerPianoMode) = enabled;
}

void MainWindow::toggleEffect(Effect effect) {
    bool& on = composition().Effects[effectIndex(effect)];
    on = !on;
    m_commands->setChecked(effectEntry(effect).command, on);
}

void MainWindow::SetupFX() {
    if (!m_effectsDialog) m_effectsDialog = new EffectsDialog(m_effectValues, this);
    m_effectsDialog->refresh();
    m_effectsDialog->show();
    m_effectsDialog->raise();
}

void MainWindow::PlayMIDI_Click() {
    const QString path =
        m_dialogs->openFileName(QStringLiteral("All Files (*.*)|*.*|MIDI Files (*.MID)|*.MID"), 2);
    // Reading a pipe would wait for a writer forever.
    if (!path.isEmpty() && !isRegularFile(path))
        return m_dialogs->message(QMessageBox::Critical, kTitle,
                                  tr("The MIDI file could not be played."),
                                  tr("%1 is not a regular file.").arg(path));
    m_sound->playback().PlayMidiFile(path.toStdString());
}

print::PrintCommands& MainWindow::printing() {
    if (!m_print) {
        // The page repeats the instrument labels, which always show the track's program.
        auto caption = [this](int t) { return instrumentName(composition().TrackInstrument[t]); };
        auto status = [this](const QString& text) { statusBar()->showMessage(text, 10000); };
        m_print = std::make_unique<print::PrintCommands>(
            composition(), caption, std::make_unique<print::QtPrintServices>(this, status), this);
    }
    return *m_print;
}

bool MainWindow::typingLyric() const {
    // The lyric boxes share one embedded row; the box being typed in has its focus.
    const auto* proxy = qgraphicsitem_cast<const QGraphicsProxyWidget*>(m_scene->focusItem());
    return proxy && proxy->widget() &&
           qobject_cast<const QLineEdit*>(proxy->widget()->focusWidget());
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    const int key = KeyToPianoKey(event->key(), event->modifiers());
    // A held key enters one note, not a run of them. Keys a lyric box leaves
    // unused (Esc, F1 ...) were typed at the box, not at the piano.
    if (key < 0 || event->isAutoRepeat() || typingLyric()) return QMainWindow::keyPressEvent(event);
    m_session.perform(tr("Enter Note"),
                      [&] { m_sound->piano().Piano_KeyDown(event->key(), event->modifiers()); });
}

void MainWindow::keyReleaseEvent(QKeyEvent* event) {
    const int key = KeyToPianoKey(event->key(), event->modifiers());
    if (key < 0 || event->isAutoRepeat() || typingLyric())
        return QMainWindow::keyReleaseEvent(event);
    m_sound->piano().Piano_KeyUp(event->key(), event->modifiers());
}

void MainWindow::toggleRecord() {
    m_recordMode = !m_recordMode;
    m_recordIndicator->setBrush(m_recordMode ? kRedFill : kGreyFill);
}

void MainWindow::toggleExpandedScale() {
    m_expandedScale = !m_expandedScale;
    m_staff->setExpandedScale(m_expandedScale);
}

void MainWindow::toggleBassClef() {
    m_staff->BassClef_Click();
    m_commands->setChecked(Command::BassClef, composition().BassClef);
}

void MainWindow::InstLabel_Click(int t) {
    composition().TrackInstrument[t] = static_cast<int16_t>(m_listInstrument);
    m_staff->setInstrumentLabel(t, m_instrumentCombo->currentText(),
                                m_instrumentCombo->currentText());
    m_session.recordChange(tr("Instrument"));
}

void MainWindow::OptionMenu_Click() {
    if (!m_optionsDialog) {
        m_optionsDialog = new OptionsDialog(m_session.settings(), composition(), *m_dialogs, this);
        connect(m_optionsDialog, &QDialog::finished, this, &MainWindow::optionsClosed);
        m_optionsDialog->setSoundFontHandlers([this] { return soundFontInUse(); },
                                              [this](const QString& path) { useSoundFont(path); });
    }
    m_optionsDialog->showOptions();
}

void MainWindow::optionsClosed() {
    if (m_optionsDialog->state().accepted())
        showBackgroundPicture(m_optionsDialog->state().pictureToShow(m_session.settings()));
    // Without blanks around the dash, unlike the title a document gets.
    setWindowTitle(QStringLiteral("Quillnote-") + QString::fromStdString(composition().DocName));
    showBackColor();
    m_session.recordChange(tr("Properties"));
}

QString MainWindow::soundFontInUse() {
    const auto* synth = dynamic_cast<const SynthEngine*>(&m_sound->engine());
    return synth ? synth->soundFont() : QString();
}

// The Options dialog's Sound tab chose a font: it is kept for the next start
// (written with the other settings at shutdown) and played from now on.
void MainWindow::useSoundFont(const QString& path) {
    auto* synth = dynamic_cast<SynthEngine*>(&m_sound->engine());
    if (!synth) {
        m_session.settings().soundFont = path;
        return;
    }
    // The setting takes the new font only once it has loaded, so a font that
    // fails can never stop the next start; the old one plays on meanwhile.
    statusBar()->showMessage(tr("Loading sound font\u2026"));
    auto connections = std::make_shared<std::array<QMetaObject::Connection, 2>>();
    const auto finish = [this, connections] {
        for (const auto& connection : *connections)
            disconnect(connection);
        showSoundStatus();
    };
    (*connections)[0] = connect(synth, &SynthEngine::soundFontReady, this, [this, path, finish] {
        m_session.settings().soundFont = path;
        finish();
    });
    (*connections)[1] =
        connect(synth, &SynthEngine::soundFontFailed, this, [this, finish](const QString& error) {
            finish();
            m_dialogs->message(QMessageBox::Warning, tr("Quillnote"),
                               tr("The sound font could not be loaded."), error);
        });
    synth->setSoundFont(path);
}

void MainWindow::changeInstrument() {
    if (!m_instrumentDialog) {
        m_instrumentDialog = new InstrumentDialog(m_startInstruments, this);
        connect(m_instrumentDialog, &InstrumentDialog::trackSet, this, [this](int t, int k) {
            composition().TrackInstrument[t] = static_cast<int16_t>(k);
            m_staff->setInstrumentLabel(t, instrumentName(k), instrumentName(k));
            m_session.recordChange(tr("Instrument"));
        });
        connect(m_instrumentDialog, &InstrumentDialog::previewRequested, this,
                [this](int k) { m_sound->piano().PreviewInstrument(k); });
        connect(m_instrumentDialog, &QDialog::finished, this,
                [this] { composition().Modified = true; });
    }
    m_instrumentDialog->show();
    m_instrumentDialog->raise();
    m_instrumentDialog->activateWindow();
}

void MainWindow::OctLabel_Click(int t) {
    if (!isTrack(t)) return;
    // One octave dialog at a time; a second label click aims the open one at its track.
    if (!m_octaveDialog) {
        m_octaveDialog = new OctaveDialog(this);
        connect(m_octaveDialog, &OctaveDialog::octaveChosen, this, [this](int track, int octave) {
            composition().TrackOctave[track] = static_cast<int16_t>(octave);
            m_staff->setOctaveLabel(track, QString::number(octave));
            m_session.recordChange(tr("Octave"));
        });
        // OK and Cancel end this dialog; the next label click makes a fresh one.
        connect(m_octaveDialog, &QDialog::finished, this, [this, dialog = m_octaveDialog.data()] {
            dialog->deleteLater();
            if (m_octaveDialog == dialog) m_octaveDialog = nullptr;
        });
    }
    m_octaveDialog->openFor(t, composition().TrackOctave[t]);
    m_octaveDialog->show();
    m_octaveDialog->raise();
    m_octaveDialog->activateWindow();
}

OctaveDialog* MainWindow::octaveDialog() const {
    return m_octaveDialog;
}

void MainWindow::showHelpPage(const QString& page) {
    if (!m_helpWindow) m_helpWindow = new HelpWindow(this);
    m_helpWindow->showPage(page);
}

void MainWindow::chooseDurationPicture(int k) {
    const CommandResult result = chooseDuration(composition(), editState(), k);
    m_palette->mark(k);
    m_staff->apply(result);
    m_session.recordChange(tr("Note Duration"));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A save the user asked for and did not get keeps the window open.
    if (!m_session.ShutDown()) return event->ignore();
    event->accept();
}

}  // namespace qn
