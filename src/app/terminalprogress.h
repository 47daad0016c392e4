#pragma once

// The command-line modes' progress: one line on the error output with the
// share done and the time left, rewritten in place and cleared at the end.
// Nothing at all when the error output is not a terminal.

#include <QElapsedTimer>
#include <QString>

namespace qn {

// "42 %, 0:37 left": `fraction` (0..1) as a percentage, and the time left at
// the pace of the `elapsedMs` so far, once that pace can be told.
QString progressText(double fraction, qint64 elapsedMs);

class TerminalProgress {
  public:
    // `label` opens the line; nothing is shown before `delayMs` have passed,
    // so a quick run stays quiet.
    explicit TerminalProgress(QString label, qint64 delayMs = 0);
    ~TerminalProgress() { clear(); }
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    // `fraction` of the work is done. Cheap enough for every block of a
    // render: the line is redrawn a few times a second.
    void update(double fraction);
    // Removes the line, so that what follows starts on a clean one.
    void clear();

  private:
    QString m_label;
    qint64 m_delayMs;
    bool m_terminal;
    QElapsedTimer m_clock;
    qint64 m_nextDrawMs = 0;
    qsizetype m_shown = 0;  // characters of the line on the screen
};

}  // namespace qn
