#include "autosave.h"

#include <QTimer>

namespace qn {

Autosave::Autosave(const QString& folder, std::function<void()> due, QObject* parent)
    : QObject(parent), m_file(folder), m_due(std::move(due)) {
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    m_timer->setInterval(m_seconds * 1000);
    connect(m_timer, &QTimer::timeout, this, [this] { m_due(); });
}

void Autosave::setInterval(int seconds) {
    m_seconds = std::max(seconds, 0);
    m_timer->setInterval(m_seconds * 1000);
    if (m_seconds == 0) discard();
}

void Autosave::changed() {
    if (m_seconds > 0 && !m_timer->isActive()) m_timer->start();
}

void Autosave::write(const std::string& msfText, const RecoveryInfo& info) {
    m_timer->stop();
    if (m_seconds == 0) return;
    QString error;
    if (m_file.write(msfText, info, &error)) {
        m_failureLogged = false;
    } else if (!m_failureLogged) {
        qCWarning(lcRecovery).noquote() << "autosave failed:" << error;
        m_failureLogged = true;
    }
}

void Autosave::discard() {
    m_timer->stop();
    m_file.remove();
}

}  // namespace qn
