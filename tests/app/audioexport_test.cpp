#include "app/audioexport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <memory>

#include "app/audioexporter.h"
#include "app/commandmap.h"
#include "apptestsupport.h"
#include "audiofiles.h"
#include "compositions.h"
#include "model/documentcommands.h"
#include "sound/engine/soundfont.h"

namespace qn {
namespace {

// Three notes at Division 64: 24 + 120 ticks of 7.8125 ms, 1.125 s.
AudioExportJob jobFor(const QString& path) {
    auto c = std::make_unique<Composition>();
    EditState e;
    newComposition(*c, e);
    for (const Note n : {Note{12, 110, 3}, Note{16, 110, 5}, Note{19, 100, 4}})
        test::appendNote(*c, 0, n);
    QString error;
    const QString font = findSoundFont(systemSoundFontSources(), &error);
    EXPECT_FALSE(font.isEmpty()) << error.toStdString();
    return audioExportJob(*c, EffectsDialogValues(), font, path);
}

TEST(AudioExport, EachFileTypeReadsBackAsTheRenderedComposition) {
    QTemporaryDir dir;
    const struct {
        const char* name;
        int format;
    } cases[] = {
        {"song.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16},
        {"song.FLAC", SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
        {"song.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        const QString path = dir.filePath(k.name);
        QString error;
        ASSERT_EQ(runAudioExport(jobFor(path), {}, &error), ExportOutcome::Written)
            << error.toStdString();
        const test::AudioFile a = test::readAudioFile(path);
        EXPECT_EQ(a.info.format, k.format);
        EXPECT_EQ(a.info.channels, 2);
        EXPECT_EQ(a.info.samplerate, 44100);
        // The composition, plus the last note's release.
        EXPECT_GE(a.seconds(), 1.125 - 0.02);
        EXPECT_LE(a.seconds(), 1.125 + 1.5);
        float peak = 0;
        for (const float s : a.samples)
            peak = std::max(peak, std::fabs(s));
        EXPECT_GT(peak, 0.01f);
    }
}

// Cancelled or failed, an export leaves nothing behind, and a file of the
// same name as it was.
TEST(AudioExport, AnExportThatDoesNotFinishLeavesNoFile) {
    QTemporaryDir dir;
    QFile old(dir.filePath("old.wav"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old contents") == 12);
    old.close();
    const struct {
        const char* name;
        int cancelAtBlock;  // -1: never
        ExportOutcome outcome;
    } cases[] = {
        {"new.wav", 3, ExportOutcome::Cancelled},
        {"old.wav", 3, ExportOutcome::Cancelled},
        {"new.ogg", 0, ExportOutcome::Cancelled},
        {"new.mp3", -1, ExportOutcome::CannotWrite},
        {"no/such/folder/new.flac", -1, ExportOutcome::CannotWrite},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        int blocks = 0;
        QString error;
        EXPECT_EQ(runAudioExport(
                      jobFor(dir.filePath(k.name)),
                      [&](double) { return blocks++ != k.cancelAtBlock; }, &error),
                  k.outcome);
        EXPECT_EQ(error.isEmpty(), k.outcome == ExportOutcome::Cancelled) << error.toStdString();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.wav"});
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), "old contents");
        old.close();
    }
}

class ExportAudioWindow : public test::WindowTest {};

// The menu item exports in the background while its progress dialog shows;
// the dialog's Cancel leaves no file; a name of another type is refused.
TEST_F(ExportAudioWindow, TheMenuItemExportsInTheBackgroundAndCancelLeavesNoFile) {
    auto w = makeWindow(writeFile(QStringLiteral("two.msf"), test::kTwoTrackFile));
    dialogs->fileAnswers = {dir.filePath("two.flac"), dir.filePath("gone.wav"),
                            dir.filePath("two.mp3")};
    QAction* item = w->commands().menuItem(Command::ExportAudio);
    for (const ExportOutcome expected : {ExportOutcome::Written, ExportOutcome::Cancelled}) {
        item->trigger();
        AudioExporter* exporter = w->audioExporter();
        ASSERT_TRUE(exporter && exporter->running());
        QSignalSpy finished(exporter, &AudioExporter::finished);
        ASSERT_TRUE(exporter->progressDialog()->isVisible());
        if (expected == ExportOutcome::Cancelled)
            exporter->progressDialog()->findChild<QPushButton*>()->click();
        ASSERT_TRUE(finished.wait(60000));
        EXPECT_EQ(finished.at(0).at(0).value<ExportOutcome>(), expected);
    }
    EXPECT_EQ(test::readAudioFile(dir.filePath("two.flac")).info.channels, 2);
    EXPECT_FALSE(QFile::exists(dir.filePath("gone.wav")));
    EXPECT_TRUE(dialogs->messages.isEmpty()) << dialogs->messages.join('\n').toStdString();

    item->trigger();
    EXPECT_FALSE(w->audioExporter()->running());
    ASSERT_EQ(dialogs->messages.size(), 1);
    EXPECT_TRUE(dialogs->messages.at(0).contains("two.mp3"));
}

}  // namespace
}  // namespace qn
