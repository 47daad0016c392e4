#include <gtest/gtest.h>

#include <QApplication>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "app/mainwindow.h"
#include "fakeengine.h"
#include "scripteddialogs.h"
#include "staff/lyricbox.h"
#include "staff/staffscene.h"

namespace qn {
namespace {

// A window whose first lyric box has the focus, as after a click into it.
class LyricEntryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        store = std::make_unique<QSettings>(dir.filePath(QStringLiteral("settings.ini")),
                                            QSettings::IniFormat);
        StartOptions options;
        options.settings = store.get();
        options.registerAssociation = [](const QString&) { return QString(); };
        options.startEngine = [] {
            return EngineStart{std::make_unique<test::FakeEngine>(), {}, {}};
        };
        auto scripted = std::make_unique<test::ScriptedDialogs>();
        dialogs = scripted.get();
        window = std::make_unique<MainWindow>(options, std::move(scripted));
        ASSERT_TRUE(window->start());
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        box = window->staff().items().Lyric[0];
        box->setFocus(Qt::MouseFocusReason);
        ASSERT_TRUE(box->hasFocus());
    }

    // Keys as the keyboard delivers them: through the staff view to the box in
    // focus, and up to the window when the box leaves them.
    void key(QEvent::Type type, Qt::Key code, const QString& text = {}) {
        QKeyEvent event(type, code, Qt::NoModifier, text);
        QApplication::sendEvent(static_cast<QGraphicsView*>(window->centralWidget())->viewport(),
                                &event);
    }
    void type(const QString& text) {
        for (QChar ch : text)
            key(QEvent::KeyPress, Qt::Key_unknown, QString(ch));
    }

    QTemporaryDir dir;
    std::unique_ptr<QSettings> store;
    test::ScriptedDialogs* dialogs = nullptr;
    std::unique_ptr<MainWindow> window;
    staff::LyricBox* box = nullptr;
};

TEST_F(LyricEntryTest, KeysTypedIntoALyricBoxNeverPlayThePiano) {
    for (Qt::Key code : {Qt::Key_Escape, Qt::Key_F1}) {
        key(QEvent::KeyPress, code);
        key(QEvent::KeyRelease, code);
    }
    EXPECT_EQ(window->composition().NoteCount[0], 0);
    EXPECT_FALSE(window->composition().Modified);
}

TEST_F(LyricEntryTest, ALyricStillBeingTypedIsKeptByTheCommandsThatFollow) {
    type(QStringLiteral("la"));
    window->Toolbar_Click(7);  // Insert: one blank note before everything, lyrics stay
    EXPECT_EQ(window->composition().Lyrics[0], "la");

    window->composition().Modified = false;
    box->selectAll();
    type(QStringLiteral("words"));
    window->Toolbar_Click(21);  // Exit: the typed lyric is a change worth asking about
    EXPECT_EQ(dialogs->asked,
              QStringList{QStringLiteral("End program|Do you want to save changes to Untitled ?")});
}

TEST_F(LyricEntryTest, TheWindowGoesSafelyWhileALyricBoxHasTheFocus) {
    type(QStringLiteral("last"));
    window.reset();  // closes the shown window, so the box loses the focus on the way
    EXPECT_EQ(window, nullptr);
}

}  // namespace
}  // namespace qn
