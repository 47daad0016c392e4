#pragma once

// What the window and session tests share: a temporary folder with its own
// settings store, a composition file, and a window started on a fake engine
// with scripted dialogs.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QSettings>
#include <QTemporaryDir>

#include "app/mainwindow.h"
#include "fakeengine.h"
#include "scripteddialogs.h"
#include "staff/staffscene.h"

namespace qn::test {

inline const char* const kTwoTrackFile =
    "COMPOSITIONNAMEtwo.msf\r\nCOMPOSITIONCOPYRIGHT(c)2026\r\nCOMPOSITIONAUTHORAnn\r\n"
    "DIVISION 80\r\nECHO\r\nBASSCLEF\r\nTRACK 0\r\nINST 40\r\nOCTAVE 5\r\n"
    " 1, 90, 3\r\n 2, 91, 3\r\n 3, 92, 3\r\n 4, 93, 3\r\n 5, 94, 3\r\n"
    "TRACK 1\r\nINST 73\r\nOCTAVE 3\r\n 12, 100, 2\r\n 169, 100, 7\r\n"
    "LYRICS\r\n 5\r\none\r\ntwo\r\nthree\r\nfour\r\nfive\r\n";

class FolderTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString writeFile(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString property(const char* key) {
        store->sync();
        return store->value(QStringLiteral("Properties/") + QLatin1String(key)).toString();
    }
    SessionOptions sessionOptions(const QString& commandLine = {},
                                  const QString& registrationError = {}) {
        SessionOptions options;
        options.commandLine = commandLine;
        options.executablePath = QStringLiteral("/opt/quillnote/quillnote");
        options.settings = store.get();
        options.recoveryFolder = dir.filePath(QStringLiteral("recovery"));
        options.registerAssociation = [this, registrationError](const QString& executable) {
            registrations << executable;
            return registrationError;
        };
        return options;
    }

    QTemporaryDir dir;
    std::unique_ptr<QSettings> store = std::make_unique<QSettings>(
        dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    QStringList registrations;
};

class WindowTest : public FolderTest {
  protected:
    std::unique_ptr<MainWindow> makeWindow(const QString& commandLine = {}) {
        StartOptions options;
        static_cast<SessionOptions&>(options) = sessionOptions(commandLine);
        options.startEngine = [this] {
            auto fake = std::make_unique<FakeEngine>();
            engine = fake.get();
            return EngineStart{std::move(fake), {}};
        };
        options.midiInput = midiInput;
        auto scripted = std::make_unique<ScriptedDialogs>();
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

    // Keys as the keyboard delivers them: through the staff view to the item in
    // focus, and up to the window when that leaves them.
    static void key(MainWindow& w, QEvent::Type type, Qt::Key code, const QString& text = {}) {
        QKeyEvent event(type, code, Qt::NoModifier, text);
        QApplication::sendEvent(static_cast<QGraphicsView*>(w.centralWidget())->viewport(), &event);
    }
    static void type(MainWindow& w, const QString& text) {
        for (QChar ch : text)
            key(w, QEvent::KeyPress, Qt::Key_unknown, QString(ch));
    }

    template <typename T>
    static T* child(QWidget* parent, const QString& name) {
        T* found = parent->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    ScriptedDialogs* dialogs = nullptr;
    FakeEngine* engine = nullptr;
    // The window's MIDI input; none unless a test gives one, whatever the machine has.
    std::function<std::unique_ptr<MidiInputDevice>()> midiInput = [] { return nullptr; };
};

}  // namespace qn::test
