#pragma once

// The 100 ms timer that runs the playback clock while a playback
// is timed, and hands each tick's display changes to the window. The window's
// PlaybackDisplay timer functions call start(), stop() and isRunning().
// UI thread only.

#include <QObject>
#include <QTimer>

namespace qn {

class PlaybackClock;
class PlaybackDisplay;

class ClockTimer : public QObject {
    Q_OBJECT
  public:
    static constexpr int kIntervalMs = 100;

    ClockTimer(PlaybackClock& clock, PlaybackDisplay& display, QObject* parent = nullptr);

    void start() { m_timer.start(); }
    void stop() { m_timer.stop(); }
    bool isRunning() const { return m_timer.isActive(); }

  public slots:
    // One tick; the end of the playback stops the timer.
    void tick();

  private:
    PlaybackClock& m_clock;
    PlaybackDisplay& m_display;
    QTimer m_timer;
};

}  // namespace qn
