#include "soundfontlist.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace qn {

QStringList soundFontFolders() {
    return {QStringLiteral("/usr/share/sounds/sf2"), QStringLiteral("/usr/share/sounds/sf3"),
            QDir::homePath() + QStringLiteral("/.local/share/sounds/sf2")};
}

QList<FoundSoundFont> findSoundFonts(const QStringList& folders) {
    QList<FoundSoundFont> fonts;
    QSet<QString> foldersRead;
    for (const QString& folder : folders) {
        const QDir dir(folder);
        const QString canonical = dir.canonicalPath();
        if (canonical.isEmpty() || foldersRead.contains(canonical)) continue;
        foldersRead.insert(canonical);
        const QFileInfoList files =
            dir.entryInfoList({QStringLiteral("*.sf2"), QStringLiteral("*.sf3")}, QDir::Files,
                              QDir::Name);  // without links that lead nowhere
        for (const QFileInfo& file : files) {
            FoundSoundFont font{file.absoluteFilePath(), {}, file.size()};
            if (file.isSymLink()) font.target = file.canonicalFilePath();
            fonts << font;
        }
    }
    return fonts;
}

}  // namespace qn
