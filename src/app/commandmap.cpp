#include "commandmap.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>
#include <array>

#include "afterfirstpaint.h"
#include "effecttable.h"
#include "pictures.h"

namespace qn {

namespace {

struct ToolbarButton {
    Command command;
    const char* toolTip;
};

constexpr std::array<ToolbarButton, kToolbarButtons> kToolbarButtonTable = {{
    {Command::New, "New"},
    {Command::Open, "Open MSF File"},
    {Command::Save, "Save MSF File"},
    {Command::Print, "Print Sheet Music File"},
    {Command::Cut, "Cut"},
    {Command::Copy, "Copy"},
    {Command::Paste, "Paste"},
    {Command::Insert, "Insert Note"},
    {Command::Delete, "Delete Note"},
    {Command::Record, "Record"},
    {Command::Play, "Play"},
    {Command::Pause, "Pause"},
    {Command::Stop, "Stop"},
    {Command::ChangeInstrument, "Change Instrument"},
    {Command::HigherPitch, "Increase Pitch"},
    {Command::LowerPitch, "Decrease Pitch"},
    {Command::LongerDuration, "Increase Duration"},
    {Command::ShorterDuration, "Decrease Duration"},
    {Command::ExpandedScale, "Toggle Expanded Scale"},
    {Command::IncreaseVolume, "Increase volume"},
    {Command::DecreaseVolume, "Decrease volume"},
    {Command::Exit, "Exit"},
}};

// Menu items that run a toolbar button's handler, by button index.
int toolbarIndexOfMenuItem(Command command) {
    switch (command) {
        case Command::ChangeInstrument:
            return 13;
        case Command::Play:
            return 10;
        case Command::Pause:
            return 11;
        case Command::Stop:
            return 12;
        default:
            return -1;
    }
}

}  // namespace

Command toolbarCommand(int index) {
    return kToolbarButtonTable.at(index).command;
}

CommandMap::CommandMap(QMainWindow& window, std::function<void(Command)> run,
                       std::function<void(int)> toolbarClick)
    : QObject(&window), m_run(std::move(run)), m_toolbarClick(std::move(toolbarClick)) {
    QMenuBar* bar = window.menuBar();
    auto addMenu = [&](const char* name, const QString& caption) {
        QMenu* menu = bar->addMenu(caption);
        menu->setObjectName(QLatin1String(name));
        m_menus.insert(QLatin1String(name), menu);
        return menu;
    };

    QMenu* file = addMenu("file", tr("&File"));
    addItem(file, "New", tr("&New"), Command::New)->setShortcut(QKeySequence::New);
    addItem(file, "Open", tr("&Open MSF File"), Command::Open)->setShortcut(QKeySequence::Open);
    addItem(file, "Save", tr("&Save MSF File"), Command::Save)->setShortcut(QKeySequence::Save);
    addItem(file, "SaveMidi", tr("Save as &MIDI File"), Command::SaveMidi);
    addItem(file, "SaveKaraoke", tr("Save as &Karaoke MIDI..."), Command::SaveKaraoke);
    addItem(file, "ExportAudio", tr("Export &Audio..."), Command::ExportAudio);
    addItem(file, "PlayMIDI", tr("Play a M&IDI File"), Command::PlayMidi);
    addItem(file, "PrintSetup", tr("Print Setup"), Command::PrintSetup);
    addItem(file, "PrintPreview", tr("Print Pre&view"), Command::PrintPreview);
    addItem(file, "Print", tr("&Print"), Command::Print)->setShortcut(QKeySequence::Print);
    addItem(file, "Exit", tr("&Exit"), Command::Exit)->setShortcut(QKeySequence::Quit);

    QMenu* edit = addMenu("Edit", tr("&Edit"));
    // The window names them after their steps and disables them when there is none.
    addItem(edit, "Undo", tr("&Undo"), Command::Undo)->setShortcut(Qt::CTRL | Qt::Key_Z);
    addItem(edit, "Redo", tr("&Redo"), Command::Redo)
        ->setShortcuts({Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y});
    edit->addSeparator()->setObjectName(QStringLiteral("UndoSeparator"));
    addItem(edit, "Cut", tr("&Cut "), Command::Cut)->setShortcut(QKeySequence::Cut);
    addItem(edit, "copy", tr("C&opy"), Command::Copy)->setShortcut(QKeySequence::Copy);
    addItem(edit, "paste", tr("&Paste"), Command::Paste)->setShortcut(QKeySequence::Paste);
    addItem(edit, "Repeat", tr("&Repeat"), Command::Repeat);
    addItem(edit, "Delete", tr("&Delete"), Command::Delete)->setShortcut(QKeySequence::Delete);
    addItem(edit, "Insert", tr("&Insert"), Command::Insert)->setShortcut(Qt::Key_Insert);
    addItem(edit, "SelectTrack", tr("Select &Track"), Command::SelectTrack);
    addItem(edit, "SelectAll", tr("&Select All"), Command::SelectAll)
        ->setShortcut(QKeySequence::SelectAll);
    addItem(edit, "Cutstart", tr("C&ut Start > Selection"), Command::CutStart);
    addItem(edit, "Cutend", tr("Cut Selection > &End"), Command::CutEnd);

    QMenu* modify = addMenu("noet", tr("&Modify"));
    addItem(modify, "high", tr("&Higher Pitch"), Command::HigherPitch);
    addItem(modify, "low", tr("&Lower Pitch"), Command::LowerPitch);
    addItem(modify, "long", tr("L&onger Duration"), Command::LongerDuration);
    addItem(modify, "short", tr("&Shorter Duration"), Command::ShorterDuration);
    addItem(modify, "incvol", tr("&Increase Volume"), Command::IncreaseVolume);
    addItem(modify, "decvol", tr("&Decrease Volume"), Command::DecreaseVolume);
    addItem(modify, "changeinst", tr("&Change Instrument"), Command::ChangeInstrument);
    addItem(modify, "FadeIn", tr("Fade in"), Command::FadeIn);
    addItem(modify, "FadeOut", tr("Fade Out"), Command::FadeOut);

    QMenu* play = addMenu("Play", tr("&Play"));
    // Space and the Pause key are free: the piano takes digits, F1..F9, Esc and Backspace.
    addItem(play, "PlayFull", tr("Pla&y"), Command::Play)->setShortcut(Qt::Key_Space);
    addItem(play, "pause", tr("Pa&use"), Command::Pause)->setShortcut(Qt::Key_Pause);
    addItem(play, "Stop", tr("St&op"), Command::Stop)->setShortcut(Qt::CTRL | Qt::Key_Space);
    play->addSeparator()->setObjectName(QStringLiteral("sp1"));
    addItem(play, "actrk", tr("&Active Track"), Command::ActiveTrackOnly, true);
    addItem(play, "PlayAct", tr("&Selection"), Command::PlaySelection);
    addItem(play, "PlayStartActive", tr("S&tart to Selection"), Command::PlayStartToSelection);
    addItem(play, "PlayFrom", tr("F&rom Selection to End"), Command::PlayFromSelection);
    addItem(play, "ChkLoop", tr("&Loop"), Command::Loop, true);

    QMenu* track = addMenu("tr", tr("&Track"));
    addItem(track, "t1", tr("&1"), Command::Track1);
    addItem(track, "t2", tr("2"), Command::Track2);
    addItem(track, "t3", tr("3"), Command::Track3);
    addItem(track, "t4", tr("4"), Command::Track4);
    track->addSeparator()->setObjectName(QStringLiteral("sp2"));
    addItem(track, "BassClef", tr("Track 2 &Bass Clef"), Command::BassClef, true);
    addItem(track, "trktrk", tr("&Copy Track to Track"), Command::CopyTrackToTrack);
    addItem(track, "setoct", tr("&Set Octave"), Command::SetOctave);
    addItem(track, "ClrTrk", tr("C&lear Track"), Command::ClearTrack);
    addItem(track, "ClearAll", tr("Clear &All Tracks"), Command::ClearAll);

    QMenu* effects = addMenu("SPfx", tr("&Special Effects"));
    addItem(effects, "SetupFX", tr("Setup Special Effects"), Command::SetupEffects);
    for (const EffectEntry& row : kEffectTable)
        addItem(effects, row.menuItem, tr(effectCaption(row.effect)), row.command, true);

    addItem(nullptr, "OptionMenu", tr("&Options"), Command::Options);
    bar->addAction(m_menuItems.value(Command::Options));

    QMenu* karaoke = addMenu("Kar", tr("&Karaoke"));
    addItem(karaoke, "KaroEn", tr("Karaoke Mode Enabled"), Command::KaraokeOn, true);
    addItem(karaoke, "KaroDis", tr("Karaoke Mode Disabled"), Command::KaraokeOff, true);
    QMenu* playerPiano = addMenu("PlayerPiano", tr("Pla&yer Piano"));
    addItem(playerPiano, "PPEn", tr("Player Piano Mode Enabled"), Command::PlayerPianoOn, true);
    addItem(playerPiano, "PPDis", tr("Player Piano Mode Disabled"), Command::PlayerPianoOff, true);
    QMenu* teacher = addMenu("Teacher", tr("&Teacher"));
    addItem(teacher, "TeachOn", tr("Teacher On"), Command::TeachOn, true);
    addItem(teacher, "TeachOff", tr("Teacher Off"), Command::TeachOff, true);
    QMenu* help = addMenu("Helpy", tr("&Help"));
    addItem(help, "Help", tr("Quillnote Help"), Command::Help);
    addItem(help, "About", tr("About Quillnote"), Command::About);

    QToolBar* toolbar = window.addToolBar(tr("Toolbar"));
    toolbar->setObjectName(QStringLiteral("Toolbar"));
    toolbar->setMovable(false);
    drawToolbarIconsAhead(toolbar->iconSize() * toolbar->devicePixelRatio());
    for (int i = 0; i < kToolbarButtons; ++i) {
        QAction* button =
            toolbar->addAction(toolbarIcon(i, false), tr(kToolbarButtonTable[i].toolTip));
        button->setObjectName(QStringLiteral("Toolbar%1").arg(i));
        button->setToolTip(tr(kToolbarButtonTable[i].toolTip));
        connect(button, &QAction::triggered, this, [this, i] { m_toolbarClick(i); });
        m_toolbar.insert(i, button);
    }
    // Reading the desktop's icon theme costs about as much as building the staff,
    // so the first frame shows the carried icons and the theme's replace them.
    afterFirstPaint(*toolbar, [buttons = m_toolbar] {
        for (auto it = buttons.cbegin(); it != buttons.cend(); ++it)
            it.value()->setIcon(toolbarIcon(it.key()));
    });
}

// The pictures drawn ahead paint with the toolkit, which must outlive them.
CommandMap::~CommandMap() {
    waitForToolbarIconsAhead();
}

QAction* CommandMap::addItem(QMenu* menu, const char* name, const QString& caption, Command command,
                             bool checkable) {
    auto* item = new QAction(caption, menu ? static_cast<QObject*>(menu) : this);
    item->setObjectName(QLatin1String(name));
    // Check marks are set by the command itself, never by the click.
    item->setCheckable(checkable);
    if (menu) menu->addAction(item);
    connect(item, &QAction::triggered, this, [this, item, command] {
        if (item->isCheckable()) item->setChecked(!item->isChecked());
        const int index = toolbarIndexOfMenuItem(command);
        if (index >= 0)
            m_toolbarClick(index);
        else
            m_run(command);
    });
    m_menuItems.insert(command, item);
    return item;
}

void CommandMap::setChecked(Command command, bool checked) {
    if (QAction* item = m_menuItems.value(command)) item->setChecked(checked);
}

bool CommandMap::isChecked(Command command) const {
    const QAction* item = m_menuItems.value(command);
    return item && item->isChecked();
}

}  // namespace qn
