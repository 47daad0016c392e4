#include "midisequence.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace qn {

namespace {

constexpr size_t kChunkHeader = 8;
constexpr int kDrumChannel = 9;
constexpr int kDrumBank = 128;
constexpr uint32_t kDefaultTempo = 500000;  // microseconds per quarter note

uint32_t bigEndian32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// Reads a variable-length quantity at `at`; false when it runs past `end`.
bool readVarLength(const uint8_t* bytes, size_t end, size_t& at, uint32_t& value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
        if (at >= end) return false;
        const uint8_t b = bytes[at++];
        value = (value << 7) | (b & 0x7Fu);
        if (!(b & 0x80)) return true;
    }
    return false;
}

struct TickEvent {
    uint32_t tick;
    uint8_t status, data1, data2;
};

struct TempoChange {
    uint32_t tick;
    uint32_t microsPerQuarter;
};

// Appends one track chunk's channel messages and tempo changes; returns the
// tick of its end-of-track event (or its last event), or -1 when the chunk
// cannot be walked or `cancel` became true.
int64_t readTrack(const uint8_t* bytes, size_t at, size_t end, std::vector<TickEvent>& events,
                  std::vector<TempoChange>& tempos, const std::atomic<bool>* cancel) {
    uint32_t ticks = 0;
    uint8_t running = 0;  // running status: the last channel message's status byte
    while (at < end) {
        uint32_t delta = 0;
        if (!readVarLength(bytes, end, at, delta) || at >= end) return -1;
        ticks += delta;
        const uint8_t status = bytes[at] >= 0x80 ? bytes[at++] : running;
        if (status == 0xFF) {  // meta event: type, length, data
            if (at >= end) return -1;
            const uint8_t type = bytes[at++];
            uint32_t length = 0;
            if (!readVarLength(bytes, end, at, length) || length > end - at) return -1;
            if (type == 0x51 && length == 3)
                tempos.push_back({ticks, (uint32_t{bytes[at]} << 16) |
                                             (uint32_t{bytes[at + 1]} << 8) | bytes[at + 2]});
            at += length;
            if (type == 0x2F) return ticks;
        } else if (status == 0xF0 || status == 0xF7) {  // system exclusive: length, data
            uint32_t length = 0;
            if (!readVarLength(bytes, end, at, length) || length > end - at) return -1;
            at += length;
        } else if (status >= 0x80 && status < 0xF0) {
            running = status;
            const size_t dataBytes = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
            if (dataBytes > end - at) return -1;
            events.push_back(
                {ticks, status, bytes[at], dataBytes == 2 ? bytes[at + 1] : uint8_t{0}});
            at += dataBytes;
            if (cancel && events.size() % 65536 == 0 && cancel->load(std::memory_order_relaxed))
                return -1;
        } else {
            return -1;  // data without a status, or a system message
        }
    }
    return ticks;
}

// Frames from tick 0 to any tick, through the tempo changes in tick order.
class TickToFrame {
  public:
    TickToFrame(int division, int sampleRate, std::vector<TempoChange> tempos)
        : m_rate(sampleRate), m_tempos(std::move(tempos)) {
        if (division & 0x8000) {
            // Time code: frames per second (negative, two's complement) times ticks per frame.
            const int fps = -static_cast<int8_t>(division >> 8);
            m_smpteTicksPerSecond = fps * (division & 0xFF);
        } else {
            m_division = division;
        }
        std::stable_sort(
            m_tempos.begin(), m_tempos.end(),
            [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
    }

    // Ticks must come in rising order.
    int64_t frameAt(uint32_t tick) {
        if (m_smpteTicksPerSecond > 0)
            return std::llround(double(tick) * m_rate / m_smpteTicksPerSecond);
        while (m_next < m_tempos.size() && m_tempos[m_next].tick <= tick) {
            m_baseSeconds += secondsBetween(m_baseTick, m_tempos[m_next].tick);
            m_baseTick = m_tempos[m_next].tick;
            m_tempo = m_tempos[m_next].microsPerQuarter;
            ++m_next;
        }
        return std::llround((m_baseSeconds + secondsBetween(m_baseTick, tick)) * m_rate);
    }

  private:
    double secondsBetween(uint32_t from, uint32_t to) const {
        return double(to - from) * m_tempo / (1e6 * m_division);
    }

    int m_rate;
    int m_division = 1;
    int m_smpteTicksPerSecond = 0;
    std::vector<TempoChange> m_tempos;
    size_t m_next = 0;
    uint32_t m_tempo = kDefaultTempo;
    uint32_t m_baseTick = 0;
    double m_baseSeconds = 0;
};

// The presets the channels select, starting from the reset state (program 0,
// bank 0, the drum channel on bank 128). Only a bank select's high byte counts.
std::vector<PresetRef> presetsOf(const std::vector<TickEvent>& events) {
    std::vector<PresetRef> presets;
    std::array<int, 16> bank{};
    std::array<bool, 16> chosen{};
    bank[kDrumChannel] = kDrumBank;
    const auto add = [&presets](PresetRef p) {
        if (std::find(presets.begin(), presets.end(), p) == presets.end()) presets.push_back(p);
    };
    for (const TickEvent& e : events) {
        const int channel = e.status & 0x0F;
        switch (e.status & 0xF0) {
            case 0xB0:
                if (e.data1 == 0 && channel != kDrumChannel) bank[channel] = e.data2;
                break;
            case 0xC0:
                add({bank[channel], e.data1});
                chosen[channel] = true;
                break;
            case 0x90:
                if (!chosen[channel] && e.data2 > 0) {
                    add({bank[channel] == kDrumBank ? kDrumBank : 0, 0});
                    chosen[channel] = true;
                }
                break;
            default:
                break;
        }
    }
    return presets;
}

}  // namespace

std::unique_ptr<const MidiSequence> MidiSequence::parse(const uint8_t* bytes, size_t size,
                                                        int sampleRate, std::string* error,
                                                        const std::atomic<bool>* cancel) {
    const auto fail = [error](const char* why) {
        *error = why;
        return nullptr;
    };
    if (size < kChunkHeader + 6 || std::memcmp(bytes, "MThd", 4) != 0)
        return fail("The data is not a Standard MIDI File.");
    const uint32_t headerLength = bigEndian32(bytes + 4);
    const int format = (bytes[8] << 8) | bytes[9];
    const int tracks = (bytes[10] << 8) | bytes[11];
    const int division = (bytes[12] << 8) | bytes[13];
    if (headerLength < 6 || headerLength > size - kChunkHeader || format > 2 || tracks < 1 ||
        division == 0)
        return fail("The MIDI file's header is damaged.");

    // Every channel message takes at least two bytes: room for all, touched only as used.
    std::vector<TickEvent> events;
    events.reserve(size / 2);
    std::vector<TempoChange> tempos;
    uint32_t endTick = 0;
    size_t at = kChunkHeader + headerLength;
    for (int found = 0; found < tracks;) {
        if (cancel && cancel->load(std::memory_order_relaxed)) return nullptr;
        if (size - at < kChunkHeader) return fail("The MIDI file ends before its last track.");
        const size_t dataAt = at + kChunkHeader;
        const uint32_t length = bigEndian32(bytes + at + 4);
        if (length > size - dataAt) return fail("The MIDI file ends inside a track.");
        // Chunks of other kinds are skipped.
        if (std::memcmp(bytes + at, "MTrk", 4) == 0) {
            const int64_t ticks = readTrack(bytes, dataAt, dataAt + length, events, tempos, cancel);
            if (cancel && cancel->load(std::memory_order_relaxed)) return nullptr;
            if (ticks < 0) return fail("A track of the MIDI file is damaged.");
            endTick = std::max(endTick, static_cast<uint32_t>(ticks));
            ++found;
        }
        at = dataAt + length;
    }

    // Stable: at equal ticks the earlier track's events come first.
    std::stable_sort(events.begin(), events.end(),
                     [](const TickEvent& a, const TickEvent& b) { return a.tick < b.tick; });
    if (cancel && cancel->load(std::memory_order_relaxed)) return nullptr;

    std::unique_ptr<MidiSequence> sequence(new MidiSequence);
    TickToFrame toFrame(division, sampleRate, std::move(tempos));
    sequence->m_events.reserve(events.size());
    for (const TickEvent& e : events)
        sequence->m_events.push_back({toFrame.frameAt(e.tick), e.status, e.data1, e.data2});
    sequence->m_endTick = endTick;
    sequence->m_endFrame = toFrame.frameAt(endTick);
    sequence->m_presets = presetsOf(events);
    return sequence;
}

}  // namespace qn
