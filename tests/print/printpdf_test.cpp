// `quillnote --print-pdf`, read back with poppler's pdfinfo and pdftotext.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

Outcome run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// Three pages: 41 notes on track 0, a lyric on the 21st position.
const QByteArray kSong = [] {
    QByteArray text = "COMPOSITIONNAMEsong\r\nCOMPOSITIONAUTHORAnn Smith\r\nTRACK 0\r\nINST 0\r\n";
    for (int i = 0; i < 41; ++i)
        text += " 12, 100, 3\r\n";
    text += "LYRICS\r\n 21\r\n";
    for (int i = 0; i < 20; ++i)
        text += "\r\n";
    return text + "Moon\r\n";
}();

class PrintPdf : public testing::Test {
  protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            GTEST_SKIP() << "poppler-utils is not installed";
        QFile file(path("song.msf"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kSong);
    }
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    QString pageText(int page) {
        return run(QStringLiteral("pdftotext"), {"-f", QString::number(page), "-l",
                                                 QString::number(page), path("song.pdf"), "-"})
            .out;
    }
    QTemporaryDir dir;
};

TEST_F(PrintPdf, WritesEveryPageWithItsTexts) {
    const Outcome o =
        run(QStringLiteral(QUILLNOTE_BINARY), {"--print-pdf", path("song.msf"), path("song.pdf")});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_TRUE(run(QStringLiteral("pdfinfo"), {path("song.pdf")})
                    .out.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n"))));
    const QString first = pageText(1);
    const QString second = pageText(2);
    EXPECT_TRUE(first.contains(QStringLiteral("song.msf")) && first.contains("Ann Smith"));
    EXPECT_TRUE(first.contains(QStringLiteral("Acoustic Grand")));
    EXPECT_FALSE(second.contains(QStringLiteral("Acoustic Grand")));
    EXPECT_TRUE(second.contains(QStringLiteral("Moon")));
    EXPECT_FALSE(first.contains(QStringLiteral("Moon")));
    EXPECT_TRUE(second.contains(QRegularExpression(QStringLiteral("Page\\s+2"))));
}

TEST_F(PrintPdf, WritesOnlyTheChosenPagesAndNothingForABadFile) {
    struct Case {
        QStringList extra;
        const char* input;
        int status;
        int pages;  // 0: no PDF written
    };
    QFile bad(path("bad.msf"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("TRACK 0\r\n 99, 100, 3\r\n");
    bad.close();
    const Case cases[] = {{{"--pages", "2-9"}, "song.msf", 0, 2},
                          {{"--pages", "4-5"}, "song.msf", 2, 0},
                          {{}, "bad.msf", 2, 0}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.input);
        QFile::remove(path("song.pdf"));
        const Outcome o =
            run(QStringLiteral(QUILLNOTE_BINARY),
                QStringList{"--print-pdf", path(k.input), path("song.pdf")} + k.extra);
        EXPECT_EQ(o.status, k.status);
        if (k.status != 0) {
            EXPECT_TRUE(o.err.startsWith(QStringLiteral("quillnote: ")));
        }
        EXPECT_EQ(QFile::exists(path("song.pdf")), k.pages > 0);
        if (k.pages > 0) {
            EXPECT_TRUE(run(QStringLiteral("pdfinfo"), {path("song.pdf")})
                            .out.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))));
        }
    }
    const Outcome unwritable = run(QStringLiteral(QUILLNOTE_BINARY),
                                   {"--print-pdf", path("song.msf"), path("no/such/dir/x.pdf")});
    EXPECT_EQ(unwritable.status, 1);
}

}  // namespace
