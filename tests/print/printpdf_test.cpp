// `quillnote --print-pdf`, read back with poppler's pdftotext.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

QString run(const QString& program, const QStringList& arguments, int* status = nullptr) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    if (status) *status = process.exitCode();
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

TEST(PrintPdf, WritesTheChosenPagesWithTheirTextsAndNothingForARejectedFile) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    QTemporaryDir dir;
    const auto path = [&](const char* name) { return dir.filePath(QLatin1String(name)); };
    // Three pages: 41 notes on track 0, a lyric on the 21st position.
    QByteArray song = "COMPOSITIONAUTHORAnn Smith\r\nTRACK 0\r\nINST 0\r\n";
    song += QByteArray(" 12, 100, 3\r\n").repeated(41) + "LYRICS\r\n 21\r\n";
    song += QByteArray("\r\n").repeated(20) + "Moon\r\n";
    const std::pair<const char*, QByteArray> files[] = {{"song.msf", song},
                                                        {"bad.msf", "TRACK 0\r\n 99, 100, 3\r\n"}};
    for (const auto& [name, bytes] : files) {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    const auto pdfPages = [&] {  // each page's text ends in a form feed
        return run(QStringLiteral("pdftotext"), {path("out.pdf"), "-"}).split(QLatin1Char('\f'));
    };
    int status = -1;
    const auto printPdf = [&](const char* in, QStringList extra) {
        QFile::remove(path("out.pdf"));
        return run(QStringLiteral(QUILLNOTE_BINARY),
                   QStringList{"--print-pdf", path(in), path("out.pdf")} + extra, &status);
    };

    const QString err = printPdf("song.msf", {});
    ASSERT_EQ(status, 0) << err.toStdString();
    const QStringList pages = pdfPages();
    ASSERT_EQ(pages.size(), 4);
    const QString &first = pages[0], &second = pages[1];
    EXPECT_TRUE(first.contains("song.msf") && first.contains("Ann Smith"));
    EXPECT_TRUE(first.contains("Acoustic Grand") && !second.contains("Acoustic Grand"));
    EXPECT_TRUE(second.contains("Moon") && !first.contains("Moon"));
    EXPECT_TRUE(second.contains(QRegularExpression(QStringLiteral("Page\\s+2"))));

    printPdf("song.msf", {"--pages", "2-9"});
    EXPECT_EQ(status, 0);
    EXPECT_EQ(pdfPages().size(), 3);
    for (const auto& [in, pages] : {std::pair{"song.msf", QStringList{"--pages", "4-5"}},
                                    std::pair{"bad.msf", QStringList{}}}) {
        EXPECT_TRUE(printPdf(in, pages).startsWith(QStringLiteral("quillnote: "))) << in;
        EXPECT_EQ(status, 2);
        EXPECT_FALSE(QFile::exists(path("out.pdf")));
    }
}

}  // namespace
