#pragma once

// The sound subsystem's logging category, and FluidSynth's messages routed
// into it. The audio thread must not log, so what FluidSynth says while it
// renders there is parked in a fixed ring and logged later on the
// user-interface thread.

#include <QLoggingCategory>
#include <array>
#include <atomic>
#include <cstdint>

Q_DECLARE_LOGGING_CATEGORY(lcSound)

namespace qn {

// Installs the FluidSynth log functions (once per process; any thread, once
// loadFluidSynth() has succeeded).
// Debug messages pass only while the category's debug output is enabled.
void routeFluidSynthLog();

// FluidSynth messages emitted on an audio thread: one producer (the audio
// thread of one engine), one consumer (the user-interface thread).
class AudioThreadMessages {
  public:
    // Audio thread, through the log function: copies the text, never blocks
    // or allocates. A full ring counts the message as dropped.
    void push(int fluidLevel, const char* text) noexcept;
    // User-interface thread: logs and removes what was parked.
    void drain();

    // While one lives on a thread, FluidSynth messages on that thread go to
    // `messages` instead of the log. The audio callback opens one per block.
    class Scope {
      public:
        explicit Scope(AudioThreadMessages* messages) noexcept;
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

      private:
        AudioThreadMessages* m_previous;
    };

  private:
    static constexpr int kSlots = 16;
    static constexpr int kTextBytes = 240;
    struct Slot {
        int level = 0;
        std::array<char, kTextBytes> text{};
    };
    std::array<Slot, kSlots> m_slots{};
    std::atomic<uint32_t> m_written{0};  // advanced by the producer
    std::atomic<uint32_t> m_read{0};     // advanced by the consumer
    std::atomic<uint32_t> m_dropped{0};
};

}  // namespace qn
