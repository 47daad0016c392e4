#include "sound/engine/soundfont.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>
#include <set>

namespace qn {
namespace {

const QString kDefault = QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2");
const QString kTim = QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2");
const QString kFluid = QStringLiteral("/usr/share/sounds/sf2/FluidR3_GM.sf2");

SoundFontSources sources(const QString& environment, const QString& setting,
                         std::set<QString> existing) {
    SoundFontSources s;
    s.environment = [environment] { return environment; };
    s.setting = [setting] { return setting; };
    s.fileExists = [existing](const QString& path) { return existing.count(path) > 0; };
    return s;
}

// A source that names a file decides: when that file is missing the lookup
// fails and says where the name came from, or, without any font, what it tried.
TEST(SoundFontLookup, TakesTheEnvironmentThenTheSettingThenTheFirstSystemFontThatExists) {
    const QString mine = QStringLiteral("/home/u/mine.sf2");
    const QString set = QStringLiteral("/home/u/set.sf2");
    const QString gone = QStringLiteral("/nowhere/gone.sf2");
    const struct {
        QString environment, setting;
        std::set<QString> existing;
        QString expected = {};    // empty: an error that mentions...
        QStringList errors = {};  // ...these
    } cases[] = {
        {mine, set, {mine, set, kDefault}, mine},
        {{}, set, {mine, set, kDefault}, set},
        {{}, {}, {mine, set, kDefault, kTim, kFluid}, kDefault},
        {{}, {}, {kTim, kFluid}, kTim},
        {{}, {}, {kFluid}, kFluid},
        {gone, set, {set, kDefault}, {}, {gone, "QUILLNOTE_SOUNDFONT"}},
        {{}, gone, {kDefault}, {}, {gone, "soundfont"}},
        {{}, {}, {}, {}, {kDefault, kTim, kFluid}},
    };
    for (const auto& k : cases) {
        QString error;
        EXPECT_EQ(findSoundFont(sources(k.environment, k.setting, k.existing), &error), k.expected);
        EXPECT_EQ(error.isEmpty(), k.errors.isEmpty()) << error.toStdString();
        for (const QString& part : k.errors)
            EXPECT_TRUE(error.contains(part)) << error.toStdString();
    }
}

TEST(SoundFontLookup, TheSystemSourcesReadTheSettingFromThePropertiesGroup) {
    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
    store.setValue(QStringLiteral("Properties/soundfont"), QStringLiteral("/x/y.sf2"));
    const SoundFontSources s = systemSoundFontSources(&store);
    EXPECT_EQ(s.setting(), QStringLiteral("/x/y.sf2"));
    store.sync();
    EXPECT_TRUE(s.fileExists(store.fileName()));
    EXPECT_FALSE(s.fileExists(dir.filePath(QStringLiteral("none.sf2"))));
    EXPECT_FALSE(s.fileExists(dir.path()));  // a folder is no font
}

}  // namespace
}  // namespace qn
