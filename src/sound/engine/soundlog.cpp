#include "soundlog.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "soundlibraries.h"

Q_LOGGING_CATEGORY(lcSound, "quillnote.sound", QtInfoMsg)

namespace qn {

namespace {

// The messages of the thread that renders, when it is an audio thread.
thread_local AudioThreadMessages* t_parked = nullptr;
// lcSound's debug switch, read without calling Qt on the audio thread.
std::atomic<bool> g_debugEnabled{false};

void logNow(int level, const char* text) {
    switch (level) {
        case FLUID_PANIC:
            qCCritical(lcSound, "FluidSynth: %s", text);
            break;
        case FLUID_ERR:
        case FLUID_WARN:
            qCWarning(lcSound, "FluidSynth: %s", text);
            break;
        case FLUID_INFO:
            qCInfo(lcSound, "FluidSynth: %s", text);
            break;
        default:
            qCDebug(lcSound, "FluidSynth: %s", text);
            break;
    }
}

void fluidLog(int level, const char* message, void*) {
    if (level == FLUID_DBG && !g_debugEnabled.load(std::memory_order_relaxed)) return;
    if (AudioThreadMessages* parked = t_parked) {
        parked->push(level, message);
        return;
    }
    logNow(level, message);
}

}  // namespace

void routeFluidSynthLog() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid().set_log_function(level, fluidLog, nullptr);
    });
    g_debugEnabled.store(lcSound().isDebugEnabled(), std::memory_order_relaxed);
}

void AudioThreadMessages::push(int fluidLevel, const char* text) noexcept {
    const uint32_t written = m_written.load(std::memory_order_relaxed);
    if (written - m_read.load(std::memory_order_acquire) >= kSlots) {
        m_dropped.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    Slot& slot = m_slots[written % kSlots];
    slot.level = fluidLevel;
    const size_t length = std::min(std::strlen(text), slot.text.size() - 1);
    std::memcpy(slot.text.data(), text, length);
    slot.text[length] = '\0';
    m_written.store(written + 1, std::memory_order_release);
}

void AudioThreadMessages::drain() {
    uint32_t read = m_read.load(std::memory_order_relaxed);
    const uint32_t written = m_written.load(std::memory_order_acquire);
    for (; read != written; ++read) {
        const Slot& slot = m_slots[read % kSlots];
        logNow(slot.level, slot.text.data());
        m_read.store(read + 1, std::memory_order_release);
    }
    if (const uint32_t dropped = m_dropped.exchange(0, std::memory_order_relaxed))
        qCWarning(lcSound, "%u FluidSynth messages of the audio thread were dropped", dropped);
    g_debugEnabled.store(lcSound().isDebugEnabled(), std::memory_order_relaxed);
}

AudioThreadMessages::Scope::Scope(AudioThreadMessages* messages) noexcept : m_previous(t_parked) {
    t_parked = messages;
}

AudioThreadMessages::Scope::~Scope() {
    t_parked = m_previous;
}

}  // namespace qn
