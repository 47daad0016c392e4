#include "midiinput.h"

#include <QRegularExpression>
#include <QSettings>

namespace qn {

namespace {

const QString kChoiceKey = QStringLiteral("Properties/midiinput");

constexpr unsigned char kStatusMask = 0xF0;  // the channel is in the low four bits
constexpr unsigned char kNoteOff = 0x80;
constexpr unsigned char kNoteOn = 0x90;

// The sequencer names a port "Client:Port 20:0"; the two numbers change as
// devices come and go, the rest stays.
QString withoutAddress(const QString& port) {
    static const QRegularExpression address(QStringLiteral("\\s+\\d+:\\d+$"));
    return QString(port).remove(address);
}

}  // namespace

MidiInput::MidiInput(DeviceFactory factory, QSettings& store, QObject* parent)
    : QObject(parent),
      m_factory(factory ? std::move(factory) : DeviceFactory(systemMidiInput)),
      m_store(store) {}

MidiInput::~MidiInput() {
    // No message may arrive for an object that is going.
    if (m_device) m_device->close();
}

MidiInputDevice* MidiInput::device() {
    if (!m_asked) {
        m_asked = true;
        m_device = m_factory();
    }
    return m_device.get();
}

QStringList MidiInput::ports() {
    return device() ? m_device->ports() : QStringList();
}

bool MidiInput::choose(const QString& port) {
    if (!listen(port)) return false;
    m_store.setValue(kChoiceKey, port);
    return true;
}

void MidiInput::reconnect() {
    const QString remembered = m_store.value(kChoiceKey).toString();
    if (remembered.isEmpty()) return;
    const QStringList now = ports();
    // Still there: listening goes on undisturbed.
    if (!m_current.isEmpty() && now.contains(m_current)) return;
    if (now.contains(remembered)) {
        listen(remembered);
        return;
    }
    for (const QString& port : now)
        if (withoutAddress(port) == withoutAddress(remembered)) {
            listen(port);
            return;
        }
}

bool MidiInput::listen(const QString& port) {
    m_current.clear();
    if (!device()) return false;
    m_device->close();
    if (port.isEmpty()) return true;
    if (!m_device->open(port, [this](const auto& message) { receive(message); })) return false;
    m_current = port;
    return true;
}

void MidiInput::receive(const std::vector<unsigned char>& message) {
    if (message.size() < 3) return;
    const unsigned char status = message[0] & kStatusMask;
    const int note = message[1] & 0x7F;
    // A note-on of velocity 0 is how many keyboards release a key.
    const bool pressed = status == kNoteOn && message[2] != 0;
    if (!pressed && status != kNoteOn && status != kNoteOff) return;
    QMetaObject::invokeMethod(
        this,
        [this, note, pressed] {
            if (pressed)
                emit noteOn(note);
            else
                emit noteOff(note);
        },
        Qt::QueuedConnection);
}

}  // namespace qn
