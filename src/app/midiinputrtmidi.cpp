// The system's MIDI input through RtMidi and the ALSA sequencer.

#include <RtMidi.h>

#include <QFileInfo>
#include <QLoggingCategory>

#include "midiinputdevice.h"

namespace qn {

namespace {

Q_LOGGING_CATEGORY(lcMidiInput, "quillnote.midiinput", QtInfoMsg)

// Without it both the sequencer library and RtMidi write to stderr when
// there is none; asking first keeps a machine without MIDI quiet.
const QString kSequencerDevice = QStringLiteral("/dev/snd/seq");

class RtMidiInputDevice final : public MidiInputDevice {
  public:
    RtMidiInputDevice() : m_in(RtMidi::LINUX_ALSA, "Quillnote") {
        // From here on RtMidi reports through the log instead of throwing.
        m_in.setErrorCallback(&RtMidiInputDevice::logError, nullptr);
    }
    ~RtMidiInputDevice() override { close(); }

    QStringList ports() override {
        QStringList names;
        const unsigned count = m_in.getPortCount();
        for (unsigned i = 0; i < count; ++i)
            names << QString::fromStdString(m_in.getPortName(i));
        return names;
    }

    bool open(const QString& name, Receiver receiver) override {
        close();
        const int index = static_cast<int>(ports().indexOf(name));
        if (index < 0) return false;
        m_receiver = std::move(receiver);
        m_in.setCallback(&RtMidiInputDevice::deliver, this);
        m_in.openPort(static_cast<unsigned>(index), "Quillnote keyboard");
        if (!m_in.isPortOpen()) close();
        return m_in.isPortOpen();
    }

    void close() override {
        // Closing stops RtMidi's input thread; only then may the receiver go.
        if (m_in.isPortOpen()) m_in.closePort();
        m_in.cancelCallback();
        m_receiver = nullptr;
    }

  private:
    // RtMidi's input thread.
    static void deliver(double /*seconds*/, std::vector<unsigned char>* message, void* self) {
        auto* device = static_cast<RtMidiInputDevice*>(self);
        if (message && device->m_receiver) device->m_receiver(*message);
    }
    static void logError(RtMidiError::Type, const std::string& text, void*) {
        qCWarning(lcMidiInput, "%s", text.c_str());
    }

    RtMidiIn m_in;
    Receiver m_receiver;
};

}  // namespace

std::unique_ptr<MidiInputDevice> systemMidiInput() {
    if (!QFileInfo::exists(kSequencerDevice)) return nullptr;
    try {
        return std::make_unique<RtMidiInputDevice>();
    } catch (const RtMidiError& error) {
        qCWarning(lcMidiInput, "no MIDI input: %s", error.getMessage().c_str());
        return nullptr;
    }
}

}  // namespace qn
