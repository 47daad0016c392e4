#include "app/mainwindow.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QSettings>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include "app/commandmap.h"
#include "app/documentfile.h"
#include "fakeengine.h"
#include "model/notepreview.h"
#include "scripteddialogs.h"
#include "staff/labelitem.h"
#include "staff/staffcontroller.h"
#include "staff/staffscene.h"

namespace qn {
namespace {

const char* const kTwoTrackFile =
    "COMPOSITIONNAMEtwo.msf\r\nCOMPOSITIONCOPYRIGHT(c)2026\r\nCOMPOSITIONAUTHORAnn\r\n"
    "DIVISION 80\r\nECHO\r\nBASSCLEF\r\nTRACK 0\r\nINST 40\r\nOCTAVE 5\r\n"
    " 1, 90, 3\r\n 2, 91, 3\r\n 3, 92, 3\r\n 4, 93, 3\r\n 5, 94, 3\r\n"
    "TRACK 1\r\nINST 73\r\nOCTAVE 3\r\n 12, 100, 2\r\n 169, 100, 7\r\n"
    "LYRICS\r\n 5\r\none\r\ntwo\r\nthree\r\nfour\r\nfive\r\n";

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        store = std::make_unique<QSettings>(dir.filePath(QStringLiteral("settings.ini")),
                                            QSettings::IniFormat);
    }

    QString writeFile(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    std::unique_ptr<MainWindow> makeWindow(const QString& commandLine = {},
                                           QString registrationError = {}) {
        StartOptions options;
        options.commandLine = commandLine;
        options.executablePath = QStringLiteral("/opt/quillnote/quillnote");
        options.settings = store.get();
        options.registerAssociation = [this, registrationError](const QString& executable) {
            registrations << executable;
            return registrationError;
        };
        options.startEngine = [this] {
            auto fake = std::make_unique<test::FakeEngine>();
            engine = fake.get();
            return EngineStart{std::move(fake), {}, {}};
        };
        auto scripted = std::make_unique<test::ScriptedDialogs>();
        dialogs = scripted.get();
        auto window = std::make_unique<MainWindow>(options, std::move(scripted));
        window->start();
        return window;
    }

    // Columns start..end of tracks 0..1 selected and shown.
    static void selectTwoTracks(MainWindow& w, int start, int end) {
        EditState& e = w.editState();
        e.SelTrackFrom = 0;
        e.SelTrackTo = 1;
        e.SelStart = start;
        e.SelEnd = end;
        w.staff().ShowSelection();
    }

    QString property(const char* key) {
        store->sync();
        return store->value(QStringLiteral("Properties/") + QLatin1String(key)).toString();
    }

    QTemporaryDir dir;
    std::unique_ptr<QSettings> store;
    test::ScriptedDialogs* dialogs = nullptr;
    test::FakeEngine* engine = nullptr;
    QStringList registrations;
};

QString instrumentLabel(MainWindow& w, int t) {
    return w.staff().items().InstLabel[t]->text();
}

TEST_F(MainWindowTest, FirstRunRegistersWritesDefaultsAndShowsThem) {
    auto w = makeWindow();
    EXPECT_EQ(registrations, QStringList{QStringLiteral("/opt/quillnote/quillnote")});
    EXPECT_EQ(property("RegLoaded"), QStringLiteral("True"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Quillnote - Untitled"));
    EXPECT_EQ(instrumentLabel(*w, 1), QStringLiteral("25 Acoustic Guitar (steel)"));
    EXPECT_EQ(w->staff().items().InstLabel[3]->toolTip(), QStringLiteral("118"));
    EXPECT_TRUE(w->commands().isChecked(Command::TeachOn));
    EXPECT_TRUE(w->commands().isChecked(Command::KaraokeOff));
    EXPECT_TRUE(w->commands().isChecked(Command::PlayerPianoOff));
    EXPECT_EQ(w->editState().DefaultLength, 3);
    EXPECT_EQ(w->composition().Division, 64);
    EXPECT_TRUE(w->recordMode());
    EXPECT_FALSE(w->composition().Modified);
}

TEST_F(MainWindowTest, LaterRunShowsTheStoredSettingsAndWritesTheModesBack) {
    store->beginGroup(QStringLiteral("Properties"));
    store->setValue(QStringLiteral("RegLoaded"), QStringLiteral("TRUE"));
    store->setValue(QStringLiteral("teachmode"), QStringLiteral("False"));
    store->setValue(QStringLiteral("karomode"), QStringLiteral("true"));
    store->setValue(QStringLiteral("inst0"), QStringLiteral("40"));
    store->setValue(QStringLiteral("inst2"), QString());  // damaged: stays at program 0
    store->setValue(QStringLiteral("backcolor"), QStringLiteral("FF"));
    store->endGroup();

    auto w = makeWindow();
    EXPECT_TRUE(registrations.isEmpty());
    EXPECT_TRUE(w->commands().isChecked(Command::TeachOff));
    EXPECT_TRUE(w->commands().isChecked(Command::KaraokeOn));
    EXPECT_EQ(instrumentLabel(*w, 0), QStringLiteral("40 Violin"));
    EXPECT_EQ(instrumentLabel(*w, 2), QStringLiteral("0  Acoustic Grand"));

    // The volume slider and the mode menus act; the modes are written back on closing.
    w->masterVolumeSlider()->setValue(0);
    EXPECT_EQ(engine->volume, -3000);
    w->commands().menuItem(Command::KaraokeOff)->trigger();
    EXPECT_FALSE(w->commands().isChecked(Command::KaraokeOn));
    w->commands().menuItem(Command::TeachOn)->trigger();
    EXPECT_FALSE(w->commands().isChecked(Command::TeachOff));
    EXPECT_TRUE(w->composition().Modified);
    w->close();
    EXPECT_EQ(property("backcolor"), QStringLiteral("FF"));
    EXPECT_EQ(property("teachmode"), QStringLiteral("True"));
    EXPECT_EQ(property("karomode"), QStringLiteral("False"));
    EXPECT_EQ(property("inst0"), QStringLiteral("40"));
    EXPECT_EQ(property("inst2"), QStringLiteral("0"));
}

TEST_F(MainWindowTest, FailedRegistrationIsReportedAndEndsStartUp) {
    auto w = makeWindow({}, QStringLiteral("cannot write quillnote.desktop"));
    ASSERT_EQ(dialogs->messages.size(), 1);
    EXPECT_TRUE(
        dialogs->messages.first().contains(QStringLiteral("cannot write quillnote.desktop")));
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(property("RegLoaded").isEmpty());
}

TEST_F(MainWindowTest, CommandLineFileOpensWithOrWithoutQuotes) {
    const QString path = writeFile(QStringLiteral("my song.msf"), kTwoTrackFile);
    for (const QString& commandLine : {QLatin1Char('"') + path + QLatin1Char('"'), path}) {
        auto w = makeWindow(commandLine);
        EXPECT_EQ(w->composition().DocName, "my song.msf") << commandLine.toStdString();
        EXPECT_EQ(w->composition().NoteCount[0], 5);
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Quillnote - my song.msf"));
        EXPECT_TRUE(dialogs->messages.isEmpty());
    }
    auto empty = makeWindow(QString());
    EXPECT_EQ(empty->composition().DocName, "Untitled");
}

TEST_F(MainWindowTest, OpenShowsTheFilesSettingsAndARejectedFileClearsThem) {
    auto w = makeWindow();
    dialogs->fileAnswers = {writeFile(QStringLiteral("two.msf"), kTwoTrackFile)};
    w->run(Command::Open);
    EXPECT_EQ(dialogs->asked.last(),
              QStringLiteral("open|All Files (*.*)|*.*|MIDI Source Files (*.MSF)|*.MSF|2"));
    EXPECT_TRUE(w->commands().isChecked(Command::Echo));
    EXPECT_FALSE(w->commands().isChecked(Command::Reverb));
    EXPECT_TRUE(w->commands().isChecked(Command::BassClef));
    EXPECT_EQ(instrumentLabel(*w, 1), QStringLiteral("73 Flute"));
    EXPECT_EQ(w->staff().items().InstLabel[1]->toolTip(), QStringLiteral("73 Flute"));
    EXPECT_EQ(w->staff().octaveLabel(0), QStringLiteral("5"));
    EXPECT_EQ(w->staff().items().DivControl->value(), 80);
    EXPECT_FALSE(w->composition().Modified);

    // A rejected file names its line and leaves the composition as Open cleared it.
    dialogs->fileAnswers = {
        writeFile(QStringLiteral("bad.msf"), "ECHO\r\nTRACK 0\r\n 1, 90, 3\r\nTRACK 7\r\n")};
    w->run(Command::Open);
    ASSERT_EQ(dialogs->messages.size(), 1);
    EXPECT_TRUE(dialogs->messages.first().contains(QStringLiteral("line 4")));
    EXPECT_EQ(w->composition().NoteCount[0], 0);
    EXPECT_FALSE(w->commands().isChecked(Command::Echo));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Quillnote - Untitled"));
}

TEST_F(MainWindowTest, NewAsksToSaveOnlyAfterChangesAndKeepsTheLyrics) {
    auto w = makeWindow();
    w->run(Command::New);
    EXPECT_TRUE(dialogs->asked.isEmpty());

    w->composition().Lyrics[0] = "la";
    w->run(Command::Insert);
    dialogs->yesNoAnswers = {false};
    w->run(Command::New);
    EXPECT_EQ(dialogs->asked,
              QStringList{QStringLiteral("End program|Do you want to save changes to Untitled ?")});
    EXPECT_EQ(w->composition().NoteCount[0], 0);
    EXPECT_EQ(w->composition().Lyrics[0], "la");
    EXPECT_FALSE(w->composition().Modified);
}

TEST_F(MainWindowTest, ExitWithChangesOffersToSaveAndSavesOnYes) {
    auto w = makeWindow();
    w->run(Command::Insert);
    const QString target = dir.filePath(QStringLiteral("kept.msf"));
    dialogs->yesNoAnswers = {true};
    dialogs->fileAnswers = {target};
    w->run(Command::Exit);
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(dialogs->asked.contains(
        QStringLiteral("save|All Files (*.*)|*.*|MIDI Source Files (*.MSF)|*.MSF|MIDI Files "
                       "(*.mid)|*.mid|2")));
    QString error;
    const auto text = readWholeFile(target, &error);
    ASSERT_TRUE(text.has_value()) << error.toStdString();
    EXPECT_EQ(text->substr(0, 23), "COMPOSITIONNAMEkept.msf");
    EXPECT_EQ(property("inst3"), QStringLiteral("118"));
}

TEST_F(MainWindowTest, SaveFailureKeepsTheDocumentUnsaved) {
    auto w = makeWindow();
    w->run(Command::Insert);
    dialogs->fileAnswers = {dir.filePath(QStringLiteral("missing/folder/x.msf"))};
    w->run(Command::Save);
    EXPECT_EQ(dialogs->messages.size(), 1);
    EXPECT_TRUE(w->composition().Modified);
    EXPECT_EQ(w->composition().DocName, "Untitled");
}

TEST_F(MainWindowTest, SaveAsMidiWritesTheExportOfTheWholeComposition) {
    auto w = makeWindow();
    dialogs->fileAnswers = {writeFile(QStringLiteral("two.msf"), kTwoTrackFile)};
    w->run(Command::Open);
    const QString target = dir.filePath(QStringLiteral("two.mid"));
    dialogs->fileAnswers = {target};
    w->run(Command::SaveMidi);
    EXPECT_EQ(dialogs->asked.last(),
              QStringLiteral("save|All Files (*.*)|*.*|MIDI Files (*.Mid)|*.mid|2"));
    QString error;
    const auto bytes = readWholeFile(target, &error);
    ASSERT_TRUE(bytes.has_value());
    const auto expected = exportMidiBytes(w->composition());
    EXPECT_EQ(*bytes, std::string(expected.begin(), expected.end()));
}

TEST_F(MainWindowTest, EveryMenuItemRunsTheSameCommandAsItsToolbarButton) {
    const QString file = writeFile(QStringLiteral("two.msf"), kTwoTrackFile);
    const struct {
        int button;
        Command item;
    } pairs[] = {{0, Command::New},
                 {1, Command::Open},
                 {2, Command::Save},
                 {4, Command::Cut},
                 {5, Command::Copy},
                 {6, Command::Paste},
                 {7, Command::Insert},
                 {8, Command::Delete},
                 {14, Command::HigherPitch},
                 {15, Command::LowerPitch},
                 {16, Command::LongerDuration},
                 {17, Command::ShorterDuration},
                 {19, Command::IncreaseVolume},
                 {20, Command::DecreaseVolume},
                 {21, Command::Exit}};
    for (const auto& pair : pairs) {
        // What a window shows after the command, from a selection of columns 1..2
        // in both tracks with something on the clipboard.
        auto runWith = [&](bool fromMenu) {
            auto w = makeWindow(file);
            selectTwoTracks(*w, 1, 2);
            w->run(Command::Copy);
            w->editState().showSelection();
            dialogs->yesNoAnswers = {false};
            dialogs->fileAnswers = {file, dir.filePath(QStringLiteral("saved.msf"))};
            if (fromMenu)
                w->commands().menuItem(pair.item)->trigger();
            else
                w->commands().toolbarButton(pair.button)->trigger();
            std::vector<Note> track0;
            for (int i = 0; i < w->composition().NoteCount[0]; ++i)
                track0.push_back(w->composition().note(0, i));
            return std::make_tuple(w->composition().NoteCount, track0, w->editState().SelActive,
                                   dialogs->asked, w->isVisible(), engine->bytes, engine->plays);
        };
        EXPECT_TRUE(runWith(true) == runWith(false)) << "button " << pair.button;
    }
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
    EXPECT_FALSE(w->composition().Modified);
}

TEST_F(MainWindowTest, RecordAndExpandedScaleSwitchBackAndForth) {
    auto w = makeWindow();
    w->Toolbar_Click(9);
    EXPECT_FALSE(w->recordMode());
    w->Toolbar_Click(9);
    EXPECT_TRUE(w->recordMode());
    w->Toolbar_Click(18);
    EXPECT_TRUE(w->staff().controller().guideLinesVisible());
    w->Toolbar_Click(18);
    EXPECT_FALSE(w->staff().controller().guideLinesVisible());
}

TEST_F(MainWindowTest, RestPictureWithASelectionMakesRestsAndMovesTheMarker) {
    auto w = makeWindow(writeFile(QStringLiteral("two.msf"), kTwoTrackFile));
    selectTwoTracks(*w, 0, 1);
    w->Picture2_Click(7);
    EXPECT_EQ(w->editState().DefaultLength, 7);
    for (int t = 0; t <= 1; ++t)
        for (int i = 0; i <= 1; ++i)
            EXPECT_EQ(w->composition().NotePitch[t][i], kRestPitch);
    EXPECT_EQ(w->composition().NotePitch[0][2], 3);
}

TEST_F(MainWindowTest, WithoutASynthesiserTheProgramSaysWhyAndEnds) {
    StartOptions options;
    options.settings = store.get();
    options.registerAssociation = [](const QString&) { return QString(); };
    options.startEngine = [] { return EngineStart{nullptr, QStringLiteral("no sound font"), {}}; };
    auto scripted = std::make_unique<test::ScriptedDialogs>();
    test::ScriptedDialogs* said = scripted.get();
    MainWindow w(options, std::move(scripted));
    EXPECT_FALSE(w.start());
    EXPECT_EQ(said->messages,
              QStringList{QStringLiteral("Exiting...|Could not initialize DirectMusic.\r\nHave "
                                         "you installed DirectX on this PC?|no sound font")});
    EXPECT_FALSE(w.isVisible());
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

TEST(NameFilters, TurnDialogFiltersIntoQtNameFilters) {
    EXPECT_EQ(nameFilters(QStringLiteral("All Files (*.*)|*.*|MIDI Source Files (*.MSF)|*.MSF")),
              (QStringList{"All Files (*.*)", "MIDI Source Files (*.MSF)"}));
    EXPECT_EQ(nameFilters(QStringLiteral("Bitmaps|*.bmp")), QStringList{"Bitmaps (*.bmp)"});
}

}  // namespace
}  // namespace qn
