#pragma once

// Where MIDI keyboard messages come from: the system's MIDI input ports, or a
// test's script. Kept this small so that everything above it runs without a
// device.

#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace qn {

class MidiInputDevice {
  public:
    // Called on the device's own thread with each message's bytes.
    using Receiver = std::function<void(const std::vector<unsigned char>& message)>;

    virtual ~MidiInputDevice() = default;
    // The input ports' names, as the system gives them; empty when there are none.
    virtual QStringList ports() = 0;
    // Listens to port `name` alone from now on; false when it could not be opened.
    virtual bool open(const QString& name, Receiver receiver) = 0;
    // Stops listening; once it returns, the receiver is never called again.
    virtual void close() = 0;
};

// The ALSA sequencer's input ports; null when the sequencer is missing or does
// not answer. Asking is quiet: no message on stderr, nothing shown.
std::unique_ptr<MidiInputDevice> systemMidiInput();

}  // namespace qn
