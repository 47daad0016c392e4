// The main window's dialogs (options, instruments, octave, help) and the
// window's own finishing touches, driven through the window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include "app/clientview.h"
#include "app/commandmap.h"
#include "app/helpwindow.h"
#include "app/instrumentdialog.h"
#include "app/mainwindow.h"
#include "app/octavedialog.h"
#include "app/optionsdialog.h"
#include "app/soundfonttab.h"
#include "apptestsupport.h"
#include "model/notepreview.h"
#include "staff/labelitem.h"
#include "staff/staffscene.h"

namespace qn {
namespace {

class WindowDialogsTest : public test::WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        w = makeWindow();
    }
    std::unique_ptr<MainWindow> w;
};

TEST(OptionsLength, MinutesWithALeadingBlankAndTwoDigitSeconds) {
    struct Case {
        int songLength, division;
        const char* text;
    } const cases[] = {
        {64, 64, " 0:20"},       // 20.1 s
        {207, 64, " 1:05"},      // 65.01 s
        {0, 64, " 0:00"},        //
        {10001, 16, " 209:24"},  // 12563.8 s
    };
    for (const Case& c : cases)
        EXPECT_EQ(playingLengthText(c.songLength, c.division), QLatin1String(c.text))
            << c.songLength << " at " << c.division;
}

TEST_F(WindowDialogsTest, OptionsCancelKeepsThePictureAndOkTakesTheBrowsedFile) {
    w->composition().NoteCount[1] = 64;
    w->run(Command::Options);
    OptionsDialog* options = w->optionsDialog();
    ASSERT_TRUE(options && options->isVisible());
    EXPECT_EQ(child<QLineEdit>(options, QStringLiteral("TimeBox"))->text(), " 0:20");
    EXPECT_EQ(child<QLineEdit>(options, QStringLiteral("TrakLen1"))->text(), "64");

    options->Imagelist_Click(QStringLiteral("Grand Piano"));
    QTest::keyClick(options, Qt::Key_Escape);
    EXPECT_FALSE(options->isVisible());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Quillnote-Untitled"));
    w->run(Command::Options);
    options->OK_Click();
    EXPECT_EQ(w->settings().BackgroundImage, 106);

    // A file that is no picture is refused; a picture is taken, and kept at shutdown.
    const QString notAPicture = dir.filePath(QStringLiteral("notes.txt"));
    const QString picture = dir.filePath(QStringLiteral("wall.bmp"));
    QImage(8, 8, QImage::Format_RGB32).save(picture);
    dialogs->fileAnswers = {notAPicture, picture};
    w->run(Command::Options);
    options->Browse_Click();
    EXPECT_EQ(dialogs->messages, QStringList{"Quillnote|Could not load image|"});
    EXPECT_EQ(options->state().pendingImage(), 106);
    options->Browse_Click();
    options->OK_Click();
    EXPECT_EQ(w->settings().BackgroundImage, 255);
    w->close();
    store->sync();
    EXPECT_EQ(store->value(QStringLiteral("Properties/image")).toString(), "255");
    EXPECT_EQ(store->value(QStringLiteral("Properties/background")).toString(), picture);
}

TEST_F(WindowDialogsTest, SoundTabTakesABrowsedFontAndOkKeepsIt) {
    const QString notAFont = writeFile(QStringLiteral("notes.sf2"), "notes");
    const QString font = writeFile(QStringLiteral("mine.sf2"), QByteArray("RIFF\0\0\0\0sfbk", 12));
    dialogs->fileAnswers = {notAFont, font};
    w->run(Command::Options);
    SoundFontTab* tab = w->optionsDialog()->soundTab();
    tab->Browse_Click();
    EXPECT_EQ(dialogs->messages,
              QStringList{"Quillnote|This file is not a sound font.|" + notAFont});
    EXPECT_EQ(tab->chosen(), QString());
    tab->Browse_Click();
    EXPECT_EQ(tab->chosen(), font);
    w->optionsDialog()->OK_Click();
    EXPECT_EQ(w->settings().soundFont, font);
    w->close();
    EXPECT_EQ(property("soundfont"), font);
}

TEST_F(WindowDialogsTest, SetTrackGivesTheSelectedInstrumentToTheTrack) {
    w->Toolbar_Click(13);
    InstrumentDialog* instruments = w->instrumentDialog();
    ASSERT_TRUE(instruments && instruments->isVisible());
    child<QRadioButton>(instruments, QStringLiteral("Option1_25"))->click();
    QTest::mouseClick(child<QWidget>(instruments, QStringLiteral("SetTrakInst2")), Qt::LeftButton);
    const QString steel = QStringLiteral("25 Acoustic Guitar (steel)");
    EXPECT_EQ(w->composition().TrackInstrument[2], 25);
    EXPECT_EQ(instruments->trackBoxText(2), steel);
    EXPECT_EQ(w->staff().items().InstLabel[2]->text(), steel);
    EXPECT_EQ(w->staff().items().InstLabel[2]->toolTip(), steel);

    child<QAbstractButton>(instruments, QStringLiteral("Review"))->click();
    EXPECT_EQ(engine->bytes, writenote(25, 3, 2, 4, 100).bytes);
    EXPECT_TRUE(w->composition().Modified);  // Set Track is a change of its own
    child<QAbstractButton>(instruments, QStringLiteral("OK"))->click();
    EXPECT_FALSE(instruments->isVisible());
    EXPECT_TRUE(w->composition().Modified);
    EXPECT_EQ(instruments->selectedProgram(), 25);
}

TEST_F(WindowDialogsTest, OctaveDialogChangesTheTrackItWasOpenedFor) {
    w->composition().TrackOctave[1] = 4;
    w->staff().trackLabelClick(1);
    w->run(Command::SetOctave);
    OctaveDialog* octave = w->octaveDialog();
    ASSERT_TRUE(octave && octave->isVisible());
    EXPECT_EQ(octave->title(), QStringLiteral("Select the Octave for Track  2"));
    EXPECT_TRUE(child<QRadioButton>(octave, QStringLiteral("OptionOctave3"))->isChecked());

    child<QRadioButton>(octave, QStringLiteral("OptionOctave5"))->click();
    w->staff().trackLabelClick(3);  // the window goes on; the dialog keeps its track
    child<QAbstractButton>(octave, QStringLiteral("cmdOK"))->click();
    EXPECT_EQ(w->composition().TrackOctave[1], 6);
    EXPECT_EQ(w->staff().octaveLabel(1), QStringLiteral("6"));
    EXPECT_EQ(w->composition().TrackOctave[3], 4);

    // An octave from a file outside the options preselects none; OK keeps it.
    w->composition().TrackOctave[0] = 9;
    w->OctLabel_Click(0);
    EXPECT_EQ(w->octaveDialog()->chosenOctave(), 0);
    child<QAbstractButton>(w->octaveDialog(), QStringLiteral("cmdOK"))->click();
    EXPECT_EQ(w->composition().TrackOctave[0], 9);
}

TEST_F(WindowDialogsTest, HelpThenAboutThenBackShowsTheHelpPage) {
    w->run(Command::Help);
    HelpWindow* help = w->helpWindow();
    ASSERT_TRUE(help && help->isVisible());
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("Quillnote Help")));
    w->run(Command::About);
    EXPECT_EQ(help->browser()->source(), helpPageUrl(QStringLiteral("about.html")));
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("FluidSynth")));
    help->Back_Click();
    EXPECT_EQ(help->browser()->source(), helpPageUrl(QStringLiteral("help.html")));
}

TEST_F(WindowDialogsTest, SharedAccessKeyOpensTrackThenTeacher) {
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    for (const char* menu : {"tr", "Teacher", "tr"}) {
        QWidget* target = QApplication::activePopupWidget();
        QTest::keyClick(target ? target : w.get(), Qt::Key_T, Qt::AltModifier);
        EXPECT_EQ(QApplication::activePopupWidget(), w->commands().menu(QLatin1String(menu)));
    }
}

TEST(FittedWindowSize, ShrinksToTheScreenKeepingTheClientAreasShape) {
    const QSize client(970, 688);
    EXPECT_EQ(fittedWindowSize(client, 60, QSize(1920, 1080)), QSize(970, 748));
    // Half the room: the client area at half its size, menus and toolbar as they are.
    EXPECT_EQ(fittedWindowSize(client, 60, QSize(485 + 16, 344 + 40 + 60)), QSize(485, 404));
}

// The whole client area fills the view with no margin: at the natural size
// one pixel is exactly 15 twips, the same across and down.
TEST(ClientView, ScalesTheClientAreaToFillTheView) {
    QGraphicsScene scene;
    ClientView view(&scene);
    for (const QSize size : {QSize(970, 688), QSize(485, 400)}) {
        view.resize(size);
        view.show();
        QCoreApplication::processEvents();
        EXPECT_DOUBLE_EQ(view.transform().m11(),
                         std::min(size.width() / 14550.0, size.height() / 10320.0));
        EXPECT_EQ(view.transform().m11(), view.transform().m22());
    }
}

}  // namespace
}  // namespace qn
