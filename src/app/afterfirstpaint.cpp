#include "afterfirstpaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace qn {

namespace {

class AfterFirstPaint : public QObject {
  public:
    AfterFirstPaint(QWidget& widget, std::function<void()> then, int latestMs)
        : QObject(&widget), m_then(std::move(then)) {
        widget.installEventFilter(this);
        QTimer::singleShot(latestMs, this, [this] { run(); });
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] { run(); });
        }
        return false;
    }

  private:
    void run() {
        if (!m_then) return;
        std::exchange(m_then, nullptr)();
        deleteLater();
    }

    std::function<void()> m_then;
};

}  // namespace

void afterFirstPaint(QWidget& widget, std::function<void()> then, int latestMs) {
    new AfterFirstPaint(widget, std::move(then), latestMs);
}

}  // namespace qn
