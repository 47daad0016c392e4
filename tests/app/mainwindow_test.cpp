#include "app/mainwindow.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QSettings>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include "app/commandmap.h"
#include "app/documentfile.h"
#include "app/karaokewindow.h"
#include "app/pianokeys.h"
#include "app/windowsound.h"
#include "apptestsupport.h"
#include "model/msfwriter.h"
#include "model/notepreview.h"
#include "model/undostack.h"
#include "staff/glyphitem.h"
#include "staff/labelitem.h"
#include "staff/lyricbox.h"
#include "staff/staffcontroller.h"
#include "staff/staffscene.h"

namespace qn {
namespace {

using test::kTwoTrackFile;

class MainWindowTest : public test::WindowTest {};

QString instrumentLabel(MainWindow& w, int t) {
    return w.staff().items().InstLabel[t]->text();
}

TEST_F(MainWindowTest, LaterRunShowsTheStoredSettingsAndWritesTheModesBack) {
    store->beginGroup(QStringLiteral("Properties"));
    store->setValue(QStringLiteral("RegLoaded"), QStringLiteral("TRUE"));
    store->setValue(QStringLiteral("teachmode"), QStringLiteral("False"));
    store->setValue(QStringLiteral("karomode"), QStringLiteral("true"));
    store->setValue(QStringLiteral("inst0"), QStringLiteral("40"));
    store->endGroup();

    auto w = makeWindow();
    EXPECT_TRUE(registrations.isEmpty());
    EXPECT_TRUE(w->commands().isChecked(Command::TeachOff));
    EXPECT_TRUE(w->commands().isChecked(Command::KaraokeOn));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Quillnote - Untitled"));
    EXPECT_EQ(instrumentLabel(*w, 0), QStringLiteral("40 Violin"));
    EXPECT_EQ(w->staff().items().InstLabel[0]->toolTip(), QStringLiteral("40"));
    EXPECT_EQ(w->staff().octaveLabel(3), QStringLiteral("4"));
    EXPECT_TRUE(w->recordMode());

    // The volume slider and the mode menus act; the modes are written back on closing.
    w->masterVolumeSlider()->setValue(0);
    EXPECT_EQ(engine->volume, -3000);
    w->commands().menuItem(Command::KaraokeOff)->trigger();
    EXPECT_FALSE(w->commands().isChecked(Command::KaraokeOn));
    w->commands().menuItem(Command::TeachOn)->trigger();
    EXPECT_FALSE(w->commands().isChecked(Command::TeachOff));
    EXPECT_TRUE(w->composition().Modified);
    w->close();
    EXPECT_EQ(property("teachmode"), QStringLiteral("True"));
    EXPECT_EQ(property("karomode"), QStringLiteral("False"));
}

TEST_F(MainWindowTest, OpenShowsTheFilesSettingsAndARejectedFileClearsThem) {
    auto w = makeWindow();
    dialogs->fileAnswers = {writeFile(QStringLiteral("two.msf"), kTwoTrackFile)};
    w->run(Command::Open);
    EXPECT_EQ(dialogs->questions().last(),
              QStringLiteral("open|All Files (*.*)|*.*|MIDI Source Files (*.MSF)|*.MSF|2"));
    EXPECT_TRUE(w->commands().isChecked(Command::Echo));
    EXPECT_FALSE(w->commands().isChecked(Command::Reverb));
    EXPECT_TRUE(w->commands().isChecked(Command::BassClef));
    EXPECT_EQ(instrumentLabel(*w, 1), QStringLiteral("73 Flute"));
    EXPECT_EQ(w->staff().items().InstLabel[1]->toolTip(), QStringLiteral("73 Flute"));
    EXPECT_EQ(w->staff().octaveLabel(0), QStringLiteral("5"));
    EXPECT_EQ(w->staff().items().divisionSlider->value(), 80);
    EXPECT_FALSE(w->composition().Modified);
}

TEST_F(MainWindowTest, InstrumentLabelTakesTheInstrumentChosenInTheComboBox) {
    auto w = makeWindow();
    QComboBox* combo = w->instrumentCombo();
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(73);
    emit combo->activated(73);
    w->InstLabel_Click(3);
    EXPECT_EQ(w->composition().TrackInstrument[3], 73);
    EXPECT_EQ(instrumentLabel(*w, 3), QStringLiteral("73 Flute"));
    EXPECT_EQ(w->staff().items().InstLabel[3]->toolTip(), QStringLiteral("73 Flute"));
    EXPECT_TRUE(w->composition().Modified);
}

TEST_F(MainWindowTest, RestPictureWithASelectionMakesRestsAndMovesTheMarker) {
    auto w = makeWindow(writeFile(QStringLiteral("two.msf"), kTwoTrackFile));
    selectTwoTracks(*w, 0, 1);
    w->chooseDurationPicture(7);
    EXPECT_EQ(w->editState().DefaultLength, 7);
    for (int t = 0; t <= 1; ++t)
        for (int i = 0; i <= 1; ++i)
            EXPECT_EQ(w->composition().NotePitch[t][i], kRestPitch);
    EXPECT_EQ(w->composition().NotePitch[0][2], 3);
}

TEST_F(MainWindowTest, ComputerKeysPlayThePianoAndRecordWhileRecording) {
    auto w = makeWindow();
    QTest::keyClick(w.get(), Qt::Key_1);  // piano key 1: C, pitch code 1
    ASSERT_EQ(w->composition().NoteCount[0], 1);
    EXPECT_EQ(w->composition().NotePitch[0][0], 1);
    EXPECT_EQ(engine->bytes, writenote(0, 1, 3, 4, 100).bytes);
    EXPECT_EQ(engine->plays, std::vector<bool>{false});

    QTest::keyClick(w.get(), Qt::Key_Escape);  // the rest key: entered, never heard
    EXPECT_EQ(w->composition().NotePitch[0][1], kRestPitch);
    EXPECT_EQ(engine->loads, 1);

    w->Toolbar_Click(9);  // record off
    QTest::keyClick(w.get(), Qt::Key_2);
    EXPECT_EQ(w->composition().NoteCount[0], 2);
    EXPECT_EQ(engine->loads, 2);
}

TEST_F(MainWindowTest, EffectsFollowTheirMenuItemsAndTheDialogsValues) {
    auto w = makeWindow(writeFile(QStringLiteral("two.msf"), kTwoTrackFile));
    EXPECT_TRUE(w->composition().Effects[1]);  // the file's ECHO line
    w->commands().menuItem(Command::Reverb)->trigger();
    EXPECT_TRUE(w->composition().Effects[7]);
    EXPECT_TRUE(w->commands().isChecked(Command::Reverb));

    w->run(Command::Play);
    EXPECT_NE(engine->processor, nullptr);
    EXPECT_TRUE(dialogs->messages.isEmpty());

    w->effectValues().setText(Effect::Reverb, 3, "long");
    w->run(Command::Play);
    EXPECT_EQ(engine->processor, nullptr);
    ASSERT_EQ(dialogs->messages.size(), 1);
    EXPECT_TRUE(dialogs->messages.first().startsWith(QStringLiteral("Quillnote|FX error|")));
    EXPECT_FALSE(engine->plays.empty());  // the sound still plays, without effects

    w->commands().menuItem(Command::Echo)->trigger();
    w->commands().menuItem(Command::Reverb)->trigger();
    w->run(Command::Play);
    EXPECT_EQ(engine->processor, nullptr);  // nothing switched on: no chain
    EXPECT_EQ(dialogs->messages.size(), 1);
}

TEST_F(MainWindowTest, RefusedCommandsSayWhyAndChangeNothing) {
    auto w = makeWindow(writeFile(QStringLiteral("two.msf"), kTwoTrackFile));
    selectTwoTracks(*w, 1, 1);
    w->run(Command::FadeIn);
    w->composition().NoteCount[1] = kNoteSlots;
    w->run(Command::Insert);
    ASSERT_EQ(dialogs->messages.size(), 2);
    EXPECT_TRUE(dialogs->messages[0].startsWith(
        QStringLiteral("Quillnote|Select at least two columns to fade.|")));
    EXPECT_TRUE(dialogs->messages[1].startsWith(
        QStringLiteral("Quillnote|There is no room for these notes.|")));
    EXPECT_EQ(w->composition().NoteVelocity[0][1], 91);
    EXPECT_EQ(w->composition().NoteCount[0], 5);
}

TEST_F(MainWindowTest, ALyricBoxKeepsItsKeysAndItsTextUntilTheWindowGoes) {
    auto w = makeWindow();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    staff::LyricBox* box = w->staff().items().Lyric[0];
    box->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(box->hasFocus());

    // Keys the box leaves unused were typed at it, not at the piano.
    for (Qt::Key code : {Qt::Key_Escape, Qt::Key_F1}) {
        key(*w, QEvent::KeyPress, code);
        key(*w, QEvent::KeyRelease, code);
    }
    EXPECT_EQ(w->composition().NoteCount[0], 0);

    // A lyric still being typed is stored before the next command.
    type(*w, QStringLiteral("la"));
    w->Toolbar_Click(7);  // Insert: one blank note before everything, lyrics stay
    EXPECT_EQ(w->composition().Lyrics[0], "la");
    w->composition().Modified = false;
    box->selectAll();
    type(*w, QStringLiteral("words"));
    dialogs->yesNo = {false};
    w->Toolbar_Click(21);  // Exit: the typed lyric is a change worth asking about
    EXPECT_EQ(dialogs->questions(),
              QStringList{QStringLiteral("End program|Do you want to save changes to Untitled ?")});

    // The window goes safely while a box has the focus and loses it on the way.
    auto other = makeWindow();
    other->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(other.get()));
    other->staff().items().Lyric[0]->setFocus(Qt::MouseFocusReason);
    type(*other, QStringLiteral("last"));
    other.reset();
}

// Every control that changes what Save writes marks the document modified and
// makes one undo step, named in the Edit menu, that restores the saved bytes.
TEST_F(MainWindowTest, EveryChangeCountsAndUndoesToTheSavedBytes) {
    const QString file = writeFile(QStringLiteral("two.msf"), kTwoTrackFile);
    const auto staffItems = [](MainWindow& w) -> const staff::StaffItems& {
        return w.staff().items();
    };
    const struct {
        const char* name;  // of the step; none: nothing may change
        std::function<void(MainWindow&)> act;
    } cases[] = {
        {"Paste",
         [](MainWindow& w) {
             w.run(Command::Copy);
             w.run(Command::Paste);
         }},
        {"Higher Pitch", [](MainWindow& w) { w.run(Command::HigherPitch); }},
        {"Clear All Tracks",
         [this](MainWindow& w) {
             dialogs->yesNo = {true};
             w.run(Command::ClearAll);
         }},
        {"Distortion", [](MainWindow& w) { w.run(Command::Distortion); }},
        {"Track 2 Bass Clef", [](MainWindow& w) { w.run(Command::BassClef); }},
        {"Note Duration", [](MainWindow& w) { w.chooseDurationPicture(1); }},
        {"Instrument", [](MainWindow& w) { w.InstLabel_Click(1); }},
        {"Tempo",
         [&](MainWindow& w) {  // one step however far the slider goes
             staffItems(w).divisionSlider->setValue(90);
             staffItems(w).divisionSlider->setValue(100);
         }},
        {"Note Volume", [&](MainWindow& w) { staffItems(w).NoteVolume->setValue(50); }},
        {nullptr,
         [&](MainWindow& w) {
             w.staff().ClearSelectionDisplay();
             staffItems(w).NoteVolume->setValue(50);
         }},
        {"Lyrics",
         [&](MainWindow& w) {
             staffItems(w).Lyric[1]->setText(QStringLiteral("new"));
             emit staffItems(w).Lyric[1]->focusLost();
         }},
        {"Note Pitch",
         [&](MainWindow& w) {
             const staff::GlyphState head = staffItems(w).glyph[2]->glyph();
             w.staff().backgroundMousePress(QPointF(head.headX + 60, head.headY + 45),
                                            Qt::LeftButton);
             w.staff().backgroundMouseMove(QPointF(head.headX + 60, 1500), Qt::LeftButton);
             w.staff().backgroundMouseRelease(QPointF(head.headX + 60, 1500), Qt::LeftButton);
         }},
        {"Enter Note", [](MainWindow& w) { QTest::keyClick(&w, Qt::Key_1); }},
        {"Enter Note", [](MainWindow& w) { emit w.findChild<PianoKeys*>()->clicked(4); }},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name ? k.name : "nothing");
        auto w = makeWindow(file);
        selectTwoTracks(*w, 0, 1);
        const ViewState view = ViewState::of(w->editState());
        QAction* undo = w->commands().menuItem(Command::Undo);
        EXPECT_FALSE(undo->isEnabled());
        const std::string opened = writeMsf(w->composition(), "x");
        k.act(*w);
        const std::string changed = writeMsf(w->composition(), "x");
        EXPECT_EQ(w->composition().Modified, k.name != nullptr);
        EXPECT_EQ(changed != opened, k.name != nullptr);
        EXPECT_EQ(undo->isEnabled(), k.name != nullptr);
        if (!k.name) continue;
        EXPECT_EQ(undo->text(), QStringLiteral("&Undo ") + k.name);
        w->run(Command::Undo);
        EXPECT_EQ(writeMsf(w->composition(), "x"), opened);
        EXPECT_FALSE(w->composition().Modified);
        EXPECT_FALSE(undo->isEnabled());
        if (k.name == std::string("Paste")) {
            EXPECT_EQ(ViewState::of(w->editState()), view);  // the selection comes back
        }
        w->commands().menuItem(Command::Redo)->trigger();
        EXPECT_EQ(writeMsf(w->composition(), "x"), changed);
        EXPECT_TRUE(w->composition().Modified);
    }
}

// Yes to the save question, then Cancel in the file dialog: the window stays,
// with the changes, whether the close came from Exit or the window manager.
TEST_F(MainWindowTest, CancellingTheSaveOfTheQuestionKeepsTheWindowOpen) {
    auto w = makeWindow(writeFile(QStringLiteral("two.msf"), kTwoTrackFile));
    w->run(Command::HigherPitch);
    dialogs->yesNo = {true, true};
    w->run(Command::Exit);
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->composition().NotePitch[0][4], 6);
    EXPECT_TRUE(w->composition().Modified);
    dialogs->yesNo = {false};
    EXPECT_TRUE(w->close());
}

TEST_F(MainWindowTest, ABackgroundPictureThatIsAPipeDoesNotHangTheStart) {
    const QString fifo = dir.filePath(QStringLiteral("picture"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    store->beginGroup(QStringLiteral("Properties"));
    store->setValue(QStringLiteral("RegLoaded"), QStringLiteral("True"));
    store->setValue(QStringLiteral("image"), QStringLiteral("255"));
    store->setValue(QStringLiteral("background"), fifo);
    store->endGroup();
    EXPECT_TRUE(makeWindow()->isVisible());
}

TEST_F(MainWindowTest, TheIconGoesToRealWindowsOnlyNotToWidgetsInTheScene) {
    auto w = makeWindow();
    // It comes after the first frame.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w->windowIcon().isNull(); }));
    EXPECT_FALSE(w->sound().karaoke().windowIcon().isNull());
    // Qt backs each widget in the scene with a hidden window of its own, and
    // sends the icon's every size to the display with each.
    EXPECT_TRUE(w->instrumentCombo()->windowIcon().isNull());
}

TEST(NameFilters, TurnDialogFiltersIntoQtNameFilters) {
    EXPECT_EQ(nameFilters(QStringLiteral("All Files (*.*)|*.*|MIDI Source Files (*.MSF)|*.MSF")),
              (QStringList{"All Files (*.*)", "MIDI Source Files (*.MSF)"}));
    EXPECT_EQ(nameFilters(QStringLiteral("Bitmaps|*.bmp")), QStringList{"Bitmaps (*.bmp)"});
}

}  // namespace
}  // namespace qn
