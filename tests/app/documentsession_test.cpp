#include "app/documentsession.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>

#include "app/documentfile.h"
#include "app/safefile.h"
#include "apptestsupport.h"
#include "model/msfwriter.h"

namespace qn {
namespace {

using test::kTwoTrackFile;

// Records what the session asks the window to do, one word a call.
class RecordingView : public DocumentView {
  public:
    bool InitMusic() override {
        log("InitMusic");
        return hasSound;
    }
    void showWindow() override { log("showWindow"); }
    void showDocumentTitle() override { log("title"); }
    void showSettings(const Settings&) override { log("settings"); }
    void showFirstValues() override { log("firstValues"); }
    void showCompositionSettings() override { log("compositionSettings"); }
    void showResult(const CommandResult&) override { log("result"); }
    void storeTypedLyrics() override { log("lyrics"); }
    void releaseSound() override { log("release"); }
    void collectModes(Settings& settings) const override { settings.KaraokeMode = true; }

    bool hasSound = true;
    QStringList calls;

  private:
    void log(const char* call) { calls << QLatin1String(call); }
};

class DocumentSessionTest : public test::FolderTest {
  protected:
    std::unique_ptr<DocumentSession> startSession(const QString& commandLine = {},
                                                  const QString& registrationError = {}) {
        auto session = std::make_unique<DocumentSession>(
            sessionOptions(commandLine, registrationError), dialogs, view);
        started = session->start();
        return session;
    }

    test::ScriptedDialogs dialogs;
    RecordingView view;
    bool started = false;
};

TEST_F(DocumentSessionTest, StartUpShowsTheWindowBeforeTheFirstValues) {
    startSession();
    EXPECT_TRUE(started);
    EXPECT_EQ(view.calls,
              (QStringList{"InitMusic", "settings", "showWindow", "title", "firstValues"}));
    EXPECT_EQ(registrations, QStringList{QStringLiteral("/opt/quillnote/quillnote")});
    EXPECT_EQ(property("RegLoaded"), QStringLiteral("True"));
}

TEST_F(DocumentSessionTest, StartUpEndsEarlyWithoutSoundOrRegistration) {
    view.hasSound = false;
    startSession();
    EXPECT_FALSE(started);
    EXPECT_EQ(view.calls, QStringList{"InitMusic"});
    EXPECT_TRUE(registrations.isEmpty());

    view.hasSound = true;
    view.calls.clear();
    startSession({}, QStringLiteral("cannot write quillnote.desktop"));
    EXPECT_TRUE(started);
    EXPECT_EQ(view.calls, (QStringList{"InitMusic", "showWindow", "title"}));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages.first().contains(QStringLiteral("quillnote.desktop")));
    EXPECT_TRUE(property("RegLoaded").isEmpty());
}

TEST_F(DocumentSessionTest, CommandLineFileOpensWithOrWithoutQuotes) {
    const QString path = writeFile(QStringLiteral("my song.msf"), kTwoTrackFile);
    for (const QString& commandLine : {QLatin1Char('"') + path + QLatin1Char('"'), path}) {
        auto s = startSession(commandLine);
        EXPECT_EQ(s->composition().DocName, "my song.msf") << commandLine.toStdString();
        EXPECT_EQ(s->composition().NoteCount[0], 5);
        EXPECT_TRUE(dialogs.messages.isEmpty());
    }
}

TEST_F(DocumentSessionTest, OpenReadsTheFileAndARejectedFileLeavesItCleared) {
    auto s = startSession();
    dialogs.fileAnswers = {writeFile(QStringLiteral("two.msf"), kTwoTrackFile)};
    view.calls.clear();
    s->Open_Click();
    EXPECT_EQ(dialogs.questions().last(),
              QStringLiteral("open|All Files (*.*)|*.*|MIDI Source Files (*.MSF)|*.MSF|2"));
    EXPECT_EQ(view.calls,
              (QStringList{"result", "title", "compositionSettings", "title", "result"}));
    EXPECT_EQ(std::tie(s->composition().Division, s->composition().Modified),
              std::make_tuple(80, false));

    // A rejected file names its line and leaves the composition as Open cleared it.
    dialogs.fileAnswers = {
        writeFile(QStringLiteral("bad.msf"), "ECHO\r\nTRACK 0\r\n 1, 90, 3\r\nTRACK 7\r\n")};
    s->Open_Click();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages.first().contains(QStringLiteral("line 4")));
    EXPECT_EQ(std::tie(s->composition().NoteCount[0], s->composition().DocName),
              std::make_tuple(0, "Untitled"));
}

TEST_F(DocumentSessionTest, NewAsksToSaveOnlyAfterChanges) {
    auto s = startSession(writeFile(QStringLiteral("two.msf"), kTwoTrackFile));
    s->New_Click();
    EXPECT_TRUE(dialogs.questions().isEmpty());
    s->composition().Modified = true;
    dialogs.yesNo = {false};
    s->New_Click();
    EXPECT_EQ(dialogs.questions().size(), 1);
    EXPECT_EQ(std::tie(s->composition().NoteCount[0], s->composition().Modified),
              std::make_tuple(0, false));
}

TEST_F(DocumentSessionTest, ShutDownOffersToSaveThenStoresTheSettingsOnce) {
    auto s = startSession();
    s->composition().Modified = true;
    s->composition().TrackInstrument[3] = 73;
    const QString target = dir.filePath(QStringLiteral("kept.msf"));
    dialogs.yesNo = {true};
    dialogs.fileAnswers = {target};
    view.calls.clear();
    s->ShutDown();
    s->ShutDown();
    EXPECT_EQ(view.calls, (QStringList{"release", "lyrics", "title"}));
    EXPECT_TRUE(dialogs.questions().contains(
        QStringLiteral("save|All Files (*.*)|*.*|MIDI Source Files (*.MSF)|*.MSF|MIDI Files "
                       "(*.mid)|*.mid|2")));
    QString error;
    EXPECT_EQ(readWholeFile(target, &error).value_or("").substr(0, 23), "COMPOSITIONNAMEkept.msf");
    EXPECT_EQ(property("inst3"), QStringLiteral("73"));
    EXPECT_EQ(property("karomode"), QStringLiteral("True"));
}

TEST_F(DocumentSessionTest, FileDialogsStartInTheOpenFilesFolder) {
    QDir(dir.path()).mkdir(QStringLiteral("songs"));
    auto s = startSession(writeFile(QStringLiteral("songs/two.msf"), kTwoTrackFile));
    s->Open_Click();  // cancelled; the folder is the replaced composition's
    EXPECT_EQ(dialogs.foldersAsked.last(), dir.filePath(QStringLiteral("songs")));

    s->New_Click();
    dialogs.fileAnswers = {dir.filePath(QStringLiteral("new.msf"))};
    s->Save_Click();
    EXPECT_NE(dialogs.foldersAsked.last(), dir.filePath(QStringLiteral("songs")));
    s->SaveMidi_Click();
    EXPECT_EQ(dialogs.foldersAsked.last(), dir.path());
}

TEST_F(DocumentSessionTest, SaveAsMidiWritesTheExportOfTheWholeComposition) {
    auto s = startSession(writeFile(QStringLiteral("two.msf"), kTwoTrackFile));
    const QString target = dir.filePath(QStringLiteral("two.mid"));
    dialogs.fileAnswers = {target};
    s->SaveMidi_Click();
    EXPECT_EQ(dialogs.questions().last(),
              QStringLiteral("save|All Files (*.*)|*.*|MIDI Files (*.Mid)|*.mid|2"));
    QString error;
    const auto expected = exportMidiBytes(s->composition());
    EXPECT_EQ(readWholeFile(target, &error), std::string(expected.begin(), expected.end()));
}

// Yes to the question, then no save: what asked is abandoned and nothing is lost.
TEST_F(DocumentSessionTest, TheQuestionsSaveNotHappeningAbandonsWhatAsked) {
    const QString opened = writeFile(QStringLiteral("two.msf"), kTwoTrackFile);
    const std::pair<const char*, std::function<bool(DocumentSession&)>> askers[] = {
        {"New", [](DocumentSession& s) { return s.New_Click(); }},
        {"Open", [](DocumentSession& s) { return s.Open_Click(), s.composition().Modified; }},
        {"ShutDown", [](DocumentSession& s) { return s.ShutDown(); }},
    };
    QString error;
    for (const auto& [what, run] : askers) {
        for (const bool cancelled : {true, false}) {
            SCOPED_TRACE(std::string(what) + (cancelled ? " cancelled" : " failed"));
            auto s = startSession(opened);
            s->perform(QStringLiteral("Edit"), [&] { s->composition().NotePitch[0][0] = 9; });
            dialogs.yesNo = {true};
            dialogs.fileAnswers = {cancelled ? QString() : opened, dir.filePath("other.msf")};
            if (!cancelled) SafeFile::injectFault(SafeFile::Stage::Sync, ENOSPC);
            const bool done = run(*s);
            EXPECT_EQ(done, what == std::string("Open"));  // Open: still modified
            EXPECT_EQ(std::tie(s->composition().NotePitch[0][0], s->composition().Modified),
                      std::make_tuple(9, true));
            EXPECT_EQ(readWholeFile(opened, &error), std::string(kTwoTrackFile));
            EXPECT_EQ(dialogs.messages.size(), cancelled ? 0 : 1);
            EXPECT_EQ(dialogs.messages.filter("No space left").size(), cancelled ? 0 : 1);
            dialogs.messages.clear();
        }
    }
}

TEST_F(DocumentSessionTest, TheRecoveryCopyFollowsTheUnsavedChanges) {
    auto s = startSession(writeFile(QStringLiteral("two.msf"), kTwoTrackFile));
    QString error;
    s->autosaveNow();
    EXPECT_FALSE(QFile::exists(s->recoveryPath()));  // nothing unsaved
    s->perform(QStringLiteral("Edit"), [&] { s->composition().Lyrics[0] = "changed"; });
    s->autosaveNow();
    ASSERT_TRUE(QFile::exists(s->recoveryPath()));
    EXPECT_EQ(readWholeFile(s->recoveryPath(), &error),
              writeMsf(s->composition(), s->composition().CompName));
    s->Undo_Click();  // back to what the file holds
    s->autosaveNow();
    EXPECT_FALSE(QFile::exists(s->recoveryPath()));

    s->Redo_Click();
    s->autosaveNow();
    dialogs.fileAnswers = {dir.filePath(QStringLiteral("saved.msf"))};
    ASSERT_TRUE(s->Save_Click());
    EXPECT_FALSE(QFile::exists(s->recoveryPath()));
}

// A copy whose process is gone, as a crash leaves it: Yes restores it under
// its own name and folder, No removes it; a running window's copy is left alone.
TEST_F(DocumentSessionTest, WorkACrashLeftIsOfferedAtStartUp) {
    const QString original = writeFile(QStringLiteral("song.msf"), kTwoTrackFile);
    auto running = startSession(original);
    running->perform(QStringLiteral("Edit"), [&] { running->composition().Division = 99; });
    running->autosaveNow();
    // The copy of a process that has ended: the same files under a number no process has.
    int gone = 4194303;
    while (::kill(gone, 0) == 0 || errno != ESRCH)
        --gone;
    const QString crashed = dir.filePath(QStringLiteral("recovery/%1-5-1.msf").arg(gone));

    for (const bool restore : {false, true}) {
        for (const char* suffix : {".msf", ".json"})
            ASSERT_TRUE(QFile::copy(running->recoveryPath().chopped(4) + suffix,
                                    crashed.chopped(4) + suffix));
        dialogs.asked.clear();
        dialogs.yesNo = {restore};
        auto s = startSession();
        ASSERT_EQ(dialogs.questions().size(), 1);
        EXPECT_TRUE(dialogs.questions().first().startsWith(
            QStringLiteral("Recover Unsaved Work|Quillnote found unsaved work from ")));
        EXPECT_TRUE(
            dialogs.questions().first().endsWith(QStringLiteral(" (song.msf). Restore it?")));
        EXPECT_FALSE(QFile::exists(crashed));
        EXPECT_EQ(s->composition().Division, restore ? 99 : 64);
        if (!restore) continue;
        EXPECT_EQ(std::tie(s->composition().DocName, s->composition().Modified),
                  std::make_tuple("song.msf", true));
        EXPECT_TRUE(QFile::exists(s->recoveryPath()));
        dialogs.fileAnswers = {original};
        ASSERT_TRUE(s->Save_Click());
        EXPECT_EQ(dialogs.suggestedPath(), original);
    }
    EXPECT_TRUE(QFile::exists(running->recoveryPath()));
}

}  // namespace
}  // namespace qn
