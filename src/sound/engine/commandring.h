#pragma once

// A fixed ring of commands from one producer thread (the user interface) to one
// consumer (the audio thread): no locks, no allocation after construction.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace qn {

template <typename Command, size_t kSlots>
class CommandRing {
    static_assert((kSlots & (kSlots - 1)) == 0, "a power of two");

  public:
    // Producer: false when the ring is full.
    bool push(const Command& command) {
        const uint64_t w = m_written.load(std::memory_order_relaxed);
        if (w - m_read.load(std::memory_order_acquire) >= kSlots) return false;
        m_slots[w % kSlots] = command;
        m_written.store(w + 1, std::memory_order_release);
        return true;
    }
    // Consumer: the oldest command, left in the ring; null when empty.
    const Command* peek() const {
        const uint64_t r = m_read.load(std::memory_order_relaxed);
        if (r == m_written.load(std::memory_order_acquire)) return nullptr;
        return &m_slots[r % kSlots];
    }
    // Consumer: removes the command peek() returned.
    void pop() {
        m_read.store(m_read.load(std::memory_order_relaxed) + 1, std::memory_order_release);
    }
    // Commands the consumer has removed so far (any thread).
    uint64_t consumed() const { return m_read.load(std::memory_order_acquire); }
    // Commands pushed so far (producer).
    uint64_t produced() const { return m_written.load(std::memory_order_relaxed); }

  private:
    std::array<Command, kSlots> m_slots{};
    std::atomic<uint64_t> m_written{0};
    std::atomic<uint64_t> m_read{0};
};

}  // namespace qn
