#include "app/midiinput.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <thread>

#include "apptestsupport.h"
#include "model/notepreview.h"

namespace qn {
namespace {

// A keyboard that sends what the test gives it from a thread of its own, as the real one does.
struct ScriptedKeyboard : MidiInputDevice {
    QStringList ports() override { return names; }
    bool open(const QString& name, Receiver r) override {
        opened = name;
        receiver = std::move(r);
        return true;
    }
    void close() override { opened.clear(); }
    void send(const std::vector<unsigned char>& message) {
        std::thread([&] { receiver(message); }).join();
        QCoreApplication::processEvents();
    }
    QStringList names;
    QString opened;
    Receiver receiver;
};

class MidiInputTest : public test::WindowTest {
  protected:
    std::unique_ptr<MainWindow> windowWith(const QStringList& ports) {
        midiInput = [this, ports] {
            auto device = std::make_unique<ScriptedKeyboard>();
            device->names = ports;
            keyboard = device.get();
            return device;
        };
        auto w = makeWindow();
        // A remembered port is looked for after the window's first paint.
        if (store->contains(QStringLiteral("Properties/midiinput"))) {
            EXPECT_TRUE(QTest::qWaitFor([this] { return keyboard != nullptr; }));
        }
        return w;
    }
    static QList<QAction*> menuItems(MainWindow& w) {
        auto* menu = w.findChild<QMenu*>(QStringLiteral("MidiInput"));
        emit menu->aboutToShow();
        return menu->actions();
    }

    ScriptedKeyboard* keyboard = nullptr;
};

// Octave 4 puts the piano's 25 keys on notes 59 (B) to 83 (B); every key
// sounds the active track's instrument at once and enters its note while
// recording. Keys outside the range, releases and other messages do nothing.
TEST_F(MidiInputTest, NoteOnsPlayAndEnterThePianosNotesInTheActiveTrack) {
    const QString port = QStringLiteral("Keys:Keys MIDI 1 20:0");
    auto w = windowWith({port});
    menuItems(*w).at(0)->trigger();
    w->composition().TrackInstrument[0] = 40;

    const struct {
        std::vector<unsigned char> message;
        int pitch;  // entered and heard; -1: nothing happens
    } cases[] = {
        {{0x90, 59, 64}, 0},  {{0x90, 60, 64}, 1}, {{0x9F, 83, 1}, 24},  {{0x90, 58, 64}, -1},
        {{0x90, 84, 64}, -1}, {{0x90, 60, 0}, -1}, {{0x80, 60, 64}, -1}, {{0xC0, 5}, -1},
    };
    const EditState& e = w->editState();
    for (const auto& test : cases) {
        SCOPED_TRACE(test.message[1]);
        const int count = w->composition().NoteCount[0];
        engine->bytes.clear();
        keyboard->send(test.message);
        const bool played = test.pitch >= 0;
        ASSERT_EQ(w->composition().NoteCount[0], count + played);
        if (played) {
            EXPECT_EQ(w->composition().NotePitch[0][count], test.pitch);
        }
        EXPECT_EQ(engine->bytes,
                  played ? writenote(40, test.pitch, e.DefaultLength, 4, e.DefaultVelocity).bytes
                         : std::vector<uint8_t>());
    }
}

// The choice is kept by name and found again when the sequencer has given the
// keyboard other numbers; without MIDI input the menu says so and nothing else happens.
TEST_F(MidiInputTest, TheChosenPortIsRememberedAndTheMenuShowsWhenThereIsNone) {
    store->setValue(QStringLiteral("Properties/midiinput"), QStringLiteral("Keys:Keys 20:0"));
    auto w = windowWith({QStringLiteral("Through:Port 14:0"), QStringLiteral("Keys:Keys 24:0")});
    EXPECT_EQ(keyboard->opened, QStringLiteral("Keys:Keys 24:0"));
    const QList<QAction*> items = menuItems(*w);
    ASSERT_EQ(items.size(), 2);
    EXPECT_TRUE(items[1]->isChecked());
    items[0]->trigger();
    EXPECT_EQ(store->value(QStringLiteral("Properties/midiinput")).toString(),
              QStringLiteral("Through:Port 14:0"));

    midiInput = [] { return nullptr; };
    auto none = makeWindow();
    const QList<QAction*> missing = menuItems(*none);
    ASSERT_EQ(missing.size(), 1);
    EXPECT_EQ(missing[0]->text(), QStringLiteral("No MIDI input"));
    EXPECT_FALSE(missing[0]->isEnabled());
    EXPECT_TRUE(dialogs->messages.isEmpty());
}

}  // namespace
}  // namespace qn
