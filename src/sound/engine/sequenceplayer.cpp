#include "sequenceplayer.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "soundlibraries.h"

namespace qn {

namespace {

// Below -90 dB full scale nothing is heard and cutting it off clicks no louder: no fade.
constexpr float kAudible = 3.2e-5f;
constexpr double kMinFadeSeconds = 0.003;

int64_t nextBoundary(int64_t frame) {
    constexpr int64_t b = SequencePlayer::kSynthBlock;
    return (frame + b - 1) / b * b;
}

}  // namespace

SequencePlayer::SequencePlayer(int sampleRate)
    : m_minFadeFrames(static_cast<int>(std::ceil(sampleRate * kMinFadeSeconds))) {}

void SequencePlayer::setSynth(fluid_synth_t* synth) {
    m_synth = synth;
    m_frame = 0;
    m_sequence = m_pending = nullptr;
    m_fadeStart = m_rampEnd = m_fadeEnd = -1;
    m_recentPeak = 0;
    m_started = m_finished = false;
}

void SequencePlayer::play(const MidiSequence* sequence, bool loop) {
    m_sequence = nullptr;
    m_pending = sequence;
    m_pendingLoop = loop;
    beginFade();
}

void SequencePlayer::stop() {
    m_sequence = m_pending = nullptr;
    beginFade();
}

// A fade already under way goes on; else one to the first 64-frame boundary
// 3 ms ahead, or to the next boundary when nothing sounds.
void SequencePlayer::beginFade() {
    if (fading()) return;
    m_fadeStart = m_frame;
    m_fadeEnd = m_rampEnd = nextBoundary(m_frame + (m_recentPeak > kAudible ? m_minFadeFrames : 0));
}

// The output has reached the boundary at zero gain: silence the voices there,
// then start what waits on a reset synth at this same frame.
void SequencePlayer::endFade() {
    m_fadeStart = m_rampEnd = m_fadeEnd = -1;
    fluid().synth_all_sounds_off(m_synth, -1);
    if (!m_pending) return;
    // A fresh channel state for every sequence, as a newly loaded segment has.
    fluid().synth_system_reset(m_synth);
    m_sequence = std::exchange(m_pending, nullptr);
    m_loop = m_pendingLoop && m_sequence->endFrame() > 0;
    m_passStart = m_frame;
    m_next = 0;
    m_started = true;
    m_startFrame = m_frame;
}

void SequencePlayer::dispatchDue() {
    const auto& events = m_sequence->events();
    for (;;) {
        while (m_next < events.size() && m_passStart + events[m_next].frame <= m_frame)
            send(events[m_next++]);
        if (m_next < events.size() || m_passStart + m_sequence->endFrame() > m_frame) return;
        if (!m_loop) {
            m_sequence = nullptr;
            m_finished = true;
            return;
        }
        m_passStart += m_sequence->endFrame();
        m_next = 0;
    }
}

void SequencePlayer::send(const SequenceEvent& e) {
    const int channel = e.status & 0x0F;
    switch (e.status & 0xF0) {
        case 0x80:
            fluid().synth_noteoff(m_synth, channel, e.data1);
            break;
        case 0x90:
            fluid().synth_noteon(m_synth, channel, e.data1, e.data2);
            break;
        case 0xA0:
            fluid().synth_key_pressure(m_synth, channel, e.data1, e.data2);
            break;
        case 0xB0:
            fluid().synth_cc(m_synth, channel, e.data1, e.data2);
            break;
        case 0xC0:
            fluid().synth_program_change(m_synth, channel, e.data1);
            break;
        case 0xD0:
            fluid().synth_channel_pressure(m_synth, channel, e.data1);
            break;
        case 0xE0:
            fluid().synth_pitch_bend(m_synth, channel, e.data1 | (e.data2 << 7));
            break;
        default:
            break;
    }
}

void SequencePlayer::render(float* interleaved, int frames, bool apiHeld) noexcept {
    float peak = 0;
    int done = 0;
    while (done < frames) {
        if (!apiHeld) {
            // A fade held past its boundary ends at the next one, silent until then.
            if (fading() && m_fadeEnd < m_frame) m_fadeEnd = nextBoundary(m_frame);
            if (m_fadeEnd == m_frame) endFade();
            if (m_sequence) dispatchDue();
        }
        int64_t until = m_frame + (frames - done);
        if (fading() && m_fadeEnd > m_frame) until = std::min(until, m_fadeEnd);
        if (m_sequence && !apiHeld) {
            const auto& events = m_sequence->events();
            until =
                std::min(until, m_passStart + (m_next < events.size() ? events[m_next].frame
                                                                      : m_sequence->endFrame()));
        }
        const int n = static_cast<int>(until - m_frame);
        float* out = interleaved + 2 * done;
        fluid().synth_write_float(m_synth, n, out, 0, 2, out, 1, 2);
        if (fading()) {
            // Linear to zero at the boundary, where all_sounds_off then acts.
            const auto length = static_cast<float>(m_rampEnd - m_fadeStart);
            for (int f = 0; f < n; ++f) {
                const auto left = static_cast<float>(m_rampEnd - (m_frame + f) - 1);
                const float gain = left > 0 ? left / length : 0.0f;
                out[2 * f] *= gain;
                out[2 * f + 1] *= gain;
            }
        }
        for (int i = 0; i < 2 * n; ++i)
            peak = std::max(peak, std::fabs(out[i]));
        m_frame = until;
        done += n;
    }
    m_recentPeak = peak;
    if (!apiHeld && m_fadeEnd == m_frame) endFade();
}

bool SequencePlayer::takeStarted(int64_t* startFrame) {
    if (!m_started) return false;
    m_started = false;
    *startFrame = m_startFrame;
    return true;
}

bool SequencePlayer::takeFinished() {
    return std::exchange(m_finished, false);
}

}  // namespace qn
