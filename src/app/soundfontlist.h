#pragma once

// The General MIDI sound fonts installed where the distribution and the user
// put them, for the Options dialog's Sound tab to offer.

#include <QList>
#include <QString>
#include <QStringList>

namespace qn {

struct FoundSoundFont {
    QString path;      // in its folder, as found; a link keeps its own name
    QString target;    // the file a link finally leads to; empty for a plain file
    qint64 bytes = 0;  // of the font itself (a link's target)
};

// /usr/share/sounds/sf2, /usr/share/sounds/sf3 and ~/.local/share/sounds/sf2.
QStringList soundFontFolders();

// The *.sf2 and *.sf3 files of `folders`, folder by folder and by name within
// each. A folder reached again through a link is read once; links that lead
// nowhere are left out. Missing folders are no error.
QList<FoundSoundFont> findSoundFonts(const QStringList& folders);

}  // namespace qn
