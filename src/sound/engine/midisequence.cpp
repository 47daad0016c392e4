#include "midisequence.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <functional>

namespace qn {

namespace {

constexpr size_t kChunkHeader = 8;
constexpr int kDrumChannel = 9;
constexpr int kDrumBank = 128;
constexpr uint32_t kDefaultTempo = 500000;  // microseconds per quarter note
constexpr size_t kCancelCheckEvents = 65536;

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

// Where one track chunk has been read to: `at` is its next event's status or
// data byte, `tick` that event's tick (its delta already added).
struct Track {
    size_t at = 0;
    size_t end = 0;
    uint32_t tick = 0;
    uint8_t running = 0;  // running status: the last channel message's status byte
};

// Frames from tick 0 to any tick, the tempo changing on the way.
class TickToFrame {
  public:
    TickToFrame(int division, int sampleRate) : m_rate(sampleRate) {
        if (division & 0x8000) {
            // Time code: frames per second (negative, two's complement) times ticks per frame.
            const int fps = -static_cast<int8_t>(division >> 8);
            m_smpteTicksPerSecond = fps * (division & 0xFF);
        } else {
            m_division = division;
        }
    }

    // Ticks, of tempo changes and frames alike, must come in rising order.
    void setTempo(uint32_t tick, uint32_t microsPerQuarter) {
        m_baseSeconds += secondsBetween(m_baseTick, tick);
        m_baseTick = tick;
        m_tempo = microsPerQuarter;
        m_cachedTick = UINT32_MAX;
    }

    int64_t frameAt(uint32_t tick) {
        // Events come in bunches at one tick (chords, note-offs with note-ons).
        if (tick == m_cachedTick) return m_cachedFrame;
        m_cachedTick = tick;
        if (m_smpteTicksPerSecond > 0)
            m_cachedFrame = std::llround(double(tick) * m_rate / m_smpteTicksPerSecond);
        else
            m_cachedFrame =
                std::llround((m_baseSeconds + secondsBetween(m_baseTick, tick)) * m_rate);
        return m_cachedFrame;
    }

  private:
    double secondsBetween(uint32_t from, uint32_t to) const {
        return double(to - from) * m_tempo / (1e6 * m_division);
    }

    int m_rate;
    int m_division = 1;
    int m_smpteTicksPerSecond = 0;
    uint32_t m_tempo = kDefaultTempo;
    uint32_t m_baseTick = 0;
    double m_baseSeconds = 0;
    uint32_t m_cachedTick = UINT32_MAX;
    int64_t m_cachedFrame = 0;
};

// The presets the channels select, starting from the reset state (program 0,
// bank 0, the drum channel on bank 128). Only a bank select's high byte counts.
class PresetTracker {
  public:
    PresetTracker() { m_bank[kDrumChannel] = kDrumBank; }

    void see(uint8_t status, uint8_t data1, uint8_t data2) {
        const int channel = status & 0x0F;
        switch (status & 0xF0) {
            case 0xB0:
                if (data1 == 0 && channel != kDrumChannel) m_bank[channel] = data2;
                break;
            case 0xC0:
                add({m_bank[channel], data1});
                m_chosen[channel] = true;
                break;
            case 0x90:
                if (!m_chosen[channel] && data2 > 0) {
                    add({m_bank[channel] == kDrumBank ? kDrumBank : 0, 0});
                    m_chosen[channel] = true;
                }
                break;
            default:
                break;
        }
    }
    std::vector<PresetRef> take() { return std::move(m_presets); }

  private:
    void add(PresetRef p) {
        if (std::find(m_presets.begin(), m_presets.end(), p) == m_presets.end())
            m_presets.push_back(p);
    }

    std::vector<PresetRef> m_presets;
    std::array<int, 16> m_bank{};
    std::array<bool, 16> m_chosen{};
};

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
    const int trackCount = (bytes[10] << 8) | bytes[11];
    const int division = (bytes[12] << 8) | bytes[13];
    if (headerLength < 6 || headerLength > size - kChunkHeader || format > 2 || trackCount < 1 ||
        division == 0)
        return fail("The MIDI file's header is damaged.");
    const auto cancelled = [cancel] { return cancel && cancel->load(std::memory_order_relaxed); };

    // The track chunks; chunks of other kinds are skipped.
    std::vector<Track> tracks;
    tracks.reserve(static_cast<size_t>(trackCount));
    size_t at = kChunkHeader + headerLength;
    while (tracks.size() < static_cast<size_t>(trackCount)) {
        if (size - at < kChunkHeader) return fail("The MIDI file ends before its last track.");
        const size_t dataAt = at + kChunkHeader;
        const uint32_t length = bigEndian32(bytes + at + 4);
        if (length > size - dataAt) return fail("The MIDI file ends inside a track.");
        if (std::memcmp(bytes + at, "MTrk", 4) == 0) tracks.push_back({dataAt, dataAt + length});
        at = dataAt + length;
    }

    // Every channel message takes at least two bytes: room for all, touched only as used.
    std::unique_ptr<MidiSequence> sequence(new MidiSequence);
    std::vector<SequenceEvent>& events = sequence->m_events;
    events.reserve(size / 2);
    TickToFrame toFrame(division, sampleRate);
    PresetTracker presets;
    uint32_t endTick = 0;

    // The tracks are each in time order: merging them, always reading on in the
    // one whose next event comes first (the earlier track at equal ticks), gives
    // every event in time order, and tempo changes arrive before the ticks they time.
    // Keys are a track's next tick above its index, in a min-heap.
    std::vector<uint64_t> heap;
    heap.reserve(tracks.size());
    const auto keyOf = [&tracks](size_t i) { return uint64_t{tracks[i].tick} << 16 | i; };
    // Reads the delta before a track's next event; false when its chunk is over
    // (the track ends there) or damaged (`damaged` set).
    bool damaged = false;
    const auto readDelta = [&](Track& t) {
        if (t.at == t.end) {
            endTick = std::max(endTick, t.tick);
            return false;
        }
        uint32_t delta = 0;
        if (!readVarLength(bytes, t.end, t.at, delta) || t.at >= t.end) {
            damaged = true;
            return false;
        }
        t.tick += delta;
        return true;
    };
    for (size_t i = 0; i < tracks.size(); ++i)
        if (readDelta(tracks[i])) heap.push_back(keyOf(i));
    if (damaged) return fail("A track of the MIDI file is damaged.");
    std::make_heap(heap.begin(), heap.end(), std::greater<>());

    size_t nextCancelCheck = kCancelCheckEvents;
    while (!heap.empty()) {
        std::pop_heap(heap.begin(), heap.end(), std::greater<>());
        const size_t index = heap.back() & 0xFFFF;
        heap.pop_back();
        Track& t = tracks[index];
        // Reads on in this track while its events still come first.
        for (;;) {
            const size_t end = t.end;
            const uint8_t status = bytes[t.at] >= 0x80 ? bytes[t.at++] : t.running;
            if (status == 0xFF) {  // meta event: type, length, data
                if (t.at >= end) return fail("A track of the MIDI file is damaged.");
                const uint8_t type = bytes[t.at++];
                uint32_t length = 0;
                if (!readVarLength(bytes, end, t.at, length) || length > end - t.at)
                    return fail("A track of the MIDI file is damaged.");
                if (type == 0x51 && length == 3)
                    toFrame.setTempo(t.tick, (uint32_t{bytes[t.at]} << 16) |
                                                 (uint32_t{bytes[t.at + 1]} << 8) |
                                                 bytes[t.at + 2]);
                t.at += length;
                if (type == 0x2F) {
                    t.at = end;  // what follows the end of the track is not played
                    endTick = std::max(endTick, t.tick);
                    break;
                }
            } else if (status == 0xF0 || status == 0xF7) {  // system exclusive: length, data
                uint32_t length = 0;
                if (!readVarLength(bytes, end, t.at, length) || length > end - t.at)
                    return fail("A track of the MIDI file is damaged.");
                t.at += length;
            } else if (status >= 0x80 && status < 0xF0) {
                t.running = status;
                const size_t dataBytes = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
                if (dataBytes > end - t.at) return fail("A track of the MIDI file is damaged.");
                const uint8_t data1 = bytes[t.at];
                const uint8_t data2 = dataBytes == 2 ? bytes[t.at + 1] : uint8_t{0};
                t.at += dataBytes;
                events.push_back({toFrame.frameAt(t.tick), status, data1, data2});
                presets.see(status, data1, data2);
                if (events.size() == nextCancelCheck) {
                    if (cancelled()) return nullptr;
                    nextCancelCheck += kCancelCheckEvents;
                }
            } else {
                // Data without a status, or a system message.
                return fail("A track of the MIDI file is damaged.");
            }
            if (!readDelta(t)) {
                if (damaged) return fail("A track of the MIDI file is damaged.");
                break;
            }
            if (!heap.empty() && keyOf(index) > heap.front()) {
                heap.push_back(keyOf(index));
                std::push_heap(heap.begin(), heap.end(), std::greater<>());
                break;
            }
        }
    }
    if (cancelled()) return nullptr;

    sequence->m_endTick = endTick;
    sequence->m_endFrame = toFrame.frameAt(endTick);
    sequence->m_presets = presets.take();
    return sequence;
}

}  // namespace qn
