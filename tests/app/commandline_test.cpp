#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "audiofiles.h"
#include "model/documentcommands.h"
#include "model/midiwriter.h"

namespace {

struct Outcome {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the program, with QUILLNOTE_SOUNDFONT set to `soundFont`, the standard
// output going to the file `output` and shared libraries looked for first in
// the folder `libraries`, each if given.
Outcome quillnote(const QStringList& arguments, const QString& soundFont = {},
                  const QString& output = {}, const QString& libraries = {}) {
    QProcess process;
    if (!output.isEmpty()) process.setStandardOutputFile(output);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!soundFont.isEmpty()) environment.insert(QStringLiteral("QUILLNOTE_SOUNDFONT"), soundFont);
    if (!libraries.isEmpty()) environment.insert(QStringLiteral("LD_LIBRARY_PATH"), libraries);
    process.setProcessEnvironment(environment);
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

// --export-midi writes what Save As MIDI writes for the opened file; --dump prints
// the opened composition as JSON.
TEST_F(CommandLineFiles, ExportMidiAndDumpShowTheOpenedFile) {
    writeFile(path("in.msf"), kSong);
    Outcome o = quillnote({"--export-midi", path("in.msf"), path("out.mid")});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_TRUE(o.err.isEmpty());

    qn::Composition c;
    qn::EditState e;
    ASSERT_FALSE(qn::openMsf(kSong.toStdString(), path("in.msf").toStdString(), c, e));
    c.ComputeSongLength();
    const std::vector<uint8_t> midi = qn::WriteMidiFile(c, 0, 3, 0, c.SongLength);
    const QByteArray written = readFile(path("out.mid"));
    EXPECT_EQ(std::vector<uint8_t>(written.begin(), written.end()), midi);

    o = quillnote({"--dump", path("in.msf")});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    const QJsonObject expected = QJsonDocument::fromJson(R"({
        "name": "song.msf", "docName": "in.msf", "author": "Ann \"Q\" Smith",
        "copyright": "(c)2010", "division": 100, "effects": ["ECHO", "REVERB"], "bassClef": true,
        "tracks": [{"instrument": 1, "octave": 3, "notes": [[12, 100, 3], [169, 90, 7]]},
                   {"instrument": 2, "octave": 4, "notes": []},
                   {"instrument": 3, "octave": 5, "notes": [[0, 1, 0]]},
                   {"instrument": 4, "octave": 6, "notes": []}],
        "songLength": 2, "scrollPos": 0,
        "lyrics": ["tab\there \\ \"quoted\"", "Grüße"]})")
                                     .object();
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(QJsonDocument::fromJson(o.out).object(), expected) << o.out.toStdString();
}

// Every failure gives one line on the error output, nothing on the standard
// output, and writes no file.
TEST_F(CommandLineFiles, FailuresGiveOneLineAndWriteNothing) {
    writeFile(path("bad.msf"), "DIVISION 64\r\nTRACK 0\r\n 1, 2, 3\r\nTRACK 9\r\n");
    writeFile(path("good.msf"), "TRACK 0\r\n 12, 100, 3\r\n");
    writeFile(path("kept.mid"), "old contents");
    ASSERT_TRUE(QFile::link(path("good.msf"), path("good-link.msf")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.msf")).constData(), 0600), 0);
    // A synthesiser library that does not load (the program opens it only to render).
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("broken")));
    writeFile(path("broken/" FLUIDSYNTH_SONAME), "not a library");
    const struct {
        QStringList arguments;
        const char* mentions;
        int status = 2;
        QString soundFont = {};  // QUILLNOTE_SOUNDFONT; empty: the usual lookup
        QString output = {};     // of the standard output; empty: read by the test
        QString libraries = {};  // searched first for shared libraries
    } cases[] = {
        {{"--export-midi", path("bad.msf"), path("new.mid")}, "line 4"},
        {{"--export-midi", path("missing.msf"), path("kept.mid")}, "missing.msf"},
        {{"--dump", path("bad.msf")}, "line 4"},
        {{"--dump", dir.path()}, ""},
        {{"--render", path("missing.msf"), path("new.wav")}, "missing.msf"},
        {{"--render", path("good.msf"), path("new.wav")}, "no.sf2", 2, path("no.sf2")},
        {{"--render", path("good.msf"), path("no/such/dir/new.wav")}, "new.wav", 1},
        {{"--render", path("good.msf"), path("new.mp3")}, ".ogg"},
        {{"--render", path("good.msf"), path("new.wav")},
         FLUIDSYNTH_SONAME,
         2,
         {},
         {},
         path("broken")},
        {{"--export-midi", path("good.msf"), path("good.msf")}, "overwrite the input", 1},
        {{"--render", path("good.msf"), path("good-link.msf")}, "overwrite the input", 1},
        {{"--print-pdf", path("good.msf"), path("good.msf")}, "overwrite the input", 1},
        {{"--dump", path("pipe.msf")}, "not a regular file"},
        {{"--dump", path("good.msf")}, "No space left on device", 1, {}, "/dev/full"},
        {{"--export-midi", path("good.msf"), path("pipe.msf")}, "nothing reads", 1},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.arguments.join(' ').toStdString());
        const Outcome o = quillnote(k.arguments, k.soundFont, k.output, k.libraries);
        EXPECT_EQ(o.status, k.status);
        EXPECT_TRUE(o.err.startsWith("quillnote: ") && o.err.endsWith('\n') &&
                    o.err.count('\n') == 1 && o.err.contains(k.mentions))
            << o.err.toStdString();
        EXPECT_TRUE(o.out.isEmpty());
        EXPECT_EQ(readFile(path("kept.mid")), "old contents");
        EXPECT_EQ(readFile(path("good.msf")), "TRACK 0\r\n 12, 100, 3\r\n");
        for (const char* name : {"new.mid", "new.wav", "no/such/dir/new.wav", "new.mp3"})
            EXPECT_FALSE(QFile::exists(path(name))) << name;
    }
}

TEST(CommandLine, InformationSucceedsAndBadUsageGivesStatusTwo) {
    const struct {
        QStringList arguments;
        int status = 2;
    } cases[] = {{{"--version"}, 0},
                 {{"--help"}, 0},
                 {{"--export-midi", "in.msf"}},
                 {{"--export-midi", "a", "b", "c"}},
                 {{"--dump"}},
                 {{"--dump", "a.msf", "b.msf"}},
                 {{"--render", "in.msf"}},
                 {{"--render", "a", "b", "c"}},
                 {{"--no-such-mode"}}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.arguments.join(' ').toStdString());
        const Outcome o = quillnote(k.arguments);
        EXPECT_EQ(o.status, k.status);
        EXPECT_EQ(o.out.isEmpty(), k.status != 0);
        EXPECT_EQ(o.err.startsWith("quillnote: "), k.status != 0);
    }
}

// --render: the whole composition through the synthesiser into a WAV file.

TEST_F(CommandLineFiles, RenderWritesAStereoWavWithEveryEffectSwitchedOnInTheFile) {
    // Three steps at Division 64: 24 + 120 ticks of 7.8125 ms, 1.125 s.
    const QByteArray notes = "TRACK 0\r\nINST 0\r\n 12, 110, 3\r\n 16, 110, 5\r\n 169, 100, 7\r\n";
    const auto render = [&](const QByteArray& effect) {
        writeFile(path("in.msf"), effect + notes);
        const Outcome o = quillnote({"--render", path("in.msf"), path("out.wav")});
        EXPECT_EQ(o.status, 0) << effect.toStdString() << o.err.toStdString();
        // No progress line either: the error output is no terminal here.
        EXPECT_TRUE(o.out.isEmpty() && o.err.isEmpty()) << o.err.toStdString();
        return qn::test::readAudioFile(path("out.wav"));
    };
    const qn::test::AudioFile dry = render("");
    EXPECT_EQ(dry.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(dry.info.channels, 2);
    EXPECT_EQ(dry.info.samplerate, 44100);
    // It lasts the composition, plus the last note's release.
    EXPECT_GE(dry.seconds(), 1.125 - 0.02);
    EXPECT_LE(dry.seconds(), 1.125 + 1.5);

    for (const char* effect :
         {"DISTORTION", "ECHO", "CHORUS", "FLANGER", "COMPRESSOR", "GARGLE", "PARA", "REVERB"}) {
        // Renders are deterministic, so any difference is the effect's. The first
        // values of the dialog are mild (the echo mixes in 8 % after 8 ms): about
        // -30 dB of difference, depending on the sound font. A silent dry render
        // makes the ratio NaN, which fails too.
        const qn::test::AudioFile wet = render(QByteArray(effect) + "\r\n");
        double diff = 0, power = 0;
        for (size_t i = 0; i < dry.samples.size(); ++i) {
            const double w = i < wet.samples.size() ? wet.samples[i] : 0;
            diff += (w - dry.samples[i]) * (w - dry.samples[i]);
            power += dry.samples[i] * dry.samples[i];
        }
        EXPECT_GT(diff / power, 1e-4) << effect;
    }
}

}  // namespace
