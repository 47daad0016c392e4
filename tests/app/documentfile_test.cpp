#include "app/documentfile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace qn {
namespace {

// Choosing a huge file (or a device without end) by mistake must not exhaust the memory.
TEST(ReadWholeFile, RefusesWhatIsFarTooLargeToBeADocument) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("huge.msf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(qint64{65} << 20));  // sparse: takes no room on disk
    file.close();
    QString error;
    EXPECT_FALSE(readWholeFile(file.fileName(), &error).has_value());
    EXPECT_TRUE(error.contains(QStringLiteral("larger than 64 MB"))) << error.toStdString();

    ASSERT_TRUE(file.resize(1000));
    const auto text = readWholeFile(file.fileName(), &error);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->size(), 1000u);
}

}  // namespace
}  // namespace qn
