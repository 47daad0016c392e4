#include "startupprobe.h"

#include <unistd.h>

#include <QEvent>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <ctime>

namespace qn {

namespace {

// Watches the widget for its first paint and its window for the expose or
// update request that paints it; the window's own handling of that event
// paints the widgets and flushes the backing store to the window system.
class FirstPaintProbe : public QObject {
  public:
    explicit FirstPaintProbe(QWidget& window) : QObject(&window), m_window(window) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_window) {
            if (event->type() == QEvent::Paint) m_painted = true;
            if (event->type() == QEvent::Show && m_window.windowHandle())
                m_window.windowHandle()->installEventFilter(this);
            return false;
        }
        if (event->type() != QEvent::Expose && event->type() != QEvent::UpdateRequest) return false;
        watched->event(event);  // paints and flushes
        if (m_painted) report();
        return true;
    }

  private:
    [[noreturn]] static void report() {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::fprintf(stderr, "quillnote-first-paint %lld\n",
                     static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        std::fflush(stderr);
        _exit(0);  // no settings written, no shutdown
    }

    QWidget& m_window;
    bool m_painted = false;
};

}  // namespace

void watchFirstPaint(QWidget& window) {
    if (qEnvironmentVariableIsSet(kStartupProbeVariable)) new FirstPaintProbe(window);
}

}  // namespace qn
