// The system's MIDI input through RtMidi's C interface and the ALSA sequencer.
// The library is opened with dlopen the first time MIDI input is asked for
// (the menu opens, or a remembered port reconnects after the window's first
// paint): the window does not wait for it and the libraries it brings along.

#include <dlfcn.h>
#include <rtmidi_c.h>

#include <QFileInfo>
#include <QLoggingCategory>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "midiinputdevice.h"

namespace qn {

namespace {

Q_LOGGING_CATEGORY(lcMidiInput, "quillnote.midiinput", QtInfoMsg)

// Without it both the sequencer library and RtMidi write to stderr when
// there is none; asking first keeps a machine without MIDI quiet.
const QString kSequencerDevice = QStringLiteral("/dev/snd/seq");

// X(member, symbol), typed from RtMidi's own header.
#define QN_RTMIDI_FUNCTIONS(X)                 \
    X(in_create, rtmidi_in_create)             \
    X(in_free, rtmidi_in_free)                 \
    X(get_port_count, rtmidi_get_port_count)   \
    X(get_port_name, rtmidi_get_port_name)     \
    X(open_port, rtmidi_open_port)             \
    X(close_port, rtmidi_close_port)           \
    X(in_set_callback, rtmidi_in_set_callback) \
    X(in_cancel_callback, rtmidi_in_cancel_callback)

struct RtMidiFunctions {
#define QN_TABLE_MEMBER(member, symbol) decltype(&::symbol) member = nullptr;
    QN_RTMIDI_FUNCTIONS(QN_TABLE_MEMBER)
#undef QN_TABLE_MEMBER
};

// The name of the first function missing, or null.
const char* resolveAll(void* handle, RtMidiFunctions& table) {
#define QN_RESOLVE(member, symbol)                                                   \
    table.member = reinterpret_cast<decltype(table.member)>(dlsym(handle, #symbol)); \
    if (!table.member) return #symbol;
    QN_RTMIDI_FUNCTIONS(QN_RESOLVE)
#undef QN_RESOLVE
    return nullptr;
}

// Opened once (user-interface thread); null, said once in the log, when the
// library or one of its functions is missing.
const RtMidiFunctions* rtMidi() {
    static const std::optional<RtMidiFunctions> functions = [] {
        std::optional<RtMidiFunctions> table;
        void* handle = dlopen(QUILLNOTE_RTMIDI_SONAME, RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            qCWarning(lcMidiInput, "no MIDI input: %s", dlerror());
            return table;
        }
        table.emplace();
        if (const char* missing = resolveAll(handle, *table)) {
            qCWarning(lcMidiInput, "no MIDI input: %s has no %s", QUILLNOTE_RTMIDI_SONAME, missing);
            table.reset();
            dlclose(handle);
        }
        return table;
    }();
    return functions ? &*functions : nullptr;
}

// RtMidi reports a failure by clearing the wrapper's `ok` (its message may
// already be gone): each call that can fail clears it first.
class RtMidiInputDevice final : public MidiInputDevice {
  public:
    // Null when the sequencer does not answer.
    static std::unique_ptr<RtMidiInputDevice> create(const RtMidiFunctions& api) {
        RtMidiInPtr in = api.in_create(RTMIDI_API_LINUX_ALSA, "Quillnote", 100);
        if (in && in->ok) return std::unique_ptr<RtMidiInputDevice>(new RtMidiInputDevice(api, in));
        qCWarning(lcMidiInput, "no MIDI input: the ALSA sequencer could not be opened");
        if (in) api.in_free(in);
        return nullptr;
    }
    ~RtMidiInputDevice() override {
        close();
        m_api.in_free(m_in);
    }

    QStringList ports() override {
        QStringList names;
        m_in->ok = true;
        const unsigned count = m_api.get_port_count(m_in);
        if (!m_in->ok) return names;
        for (unsigned i = 0; i < count; ++i) {
            int length = 0;  // with the terminating zero
            std::string name;
            if (m_api.get_port_name(m_in, i, nullptr, &length) == 0 && length > 0) {
                name.assign(static_cast<size_t>(length), '\0');
                m_api.get_port_name(m_in, i, name.data(), &length);
                name.resize(std::strlen(name.c_str()));
            }
            // Kept when empty: a port's index is its place in this list.
            names << QString::fromStdString(name);
        }
        return names;
    }

    bool open(const QString& name, Receiver receiver) override {
        close();
        const int index = static_cast<int>(ports().indexOf(name));
        if (index < 0) return false;
        m_receiver = std::move(receiver);
        m_api.in_set_callback(m_in, &RtMidiInputDevice::deliver, this);
        m_callback = true;
        m_in->ok = true;
        m_api.open_port(m_in, static_cast<unsigned>(index), "Quillnote keyboard");
        m_open = m_in->ok;
        if (!m_open) {
            qCWarning(lcMidiInput, "the MIDI input %s could not be opened", qUtf8Printable(name));
            close();
        }
        return m_open;
    }

    void close() override {
        // Closing stops RtMidi's input thread; only then may the receiver go.
        if (std::exchange(m_open, false)) m_api.close_port(m_in);
        if (std::exchange(m_callback, false)) m_api.in_cancel_callback(m_in);
        m_receiver = nullptr;
    }

  private:
    RtMidiInputDevice(const RtMidiFunctions& api, RtMidiInPtr in) : m_api(api), m_in(in) {}

    // RtMidi's input thread.
    static void deliver(double /*seconds*/, const unsigned char* message, size_t size, void* self) {
        auto* device = static_cast<RtMidiInputDevice*>(self);
        if (message && device->m_receiver)
            device->m_receiver(std::vector<unsigned char>(message, message + size));
    }

    const RtMidiFunctions& m_api;
    RtMidiInPtr m_in;
    Receiver m_receiver;
    bool m_open = false;      // a port is open
    bool m_callback = false;  // deliver() is RtMidi's callback
};

}  // namespace

std::unique_ptr<MidiInputDevice> systemMidiInput() {
    if (!QFileInfo::exists(kSequencerDevice)) return nullptr;
    const RtMidiFunctions* api = rtMidi();
    return api ? RtMidiInputDevice::create(*api) : nullptr;
}

}  // namespace qn
