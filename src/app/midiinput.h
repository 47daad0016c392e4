#pragma once

// A MIDI keyboard: the chosen input port, remembered in the settings, and its
// keys handed to the user-interface thread as note numbers. The device is
// asked for only when needed (the menu opens, or a port was remembered), so a
// start without MIDI costs nothing.

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "midiinputdevice.h"

class QSettings;

namespace qn {

class MidiInput : public QObject {
    Q_OBJECT
  public:
    // Gives the device, or null when there is no MIDI input.
    using DeviceFactory = std::function<std::unique_ptr<MidiInputDevice>()>;

    // `factory` null: the system's input. The chosen port's name is kept in `store`.
    MidiInput(DeviceFactory factory, QSettings& store, QObject* parent = nullptr);
    ~MidiInput() override;

    // The input ports now; empty without MIDI input.
    QStringList ports();
    // The port listened to, empty for none.
    const QString& current() const { return m_current; }
    // Listens to `port` and remembers it; an empty name stops listening and
    // forgets. False, listening to nothing and remembering what was, when the
    // port could not be opened.
    bool choose(const QString& port);
    // Listens to the remembered port if it is there now (its numbers may have
    // changed since) and not listened to already; nothing is asked of the
    // system when none is remembered.
    void reconnect();

  signals:
    // A key pressed or released on the keyboard (note number 0..127), any channel.
    void noteOn(int note);
    void noteOff(int note);

  private:
    MidiInputDevice* device();
    bool listen(const QString& port);
    // The device's thread: the notes go to this object's thread, queued.
    void receive(const std::vector<unsigned char>& message);

    DeviceFactory m_factory;
    QSettings& m_store;
    std::unique_ptr<MidiInputDevice> m_device;
    bool m_asked = false;  // the factory ran
    QString m_current;
};

}  // namespace qn
