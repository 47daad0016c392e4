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

namespace {

// --render: the whole composition through the synthesiser into a WAV file.

Outcome quillnoteWith(const QStringList& arguments, const char* variable, const QString& value) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(variable), value);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QUILLNOTE_BINARY), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

uint32_t little32(const QByteArray& b, int at) {
    return uint8_t(b[at]) | uint8_t(b[at + 1]) << 8 | uint8_t(b[at + 2]) << 16 |
           uint32_t(uint8_t(b[at + 3])) << 24;
}
uint16_t little16(const QByteArray& b, int at) {
    return static_cast<uint16_t>(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}

TEST_F(CommandLineFiles, RenderWritesAStereoWavAsLongAsTheComposition) {
    // Ten notes at Division 100 (5 ms ticks): 24 + 400 ticks, 2.12 s.
    QByteArray song = "DIVISION 100\r\nTRACK 0\r\nINST 0\r\nOCTAVE 4\r\n";
    for (int i = 0; i < 10; ++i)
        song += " 12, 100, 3\r\n";
    writeFile(path("in.msf"), song);
    const Outcome o = quillnote({"--render", path("in.msf"), path("out.wav")});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_TRUE(o.out.isEmpty());

    const QByteArray wav = readFile(path("out.wav"));
    ASSERT_GT(wav.size(), 44);
    EXPECT_EQ(wav.left(4), "RIFF");
    EXPECT_EQ(little32(wav, 4), static_cast<uint32_t>(wav.size() - 8));
    EXPECT_EQ(wav.mid(8, 8), "WAVEfmt ");
    EXPECT_EQ(little16(wav, 20), 1);       // PCM
    EXPECT_EQ(little16(wav, 22), 2);       // stereo
    EXPECT_EQ(little32(wav, 24), 44100u);  // Hz
    EXPECT_EQ(little16(wav, 34), 16);      // bits
    EXPECT_EQ(wav.mid(36, 4), "data");
    const uint32_t dataBytes = little32(wav, 40);
    EXPECT_EQ(dataBytes, static_cast<uint32_t>(wav.size() - 44));
    // It lasts the composition, plus the last note's release.
    const double seconds = dataBytes / 4.0 / 44100;
    EXPECT_GE(seconds, 2.12 - 0.02);
    EXPECT_LE(seconds, 2.12 + 1.5);
    int loudest = 0;
    for (int i = 44; i + 1 < wav.size(); i += 2)
        loudest = std::max(loudest, std::abs(static_cast<int16_t>(little16(wav, i))));
    EXPECT_GT(loudest, 1000);
}

TEST_F(CommandLineFiles, RenderAppliesEveryEffectSwitchedOnInTheFile) {
    const QByteArray notes = "TRACK 0\r\nINST 0\r\n 12, 110, 3\r\n 16, 110, 5\r\n 169, 100, 7\r\n";
    writeFile(path("dry.msf"), notes);
    ASSERT_EQ(quillnote({"--render", path("dry.msf"), path("dry.wav")}).status, 0);
    const QByteArray dry = readFile(path("dry.wav"));
    auto difference = [&](const QByteArray& wet) {
        // Power of wet minus dry over the dry file's length, relative to the dry power.
        double diff = 0, power = 0;
        for (int i = 44; i + 1 < dry.size(); i += 2) {
            const double d = static_cast<int16_t>(little16(dry, i));
            const double w = i + 1 < wet.size() ? static_cast<int16_t>(little16(wet, i)) : 0.0;
            diff += (w - d) * (w - d);
            power += d * d;
        }
        return diff / power;
    };
    for (const char* effect :
         {"DISTORTION", "ECHO", "CHORUS", "FLANGER", "COMPRESSOR", "GARGLE", "PARA", "REVERB"}) {
        writeFile(path("wet.msf"), QByteArray(effect) + "\r\n" + notes);
        const Outcome o = quillnote({"--render", path("wet.msf"), path("wet.wav")});
        ASSERT_EQ(o.status, 0) << effect << o.err.toStdString();
        // The first values of the dialog are mild (the echo mixes in 8 %), yet audible.
        EXPECT_GT(difference(readFile(path("wet.wav"))), 0.001) << effect;
    }
}

TEST_F(CommandLineFiles, RenderFailuresGiveOneLineAndWriteNothing) {
    writeFile(path("bad.msf"), "DIVISION 64\r\nTRACK 0\r\n 1, 2, 3\r\nTRACK 9\r\n");
    writeFile(path("good.msf"), "TRACK 0\r\n 12, 100, 3\r\n");
    const struct {
        QStringList arguments;
        QString soundFont;  // QUILLNOTE_SOUNDFONT; empty: the usual lookup
        int status;
        QString mentions;
        QString output;
    } cases[] = {
        {{"--render", path("bad.msf"), path("new.wav")}, {}, 2, "line 4", path("new.wav")},
        {{"--render", path("missing.msf"), path("new.wav")}, {}, 2, "missing.msf", path("new.wav")},
        {{"--render", path("good.msf"), path("new.wav")},
         path("no.sf2"),
         2,
         "no.sf2",
         path("new.wav")},
        {{"--render", path("good.msf"), path("no/such/dir/new.wav")},
         {},
         1,
         "new.wav",
         path("no/such/dir/new.wav")},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.arguments.join(' ').toStdString());
        const Outcome o = k.soundFont.isEmpty()
                              ? quillnote(k.arguments)
                              : quillnoteWith(k.arguments, "QUILLNOTE_SOUNDFONT", k.soundFont);
        EXPECT_EQ(o.status, k.status);
        EXPECT_TRUE(o.err.startsWith("quillnote: ") && o.err.endsWith('\n'));
        EXPECT_EQ(o.err.count('\n'), 1) << o.err.toStdString();
        EXPECT_TRUE(o.err.contains(k.mentions.toUtf8())) << o.err.toStdString();
        EXPECT_TRUE(o.out.isEmpty());
        EXPECT_FALSE(QFile::exists(k.output));
    }
    for (const QStringList& arguments :
         {QStringList{"--render", path("good.msf")}, QStringList{"--render", "a", "b", "c"}})
        EXPECT_EQ(quillnote(arguments).status, 2);
}

}  // namespace
