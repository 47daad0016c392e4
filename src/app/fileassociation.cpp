#include "fileassociation.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>
#include <algorithm>

#include "pictures.h"

namespace qn {

namespace {

constexpr int kIconSize = 48;
constexpr int kToolTimeoutMs = 2000;  // the cache tools take well under a second
const QString kDefaultGroup = QStringLiteral("[Default Applications]");

// A base directory from the environment; the XDG rules treat unset, empty and
// relative values alike.
QString xdgHome(const char* variable, const QString& underHome) {
    const QString value = qEnvironmentVariable(variable);
    if (value.isEmpty() || QDir::isRelativePath(value)) return QDir::homePath() + underHome;
    return value;
}

bool writeFile(const QString& path, const QByteArray& bytes, QString* error) {
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        *error =
            QStringLiteral("Could not create the folder %1.").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *error = QStringLiteral("Could not write %1: %2")
                     .arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    return true;
}

QByteArray mimePackage() {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
               "  <mime-type type=\"%1\">\n"
               "    <comment>MIDI Source File</comment>\n"
               "    <sub-class-of type=\"text/plain\"/>\n"
               "    <icon name=\"quillnote\"/>\n"
               "    <glob pattern=\"*.msf\"/>\n"
               "  </mime-type>\n"
               "</mime-info>\n")
        .arg(QLatin1String(kMsfMimeType))
        .toUtf8();
}

// One argument of an Exec line: quoted when the shell would split or expand
// it, then with the backslashes doubled that every desktop-entry string needs.
QString execArgument(const QString& argument) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    const bool needsQuotes =
        argument.isEmpty() ||
        std::any_of(argument.begin(), argument.end(), [](QChar c) { return reserved.contains(c); });
    if (!needsQuotes) return argument;
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') quoted += u'\\';
        quoted += c;
    }
    quoted += u'"';
    return quoted.replace(u'\\', QStringLiteral("\\\\"));
}

QByteArray desktopEntry(const QString& executable) {
    return QStringLiteral(
               "[Desktop Entry]\n"
               "Type=Application\n"
               "Name=Quillnote\n"
               "Comment=Compose music on four staves\n"
               "Exec=%1 %f\n"
               "Icon=quillnote\n"
               "Terminal=false\n"
               "MimeType=%2;\n"
               "Categories=AudioVideo;Audio;Music;\n")
        .arg(execArgument(executable), QLatin1String(kMsfMimeType))
        .toUtf8();
}

QByteArray iconPng() {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    applicationImage(kIconSize).save(&buffer, "PNG");
    return bytes;
}

bool isGroupHeader(const QString& line) {
    return line.trimmed().startsWith(u'[');
}

bool isOurKey(const QString& line) {
    const qsizetype equals = line.indexOf(u'=');
    return equals > 0 && line.left(equals).trimmed() == QLatin1String(kMsfMimeType);
}

// Puts our default-handler line into the [Default Applications] group of an
// existing mimeapps.list, keeping every other line as it was.
QByteArray mergedMimeApps(const QByteArray& existing) {
    QStringList lines = QString::fromUtf8(existing).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    const QString ours =
        QStringLiteral("%1=%2").arg(QLatin1String(kMsfMimeType), QLatin1String(kDesktopFileName));

    qsizetype header = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed() == kDefaultGroup) {
            header = i;
            break;
        }
    }
    if (header < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) lines.append(QString());
        lines.append(kDefaultGroup);
        lines.append(ours);
        return (lines.join(u'\n') + u'\n').toUtf8();
    }

    qsizetype insertAt = header + 1;  // after the group's last non-blank line
    qsizetype i = header + 1;
    bool placed = false;
    while (i < lines.size() && !isGroupHeader(lines[i])) {
        if (isOurKey(lines[i])) {
            if (placed) {
                lines.removeAt(i);
                continue;
            }
            lines[i] = ours;
            placed = true;
        }
        if (!lines[i].trimmed().isEmpty()) insertAt = i + 1;
        ++i;
    }
    if (!placed) lines.insert(insertAt, ours);
    return (lines.join(u'\n') + u'\n').toUtf8();
}

// The desktop's caches pick the new files up at their next refresh anyway, so
// a missing, failing or hanging tool is not an error.
void runCacheTool(const QString& name, const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(name);
    if (program.isEmpty()) return;
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForFinished(kToolTimeoutMs)) {
        process.kill();
        process.waitForFinished(kToolTimeoutMs);
    }
}

}  // namespace

QString RegisterFileAssociation(const QString& executable) {
    const QString dataHome = xdgHome("XDG_DATA_HOME", QStringLiteral("/.local/share"));
    const QString configHome = xdgHome("XDG_CONFIG_HOME", QStringLiteral("/.config"));
    const QString program =
        executable.isEmpty() ? QCoreApplication::applicationFilePath() : executable;
    const QString mimeFolder = dataHome + QStringLiteral("/mime");
    const QString applicationsFolder = dataHome + QStringLiteral("/applications");
    const QString mimeAppsPath = configHome + QStringLiteral("/mimeapps.list");
    const QString iconTheme = dataHome + QStringLiteral("/icons/hicolor");

    // An existing list that cannot be read must not be replaced by ours alone.
    QByteArray mimeApps;
    if (QFile existing(mimeAppsPath); existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly)) {
            return QStringLiteral("Could not read %1: %2")
                .arg(QDir::toNativeSeparators(mimeAppsPath), existing.errorString());
        }
        mimeApps = existing.readAll();
    }

    QString error;
    const bool written =
        writeFile(mimeFolder + QStringLiteral("/packages/quillnote-msf.xml"), mimePackage(),
                  &error) &&
        writeFile(applicationsFolder + u'/' + QLatin1String(kDesktopFileName),
                  desktopEntry(program), &error) &&
        writeFile(iconTheme + QStringLiteral("/48x48/apps/quillnote.png"), iconPng(), &error) &&
        writeFile(mimeAppsPath, mergedMimeApps(mimeApps), &error);
    if (!written) return error;

    runCacheTool(QStringLiteral("update-mime-database"), {mimeFolder});
    runCacheTool(QStringLiteral("update-desktop-database"), {applicationsFolder});
    // Without an index of its own, this folder makes every themed icon lookup
    // (the toolbar's, at each start) probe each of the theme's hundreds of
    // folders in it for each name: about 37 000 file checks.
    runCacheTool(QStringLiteral("gtk-update-icon-cache"),
                 {QStringLiteral("--ignore-theme-index"), QStringLiteral("--quiet"), iconTheme});
    return {};
}

}  // namespace qn
