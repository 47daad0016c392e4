#include "safefile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace qn {

namespace {

SafeFile::Stage g_faultStage = SafeFile::Stage::None;
int g_faultError = 0;

// The injected fault of `stage`, once; 0 when there is none.
int injected(SafeFile::Stage stage) {
    if (g_faultStage != stage) return 0;
    g_faultStage = SafeFile::Stage::None;
    return g_faultError;
}

QString reason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

QByteArray nameOf(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

QByteArray temporaryPrefix(const QByteArray& name) {
    return '.' + name + ".quillnote-";
}

// Temporaries of `name` whose process is gone: a save that was killed.
void removeStaleTemporaries(const QByteArray& folder, const QByteArray& name) {
    DIR* dir = ::opendir(folder.constData());
    if (!dir) return;
    const QByteArray prefix = temporaryPrefix(name);
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray entryName(entry->d_name);
        if (!entryName.startsWith(prefix) || !entryName.endsWith(".tmp")) continue;
        const QByteArray rest = entryName.mid(prefix.size());
        bool isNumber = false;
        const pid_t pid = rest.left(rest.indexOf('-')).toInt(&isNumber);
        if (!isNumber || pid <= 0 || pid == ::getpid()) continue;
        if (::kill(pid, 0) == 0 || errno != ESRCH) continue;
        ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

}  // namespace

void SafeFile::injectFault(Stage stage, int error) {
    g_faultStage = stage;
    g_faultError = error;
}

SafeFile::SafeFile(const QString& target, QObject* parent) : QIODevice(parent), m_target(target) {}

SafeFile::~SafeFile() {
    cancelWriting();
}

bool SafeFile::failOpen(const QString& why) {
    setErrorString(why);
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    dropTemporary();
    return false;
}

bool SafeFile::open(OpenMode mode) {
    if (isOpen() || (mode & ReadOnly) || !(mode & WriteOnly))
        return failOpen(QStringLiteral("a file is written only once, from the start"));
    m_direct = false;
    m_sequential = false;
    m_writeError = 0;
    const QByteArray target = QFile::encodeName(m_target);
    m_final = target;
    mode_t keepMode = 0;
    struct stat st {};
    if (::stat(target.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return failOpen(QStringLiteral("it is a folder"));
        if (S_ISBLK(st.st_mode)) return failOpen(QStringLiteral("it is a disk device"));
        if (!S_ISREG(st.st_mode)) {
            // Never replaced: a pipe or a device keeps being what it is. Opening
            // does not wait for a reader; writing then does.
            m_fd = ::open(target.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (m_fd < 0)
                return failOpen(errno == ENXIO && S_ISFIFO(st.st_mode)
                                    ? QStringLiteral("it is a pipe that nothing reads from")
                                    : reason(errno));
            ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
            m_direct = true;
            m_sequential = ::lseek(m_fd, 0, SEEK_CUR) < 0;
            return QIODevice::open(mode | Unbuffered);
        }
        if (char* real = ::realpath(target.constData(), nullptr)) {
            m_final = real;
            std::free(real);
        }
        keepMode = st.st_mode & 07777;
    } else if (errno != ENOENT) {
        return failOpen(reason(errno));
    }

    const QByteArray folder = folderOf(m_final);
    removeStaleTemporaries(folder, nameOf(m_final));
    const QByteArray prefix =
        folder + '/' + temporaryPrefix(nameOf(m_final)) + QByteArray::number(::getpid()) + '-';
    for (int attempt = 0; m_fd < 0; ++attempt) {
        m_temporary = prefix +
                      QByteArray::number(QRandomGenerator::global()->bounded(0x1000000), 16) +
                      ".tmp";
        m_fd = ::open(m_temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0 && (errno != EEXIST || attempt == 100)) {
            const int error = errno;
            m_temporary.clear();
            return failOpen(reason(error));
        }
    }
    // The new file keeps the old one's permissions and, where allowed, its owner.
    if (keepMode) {
        ::fchmod(m_fd, keepMode);
        if (::fchown(m_fd, st.st_uid, st.st_gid) != 0) {
            // Only the superuser may give a file away; the permissions are kept anyway.
        }
    }
    return QIODevice::open(mode | Unbuffered);
}

qint64 SafeFile::writeData(const char* data, qint64 size) {
    if (m_fd < 0 || m_writeError) return -1;
    qint64 done = 0;
    while (done < size) {
        const int fault = injected(Stage::Write);
        const ssize_t n = fault ? -1 : ::write(m_fd, data + done, static_cast<size_t>(size - done));
        if (fault) errno = fault;
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            m_writeError = n < 0 ? errno : EIO;
            setErrorString(reason(m_writeError));
            return -1;
        }
        done += n;
    }
    return done;
}

bool SafeFile::seek(qint64 pos) {
    if (m_fd < 0 || ::lseek(m_fd, pos, SEEK_SET) != pos) {
        setErrorString(reason(m_fd < 0 ? EBADF : errno));
        return false;
    }
    return QIODevice::seek(pos);
}

qint64 SafeFile::size() const {
    struct stat st {};
    return m_fd >= 0 && ::fstat(m_fd, &st) == 0 ? st.st_size : 0;
}

bool SafeFile::failCommit(int error) {
    setErrorString(reason(error));
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    dropTemporary();
    return false;
}

bool SafeFile::commit() {
    if (!isOpen()) return false;
    QIODevice::close();
    if (m_writeError) return failCommit(m_writeError);

    int fault = injected(Stage::Sync);
    if (fault || ::fdatasync(m_fd) != 0) {
        const int error = fault ? fault : errno;
        // Pipes and terminals have nothing to sync.
        if (!m_direct || (error != EINVAL && error != EROFS && error != ENOTSUP))
            return failCommit(error);
    }
    // Some file systems report a failed write only when the file is closed.
    const int fd = std::exchange(m_fd, -1);
    if (::close(fd) != 0 && errno != EINTR) return failCommit(errno);
    if (m_direct) return true;

    fault = injected(Stage::Rename);
    if (fault || ::rename(m_temporary.constData(), m_final.constData()) != 0)
        return failCommit(fault ? fault : errno);
    m_temporary.clear();
    // The rename itself is durable only once the folder is synced.
    const int folder = ::open(folderOf(m_final).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return failCommit(errno);
    const bool synced = ::fsync(folder) == 0 || errno == EINVAL || errno == ENOTSUP;
    const int error = errno;
    ::close(folder);
    return synced || failCommit(error);
}

void SafeFile::cancelWriting() {
    if (isOpen()) QIODevice::close();
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    dropTemporary();
}

void SafeFile::dropTemporary() {
    if (!m_temporary.isEmpty()) ::unlink(m_temporary.constData());
    m_temporary.clear();
}

}  // namespace qn
