#include "app/documentfile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>

#include "app/safefile.h"

namespace qn {
namespace {

// Choosing a huge file (or a device without end) by mistake must not exhaust the memory.
TEST(ReadWholeFile, RefusesWhatIsFarTooLargeToBeADocument) {
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("huge.msf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(qint64{65} << 20));  // sparse: takes no room on disk
    file.close();
    QString error;
    EXPECT_FALSE(readWholeFile(file.fileName(), &error).has_value());
    EXPECT_TRUE(error.contains(QStringLiteral("larger than 64 MB"))) << error.toStdString();
}

// A save that fails at any stage says why and leaves the old file and nothing
// else; temporaries a killed save left of the same target go, others' stay.
TEST(SafeFile, AFailedSaveKeepsTheOldFileAndTheNextRemovesStaleTemporaries) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("song.msf"));
    QString error;
    ASSERT_TRUE(saveWholeFile(target, std::string("old"), &error));
    using enum SafeFile::Stage;
    for (const auto& [stage, code] : {std::pair{Write, ENOSPC}, {Sync, EIO}, {Rename, EXDEV}}) {
        SafeFile::injectFault(stage, code);
        EXPECT_FALSE(saveWholeFile(target, std::string("new contents"), &error));
        EXPECT_TRUE(error.endsWith(QString::fromLocal8Bit(std::strerror(code))))
            << error.toStdString();
        EXPECT_EQ(readWholeFile(target, &error), "old");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("song.msf")});
    }

    int gone = 4194303;
    while (::kill(gone, 0) == 0 || errno != ESRCH)
        --gone;
    const QStringList left = {QStringLiteral(".song.msf.quillnote-%1-ab12.tmp").arg(gone),
                              QStringLiteral(".song.msf.quillnote-%1-cd34.tmp").arg(::getpid()),
                              QStringLiteral(".other.msf.quillnote-%1-ef56.tmp").arg(gone)};
    for (const QString& name : left) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(saveWholeFile(target, std::string("x"), &error));
    QStringList expected = {QStringLiteral("song.msf"), left[1], left[2]};
    expected.sort();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
}

// A pipe stays a pipe, a link a link, and a file keeps its permissions.
TEST(SafeFile, WritesThroughLinksAndIntoPipesWithoutReplacingThem) {
    QTemporaryDir dir;
    const QByteArray fifo = QFile::encodeName(dir.filePath(QStringLiteral("pipe")));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    const int reader = ::open(fifo.constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    QString error;
    ASSERT_TRUE(saveWholeFile(QFile::decodeName(fifo), std::string("piped"), &error))
        << error.toStdString();
    char got[16] = {};
    EXPECT_EQ(::read(reader, got, sizeof got), 5);
    ::close(reader);
    struct stat st {};
    ASSERT_EQ(::stat(fifo.constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));

    const QString real = dir.filePath(QStringLiteral("real.msf"));
    const QString link = dir.filePath(QStringLiteral("link.msf"));
    ASSERT_TRUE(saveWholeFile(real, std::string("old"), &error));
    ASSERT_EQ(::chmod(QFile::encodeName(real).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link(real, link));
    ASSERT_TRUE(saveWholeFile(link, std::string("new"), &error));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readWholeFile(real, &error), "new");
    ASSERT_EQ(::stat(QFile::encodeName(real).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

// What is read: UTF-8 with or without a byte-order mark, not UTF-16.
TEST(OpenMsfFile, ReadsUtf8TextAndRefusesUtf16) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("in.msf"));
    const std::pair<QByteArray, bool> cases[] = {
        {QByteArray("\xEF\xBB\xBF") + "COMPOSITIONAUTHORBob\r\n", true},
        {QByteArray("C\0O\0M\0P\0O\0S\0", 12), false},
        {QByteArray("\xFE\xFF\0C\0O", 6), false},
    };
    for (const auto& [bytes, read] : cases) {
        QString error;
        ASSERT_TRUE(saveWholeFile(path, bytes.toStdString(), &error));
        Composition c;
        EditState e;
        EXPECT_EQ(openMsfFile(path, c, e, &error), read) << error.toStdString();
        EXPECT_TRUE(read ? c.CompositionAuthor == "Bob" : error.contains(QLatin1String("UTF-16")))
            << error.toStdString();
    }
}

}  // namespace
}  // namespace qn
