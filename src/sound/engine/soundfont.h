#pragma once

// Which General MIDI sound font the synthesiser loads: the file named by the
// QUILLNOTE_SOUNDFONT environment variable, else the one named by the
// "soundfont" key of the settings ("Properties" group), else the first of the
// system's General MIDI fonts that exists. A source that names a file decides:
// when that file is missing the lookup fails and says where the name came from,
// rather than quietly playing another font.

#include <QString>
#include <QStringList>
#include <functional>

class QSettings;

namespace qn {

inline constexpr char kSoundFontVariable[] = "QUILLNOTE_SOUNDFONT";
inline constexpr char kSoundFontKey[] = "soundfont";  // in the settings group "Properties"

// /usr/share/sounds/sf2/ default-GM.sf2, TimGM6mb.sf2, FluidR3_GM.sf2, in that order.
QStringList systemSoundFonts();

// Where the lookup reads; tests inject their own.
struct SoundFontSources {
    std::function<QString()> environment;  // the variable's value; empty when unset
    std::function<QString()> setting;      // the key's value; empty when unset
    std::function<bool(const QString&)> fileExists;
    QStringList systemFonts = systemSoundFonts();
};

// The real environment, the settings in `store` (the program's own store,
// organisation and application "Quillnote", when null) and the file system.
// `store` must outlive the returned sources.
SoundFontSources systemSoundFontSources(QSettings* store = nullptr);

// The sound font's path, or an empty text with `error` set to a sentence for the user.
QString findSoundFont(const SoundFontSources& sources, QString* error);

}  // namespace qn
