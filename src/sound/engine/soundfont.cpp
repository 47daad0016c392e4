#include "soundfont.h"

#include <QFileInfo>
#include <QSettings>
#include <memory>

namespace qn {

namespace {

const QString kGroup = QStringLiteral("Properties");

QString readSetting(QSettings& store) {
    store.beginGroup(kGroup);
    const QString value = store.value(QString::fromLatin1(kSoundFontKey)).toString();
    store.endGroup();
    return value;
}

}  // namespace

QStringList systemSoundFonts() {
    const QString folder = QStringLiteral("/usr/share/sounds/sf2/");
    return {folder + QStringLiteral("default-GM.sf2"), folder + QStringLiteral("TimGM6mb.sf2"),
            folder + QStringLiteral("FluidR3_GM.sf2")};
}

SoundFontSources systemSoundFontSources(QSettings* store) {
    SoundFontSources sources;
    sources.environment = [] { return qEnvironmentVariable(kSoundFontVariable); };
    sources.setting = [store] {
        if (store) return readSetting(*store);
        QSettings own(QStringLiteral("Quillnote"), QStringLiteral("Quillnote"));
        return readSetting(own);
    };
    sources.fileExists = [](const QString& path) { return QFileInfo(path).isFile(); };
    return sources;
}

QString findSoundFont(const SoundFontSources& sources, QString* error) {
    const auto named = [&](const QString& path, const QString& origin) -> QString {
        if (sources.fileExists(path)) return path;
        *error = QStringLiteral("The sound font %1 named by %2 does not exist.").arg(path, origin);
        return {};
    };
    if (const QString path = sources.environment ? sources.environment() : QString();
        !path.isEmpty())
        return named(path, QStringLiteral("the environment variable %1")
                               .arg(QString::fromLatin1(kSoundFontVariable)));
    if (const QString path = sources.setting ? sources.setting() : QString(); !path.isEmpty())
        return named(path,
                     QStringLiteral("the setting \"%1\"").arg(QString::fromLatin1(kSoundFontKey)));
    for (const QString& path : sources.systemFonts)
        if (sources.fileExists(path)) return path;
    *error = QStringLiteral(
                 "No General MIDI sound font was found (looked for %1). "
                 "Install the package timgm6mb-soundfont or set %2.")
                 .arg(sources.systemFonts.join(QStringLiteral(", ")),
                      QString::fromLatin1(kSoundFontVariable));
    return {};
}

}  // namespace qn
