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

TEST(SoundFontLookup, TakesTheEnvironmentThenTheSettingThenTheFirstSystemFontThatExists) {
    const QString mine = QStringLiteral("/home/u/mine.sf2");
    const QString set = QStringLiteral("/home/u/set.sf2");
    const struct {
        QString environment, setting;
        std::set<QString> existing;
        QString expected;
    } cases[] = {
        {mine, set, {mine, set, kDefault}, mine},
        {{}, set, {mine, set, kDefault}, set},
        {{}, {}, {mine, set, kDefault, kTim, kFluid}, kDefault},
        {{}, {}, {kTim, kFluid}, kTim},
        {{}, {}, {kFluid}, kFluid},
    };
    for (const auto& k : cases) {
        QString error;
        EXPECT_EQ(findSoundFont(sources(k.environment, k.setting, k.existing), &error), k.expected)
            << k.expected.toStdString();
        EXPECT_TRUE(error.isEmpty());
    }
}

TEST(SoundFontLookup, AMissingFontIsAnErrorThatSaysWhereTheNameCameFromOrWhatWasTried) {
    const QString gone = QStringLiteral("/nowhere/gone.sf2");
    const struct {
        QString environment, setting;
        const char* origin;
    } cases[] = {{gone, {}, "QUILLNOTE_SOUNDFONT"}, {{}, gone, "soundfont"}};
    for (const auto& k : cases) {
        QString error;
        EXPECT_TRUE(findSoundFont(sources(k.environment, k.setting, {kDefault}), &error).isEmpty());
        EXPECT_TRUE(error.contains(gone)) << error.toStdString();
        EXPECT_TRUE(error.contains(QLatin1String(k.origin))) << error.toStdString();
    }
    // No font at all: the error names what was tried.
    QString error;
    EXPECT_TRUE(findSoundFont(sources({}, {}, {}), &error).isEmpty());
    for (const QString& path : {kDefault, kTim, kFluid})
        EXPECT_TRUE(error.contains(path)) << error.toStdString();
}

TEST(SoundFontLookup, TheSystemSourcesReadTheSettingFromThePropertiesGroup) {
    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
    store.setValue(QStringLiteral("Properties/soundfont"), QStringLiteral("/x/y.sf2"));
    const SoundFontSources s = systemSoundFontSources(&store);
    EXPECT_EQ(s.setting(), QStringLiteral("/x/y.sf2"));
    const QByteArray saved = qgetenv(kSoundFontVariable);
    qputenv(kSoundFontVariable, "/a/b.sf2");
    EXPECT_EQ(s.environment(), QStringLiteral("/a/b.sf2"));
    qputenv(kSoundFontVariable, saved);
    store.sync();
    EXPECT_TRUE(s.fileExists(store.fileName()));
    EXPECT_FALSE(s.fileExists(dir.filePath(QStringLiteral("none.sf2"))));
    EXPECT_FALSE(s.fileExists(dir.path()));  // a folder is no font
}

}  // namespace
}  // namespace qn
