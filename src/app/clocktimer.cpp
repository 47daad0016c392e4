#include "clocktimer.h"

#include "sound/playback/playbackclock.h"
#include "sound/playback/playbackdisplay.h"

namespace qn {

ClockTimer::ClockTimer(PlaybackClock& clock, PlaybackDisplay& display, QObject* parent)
    : QObject(parent), m_clock(clock), m_display(display) {
    m_timer.setObjectName(QStringLiteral("TimerClock"));
    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &ClockTimer::tick);
}

void ClockTimer::tick() {
    const DisplayChanges changes = m_clock.tick();
    if (changes.stopClock) m_timer.stop();
    m_display.apply(changes);
}

}  // namespace qn
