#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "model/documentcommands.h"
#include "model/midiwriter.h"

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

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class CommandLineFiles : public testing::Test {
  protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

// A song with notes, a rest, switches and lyrics that need escaping in JSON.
const QByteArray kSong =
    "COMPOSITIONNAMEsong.msf\r\nCOMPOSITIONCOPYRIGHT(c)2010\r\nCOMPOSITIONAUTHORAnn \"Q\" Smith\r\n"
    "DIVISION 100\r\nECHO\r\nREVERB\r\nBASSCLEF\r\nTRACK 0\r\nINST 1\r\nOCTAVE 3\r\n"
    " 12, 100, 3\r\n 169, 90, 7\r\nTRACK 1\r\nINST 2\r\nOCTAVE 4\r\nTRACK 2\r\nINST 3\r\n"
    "OCTAVE 5\r\n 0, 1, 0\r\nTRACK 3\r\nINST 4\r\nOCTAVE 6\r\nLYRICS\r\n 2\r\n"
    "tab\there \\ \"quoted\"\r\nGr\xC3\xBC\xC3\x9F"
    "e\r\n";

TEST(CommandLine, VersionAndHelpSucceed) {
    EXPECT_EQ(quillnote({"--version"}).status, 0);
    const Outcome help = quillnote({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains("--export-midi"));
}

TEST_F(CommandLineFiles, ExportMidiWritesWhatSaveAsMidiWritesForTheOpenedFile) {
    writeFile(path("in.msf"), kSong);
    const Outcome o = quillnote({"--export-midi", path("in.msf"), path("out.mid")});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_TRUE(o.err.isEmpty());

    qn::Composition c;
    qn::EditState e;
    ASSERT_FALSE(qn::openMsf(kSong.toStdString(), path("in.msf").toStdString(), c, e));
    c.ComputeSongLength();
    const std::vector<uint8_t> expected = qn::WriteMidiFile(c, 0, 3, 0, c.SongLength);
    const QByteArray written = readFile(path("out.mid"));
    EXPECT_EQ(std::vector<uint8_t>(written.begin(), written.end()), expected);
}

TEST_F(CommandLineFiles, DumpPrintsTheOpenedCompositionAsJson) {
    writeFile(path("in.msf"), kSong);
    const Outcome o = quillnote({"--dump", path("in.msf")});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(o.out, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();

    EXPECT_EQ(json["name"].toString(), "song.msf");
    EXPECT_EQ(json["docName"].toString(), "in.msf");
    EXPECT_EQ(json["author"].toString(), "Ann \"Q\" Smith");
    EXPECT_EQ(json["copyright"].toString(), "(c)2010");
    EXPECT_EQ(json["division"].toInt(), 100);
    EXPECT_EQ(json["effects"].toArray(), (QJsonArray{"ECHO", "REVERB"}));
    EXPECT_EQ(json["bassClef"], QJsonValue(true));
    const QJsonArray tracks = json["tracks"].toArray();
    ASSERT_EQ(tracks.size(), 4);
    for (int t = 0; t < 4; ++t) {
        EXPECT_EQ(tracks[t]["instrument"].toInt(), t + 1);
        EXPECT_EQ(tracks[t]["octave"].toInt(), t + 3);
    }
    EXPECT_EQ(tracks[0]["notes"].toArray(),
              (QJsonArray{QJsonArray{12, 100, 3}, QJsonArray{169, 90, 7}}));
    EXPECT_EQ(tracks[1]["notes"].toArray(), QJsonArray());
    EXPECT_EQ(tracks[2]["notes"].toArray(), (QJsonArray{QJsonArray{0, 1, 0}}));
    EXPECT_EQ(json["songLength"].toInt(), 2);
    EXPECT_EQ(json["scrollPos"].toInt(), 0);
    EXPECT_EQ(json["lyrics"].toArray(),
              (QJsonArray{"tab\there \\ \"quoted\"", QString::fromUtf8("Gr\xC3\xBC\xC3\x9F"
                                                                       "e")}));
}

TEST_F(CommandLineFiles, RejectedOrMissingInputFailsWithOneLineAndWritesNothing) {
    writeFile(path("bad.msf"), "DIVISION 64\r\nTRACK 0\r\n 1, 2, 3\r\nTRACK 9\r\n");
    writeFile(path("kept.mid"), "old contents");
    const struct {
        QStringList arguments;
        const char* mentions;
    } cases[] = {
        {{"--export-midi", path("bad.msf"), path("new.mid")}, "line 4"},
        {{"--export-midi", path("bad.msf"), path("kept.mid")}, "line 4"},
        {{"--export-midi", path("missing.msf"), path("new.mid")}, "missing.msf"},
        {{"--export-midi", path("missing.msf"), path("kept.mid")}, "missing.msf"},
        {{"--dump", path("bad.msf")}, "line 4"},
        {{"--dump", path("missing.msf")}, "missing.msf"},
        {{"--dump", dir.path()}, ""},
    };
    for (const auto& k : cases) {
        const Outcome o = quillnote(k.arguments);
        SCOPED_TRACE(k.arguments.join(' ').toStdString());
        EXPECT_EQ(o.status, 2);
        EXPECT_TRUE(o.err.startsWith("quillnote: ") && o.err.endsWith('\n'));
        EXPECT_EQ(o.err.count('\n'), 1) << o.err.toStdString();
        EXPECT_TRUE(o.err.contains(k.mentions)) << o.err.toStdString();
        EXPECT_TRUE(o.out.isEmpty());
        EXPECT_FALSE(QFile::exists(path("new.mid")));
        EXPECT_EQ(readFile(path("kept.mid")), "old contents");
    }
}

TEST(CommandLine, BadUsageGivesStatusTwo) {
    const QStringList cases[] = {{"--export-midi", "in.msf"},
                                 {"--export-midi", "a", "b", "c"},
                                 {"--dump"},
                                 {"--dump", "a.msf", "b.msf"},
                                 {"--no-such-mode"}};
    for (const auto& arguments : cases) {
        const Outcome o = quillnote(arguments);
        EXPECT_EQ(o.status, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(o.err.startsWith("quillnote: ")) << arguments.join(' ').toStdString();
        EXPECT_TRUE(o.out.isEmpty());
    }
}

}  // namespace
