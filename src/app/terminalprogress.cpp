#include "terminalprogress.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace qn {

namespace {

constexpr qint64 kRedrawMs = 200;
// Before this, the pace says little (loading, the first blocks).
constexpr qint64 kPaceKnownMs = 1000;

QString clockText(qint64 seconds) {
    const auto two = [](qint64 n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    if (seconds >= 3600)
        return QStringLiteral("%1:%2:%3")
            .arg(seconds / 3600)
            .arg(two(seconds / 60 % 60), two(seconds % 60));
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(two(seconds % 60));
}

}  // namespace

QString progressText(double fraction, qint64 elapsedMs) {
    fraction = std::clamp(fraction, 0.0, 1.0);
    QString text = QStringLiteral("%1 %").arg(static_cast<int>(fraction * 100));
    if (elapsedMs >= kPaceKnownMs && fraction > 0) {
        const auto left = std::lround(elapsedMs * (1 - fraction) / fraction / 1000);
        text += QStringLiteral(", %1 left").arg(clockText(left));
    }
    return text;
}

TerminalProgress::TerminalProgress(QString label, qint64 delayMs)
    : m_label(std::move(label)), m_delayMs(delayMs), m_terminal(::isatty(STDERR_FILENO) == 1) {
    m_clock.start();
    m_nextDrawMs = delayMs;
}

void TerminalProgress::update(double fraction) {
    if (!m_terminal) return;
    const qint64 now = m_clock.elapsed();
    if (now < m_nextDrawMs) return;
    m_nextDrawMs = now + kRedrawMs;
    const QString line = m_label + QLatin1Char(' ') + progressText(fraction, now);
    // Blanks cover the end of a longer line drawn before.
    const QString padding(std::max<qsizetype>(0, m_shown - line.size()), QLatin1Char(' '));
    std::fprintf(stderr, "\r%s%s", qUtf8Printable(line), qUtf8Printable(padding));
    std::fflush(stderr);
    m_shown = line.size();
}

void TerminalProgress::clear() {
    if (m_shown == 0) return;
    std::fprintf(stderr, "\r%s\r", qUtf8Printable(QString(m_shown, QLatin1Char(' '))));
    std::fflush(stderr);
    m_shown = 0;
}

}  // namespace qn
