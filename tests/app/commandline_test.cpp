#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Outcome {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Outcome quillnote(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(QUILLNOTE_BINARY), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

TEST(CommandLine, VersionAndHelpSucceed) {
    EXPECT_EQ(quillnote({"--version"}).status, 0);
    const Outcome help = quillnote({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains("--export-midi"));
}

}  // namespace
