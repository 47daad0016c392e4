// The sound fonts the Options dialog's Sound tab offers, found over a folder tree.
#include "app/soundfontlist.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace qn {
namespace {

TEST(FindSoundFonts, ListsFontsAndLinksOnceAndLeavesOtherFilesOut) {
    QTemporaryDir dir;
    const QString fonts = dir.filePath(QStringLiteral("sf2"));
    ASSERT_TRUE(QDir().mkpath(fonts));
    const auto path = [&](const char* name) { return fonts + QLatin1Char('/') + name; };
    QFile font(path("font.sf2"));
    ASSERT_TRUE(font.open(QIODevice::WriteOnly));
    font.write(QByteArray(1000, 'x'));
    font.close();
    QFile(path("notes.txt")).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::link(path("font.sf2"), path("link.sf2")));
    ASSERT_TRUE(QFile::link(path("gone.sf2"), path("broken.sf3")));
    // The same folder again through a link, and one that does not exist.
    ASSERT_TRUE(QFile::link(fonts, dir.filePath(QStringLiteral("again"))));
    const QList<FoundSoundFont> found = findSoundFonts(
        {fonts, dir.filePath(QStringLiteral("again")), dir.filePath(QStringLiteral("none"))});

    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(found[0].path, path("font.sf2"));
    EXPECT_EQ(found[0].target, QString());
    EXPECT_EQ(found[1].path, path("link.sf2"));
    EXPECT_EQ(found[1].target, QFileInfo(path("font.sf2")).canonicalFilePath());
    EXPECT_EQ(found[1].bytes, 1000);
}

}  // namespace
}  // namespace qn
