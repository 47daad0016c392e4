#include "documentfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "model/documentcommands.h"
#include "model/karaokemidi.h"
#include "model/midiwriter.h"
#include "safefile.h"

namespace qn {

namespace {

// Far above the largest composition (4 x 10 001 notes and 10 001 lyrics take
// about half a megabyte): a bigger file is no document and would only exhaust
// the memory.
constexpr qint64 kMaxFileBytes = qint64{64} << 20;

QString reason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

struct FileDescriptor {
    int fd;
    ~FileDescriptor() { ::close(fd); }
};

// A byte-order mark, or the zero bytes that ASCII text has in every other place in UTF-16.
bool isUtf16(std::string_view text) {
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) return true;
    if (text.size() < 4) return false;
    const size_t pairs = std::min<size_t>(text.size() / 2, 8);
    bool evenZero = true, oddZero = true;
    for (size_t k = 0; k < pairs; ++k) {
        evenZero = evenZero && text[2 * k] == '\0' && text[2 * k + 1] != '\0';
        oddZero = oddZero && text[2 * k + 1] == '\0' && text[2 * k] != '\0';
    }
    return evenZero || oddZero;
}

}  // namespace

std::optional<std::string> readWholeFile(const QString& path, QString* error) {
    const auto failed = [&](const QString& why) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, why);
        return std::nullopt;
    };
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    // Checked before opening, and the open does not wait: a pipe would never end.
    if (::stat(name.constData(), &st) != 0) return failed(reason(errno));
    if (S_ISDIR(st.st_mode)) return failed(QStringLiteral("it is a folder"));
    if (!S_ISREG(st.st_mode)) return failed(QStringLiteral("it is not a regular file"));
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return failed(reason(errno));
    const FileDescriptor closer{fd};
    // It may have been replaced in between.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return failed(QStringLiteral("it is not a regular file"));
    if (st.st_size > kMaxFileBytes)
        return failed(QStringLiteral("it is larger than %1 MB").arg(kMaxFileBytes >> 20));
    // Straight into the string: a file can be half a megabyte. Reading stops at
    // the end, wherever that is by now.
    std::string bytes(static_cast<size_t>(st.st_size), '\0');
    size_t done = 0;
    while (true) {
        if (done == bytes.size()) {
            if (bytes.size() > size_t{kMaxFileBytes})
                return failed(QStringLiteral("it is larger than %1 MB").arg(kMaxFileBytes >> 20));
            bytes.resize(bytes.size() + 4096);
        }
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return failed(reason(errno));
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    bytes.resize(done);
    return bytes;
}

bool isRegularFile(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isSameFile(const QString& a, const QString& b) {
    struct stat sa {
    }, sb{};
    return ::stat(QFile::encodeName(a).constData(), &sa) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

bool saveWholeFile(const QString& path, const void* bytes, size_t size, QString* error) {
    SafeFile file(path);
    const auto length = static_cast<qint64>(size);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(static_cast<const char*>(bytes), length) != length || !file.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool openMsfFile(const QString& path, Composition& c, EditState& e, QString* error) {
    const auto bytes = readWholeFile(path, error);
    if (!bytes) return false;
    std::string_view text = *bytes;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    if (isUtf16(text)) {
        *error =
            QStringLiteral("%1: the file is UTF-16 text; Quillnote reads UTF-8 files").arg(path);
        return false;
    }
    if (const auto rejected = openMsf(text, path.toStdString(), c, e)) {
        *error = QStringLiteral("%1: %2").arg(path, QString::fromStdString(rejected->text()));
        return false;
    }
    return true;
}

std::vector<uint8_t> exportMidiBytes(Composition& c) {
    c.ComputeSongLength();
    return WriteMidiFile(c, 0, kTrackCount - 1, 0, c.SongLength);
}

std::vector<uint8_t> exportKaraokeBytes(Composition& c) {
    std::vector<uint8_t> bytes = exportMidiBytes(c);
    addLyricsTrack(bytes, c);
    return bytes;
}

}  // namespace qn
