#pragma once

// Autosave: while there are unsaved changes, a recovery copy of the
// composition is written within `interval` seconds of the first change after
// the last copy, so the copy is never older than that when the program dies.
// The owner says when something changed, provides the copy's contents when the
// countdown ends, and says when nothing is unsaved any more. UI thread only.

#include <QObject>
#include <functional>
#include <string>

#include "recovery.h"

class QTimer;

namespace qn {

class Autosave : public QObject {
    Q_OBJECT
  public:
    // `due` runs when the countdown ends; it calls write() or discard().
    Autosave(const QString& folder, std::function<void()> due, QObject* parent = nullptr);

    // Seconds between a change and its copy; 0 turns autosave off (and drops the copy).
    void setInterval(int seconds);
    int interval() const { return m_seconds; }
    // Something changed: the countdown starts unless it is already running.
    void changed();
    // Writes the copy now. A failure is logged once, not shown: autosave must
    // not interrupt the user, and the next change tries again.
    void write(const std::string& msfText, const RecoveryInfo& info);
    // Nothing is unsaved: the copy goes.
    void discard();
    const QString& path() const { return m_file.path(); }

  private:
    RecoveryFile m_file;
    std::function<void()> m_due;
    QTimer* m_timer = nullptr;
    int m_seconds = 30;
    bool m_failureLogged = false;
};

}  // namespace qn
