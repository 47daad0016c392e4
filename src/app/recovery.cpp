#include "recovery.h"

#include <signal.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <algorithm>
#include <atomic>
#include <cerrno>

#include "documentfile.h"

namespace qn {

Q_LOGGING_CATEGORY(lcRecovery, "quillnote.recovery", QtInfoMsg)

namespace {

struct ProcessIdentity {
    qint64 pid = 0;
    QString boot;         // the kernel's id of this boot; empty when unknown
    qint64 started = -1;  // start time in clock ticks since boot; -1 when unknown
};

QByteArray readSmallFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(4096) : QByteArray();
}

QString currentBoot() {
    return QString::fromLatin1(readSmallFile(QStringLiteral("/proc/sys/kernel/random/boot_id")))
        .trimmed();
}

// Field 22 of /proc/PID/stat; -1 when there is no such process or no /proc.
qint64 startTimeOf(qint64 pid) {
    const QByteArray stat = readSmallFile(QStringLiteral("/proc/%1/stat").arg(pid));
    // The command name in parentheses may hold blanks; the fields after it do not.
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0) return -1;
    const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
    return fields.size() > 19 ? fields.at(19).toLongLong() : -1;
}

ProcessIdentity thisProcess() {
    const qint64 pid = ::getpid();
    return {pid, currentBoot(), startTimeOf(pid)};
}

bool isRunning(const ProcessIdentity& p) {
    if (p.pid <= 0) return false;
    const QString boot = currentBoot();
    if (!p.boot.isEmpty() && !boot.isEmpty() && p.boot != boot) return false;
    if (QFileInfo::exists(QStringLiteral("/proc/self/stat"))) {
        const qint64 started = startTimeOf(p.pid);
        return started >= 0 && (p.started < 0 || started == p.started);
    }
    return ::kill(static_cast<pid_t>(p.pid), 0) == 0 || errno == EPERM;
}

QString infoPathOf(const QString& copy) {
    return copy.left(copy.size() - 4) + QStringLiteral(".json");
}

// The process number a copy's or a temporary's name starts with.
qint64 pidInName(const QString& name) {
    return name.section(QLatin1Char('-'), 0, 0).toLongLong();
}

// The process start time that follows it in a copy's name.
qint64 startInName(const QString& name) {
    bool ok = false;
    const qint64 started = name.section(QLatin1Char('-'), 1, 1).toLongLong(&ok);
    return ok ? started : -1;
}

}  // namespace

QString defaultRecoveryFolder() {
    QString state;
    if (QStandardPaths::isTestModeEnabled()) {
        state = QDir::homePath() + QStringLiteral("/.qttest/state");
    } else {
        state = qEnvironmentVariable("XDG_STATE_HOME");
        if (!QDir::isAbsolutePath(state))
            state = QDir::homePath() + QStringLiteral("/.local/state");
    }
    return state + QStringLiteral("/Quillnote/recovery");
}

RecoveryFile::RecoveryFile(const QString& folder) : m_folder(folder) {
    static std::atomic<int> windows{0};
    const ProcessIdentity self = thisProcess();
    m_path = QStringLiteral("%1/%2-%3-%4.msf")
                 .arg(folder)
                 .arg(self.pid)
                 .arg(self.started >= 0 ? self.started : QDateTime::currentSecsSinceEpoch())
                 .arg(++windows);
    m_infoPath = infoPathOf(m_path);
}

bool RecoveryFile::write(const std::string& msfText, const RecoveryInfo& info, QString* error) {
    if (!QDir().mkpath(m_folder)) {
        *error = QStringLiteral("cannot make the folder %1").arg(m_folder);
        return false;
    }
    if (m_written != info) {
        const ProcessIdentity self = thisProcess();
        const QJsonObject json{{QStringLiteral("boot"), self.boot},
                               {QStringLiteral("path"), info.documentPath},
                               {QStringLiteral("name"), info.documentName}};
        const QByteArray bytes = QJsonDocument(json).toJson();
        if (!saveWholeFile(m_infoPath, bytes.constData(), static_cast<size_t>(bytes.size()), error))
            return false;
        m_written = info;
    }
    return saveWholeFile(m_path, msfText, error);
}

void RecoveryFile::remove() {
    removeCopy(m_path);
    m_written.reset();
}

void removeCopy(const QString& path) {
    QFile::remove(path);
    QFile::remove(infoPathOf(path));
}

std::vector<RecoveryCopy> findAbandonedCopies(const QString& folder) {
    std::vector<RecoveryCopy> copies;
    const QDir dir(folder);
    const auto entries = dir.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const QString name = entry.fileName();
        if (name.startsWith(QLatin1Char('.')) && name.endsWith(QLatin1String(".tmp"))) {
            // ".PID-...msf.quillnote-PID-XXXXXX.tmp": an autosave that was cut off.
            if (!isRunning({pidInName(name.mid(1)), {}, -1})) QFile::remove(entry.filePath());
            continue;
        }
        const bool isCopy = name.endsWith(QLatin1String(".msf"));
        if (!isCopy && !name.endsWith(QLatin1String(".json"))) continue;

        const QString copy = isCopy ? entry.filePath() : entry.filePath().chopped(5) + ".msf";
        const QJsonObject json = QJsonDocument::fromJson(readSmallFile(infoPathOf(copy))).object();
        const ProcessIdentity owner{pidInName(name), json.value(QStringLiteral("boot")).toString(),
                                    startInName(name)};
        if (isRunning(owner)) continue;
        if (!isCopy) {
            // A side file whose copy was never written holds no work.
            if (!QFileInfo::exists(copy)) QFile::remove(entry.filePath());
            continue;
        }
        RecoveryInfo info{json.value(QStringLiteral("path")).toString(),
                          json.value(QStringLiteral("name")).toString()};
        if (info.documentName.isEmpty()) info.documentName = QStringLiteral("Untitled");
        copies.push_back({copy, info, entry.lastModified()});
    }
    std::stable_sort(
        copies.begin(), copies.end(),
        [](const RecoveryCopy& a, const RecoveryCopy& b) { return a.written > b.written; });
    return copies;
}

}  // namespace qn
