#pragma once

// A Standard MIDI File turned into what the audio thread plays: its channel
// messages, time-sorted across all tracks, each at a frame position for one
// sample rate. Built off the audio thread, immutable afterwards, so the audio
// thread reads it without locks while its owner keeps it alive.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qn {

// A channel message (status 0x80..0xEF) due `frame` frames after the start.
struct SequenceEvent {
    int64_t frame = 0;
    uint8_t status = 0;
    uint8_t data1 = 0;
    uint8_t data2 = 0;
};

// A preset the file selects: bank 128 for the drum channel (9), as the synth does.
struct PresetRef {
    int bank = 0;
    int program = 0;
    bool operator==(const PresetRef&) const = default;
};

class MidiSequence {
  public:
    // Larger files are refused before they are read.
    static constexpr size_t kMaxFileBytes = size_t{64} << 20;

    // Formats 0, 1 and 2 (its tracks played together, as format 1); tempo
    // changes in any track apply to all; running status; meta and system
    // exclusive events are skipped. Null, with `error` set, when the bytes are
    // not a whole Standard MIDI File; null without an error when `cancel` became true.
    static std::unique_ptr<const MidiSequence> parse(const uint8_t* bytes, size_t size,
                                                     int sampleRate, std::string* error,
                                                     const std::atomic<bool>* cancel = nullptr);
    static std::unique_ptr<const MidiSequence> parse(const std::vector<uint8_t>& bytes,
                                                     int sampleRate, std::string* error) {
        return parse(bytes.data(), bytes.size(), sampleRate, error);
    }

    const std::vector<SequenceEvent>& events() const { return m_events; }
    // The tick and frame of the latest end-of-track event: where the file has played to its end.
    uint32_t endTick() const { return m_endTick; }
    int64_t endFrame() const { return m_endFrame; }
    // Every preset a channel plays with, including the defaults of channels that never choose one.
    const std::vector<PresetRef>& presets() const { return m_presets; }

  private:
    MidiSequence() = default;

    std::vector<SequenceEvent> m_events;
    uint32_t m_endTick = 0;
    int64_t m_endFrame = 0;
    std::vector<PresetRef> m_presets;
};

}  // namespace qn
