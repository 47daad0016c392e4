#include "optionsstate.h"

#include <array>

#include "model/numbertext.h"
#include "pictures.h"

namespace qn {

namespace {

struct PictureEntry {
    const char* name;
    int number;
};

constexpr std::array<PictureEntry, 4> kPictureEntries = {{
    {"None", kNoPicture},
    {"Three Neck Guitar", kThreeNeckGuitarPicture},
    {"Grand Piano", kGrandPianoPicture},
    {"Piano", kPianoPicture},
}};

}  // namespace

QString playingLengthText(int songLength, int division) {
    if (division <= 0) return QStringLiteral(" 0:00");
    const long long total =
        roundHalfEven(static_cast<double>(songLength) * 201 / (static_cast<double>(division) * 10));
    return QStringLiteral(" %1:%2").arg(total / 60).arg(total % 60, 2, 10, QLatin1Char('0'));
}

QStringList pictureListNames() {
    QStringList names;
    for (const PictureEntry& entry : kPictureEntries)
        names << QLatin1String(entry.name);
    return names;
}

int pictureNumberOfName(const QString& name) {
    for (const PictureEntry& entry : kPictureEntries)
        if (name == QLatin1String(entry.name)) return entry.number;
    return 0;
}

QString pictureNameOfNumber(int number) {
    for (const PictureEntry& entry : kPictureEntries)
        if (number == entry.number) return QLatin1String(entry.name);
    return QLatin1String(kPictureEntries[0].name);
}

void OptionsState::open(Settings& settings) {
    if (settings.BackgroundImage < kNoPicture) settings.BackgroundImage = kNoPicture;
    m_pendingImage = settings.BackgroundImage;
    m_pendingColor = settings.BackColorValue;
    m_accepted = false;
}

bool OptionsState::chooseListEntry(const QString& text) {
    const int number = pictureNumberOfName(text);
    if (number == 0) return false;
    m_pendingImage = number;
    return true;
}

void OptionsState::browsed(const QString& path, bool loaded) {
    m_chosenFile = path;
    if (!path.isEmpty() && loaded) m_pendingImage = Settings::kPictureFile;
}

bool OptionsState::chooseColor(uint32_t rgb) {
    if (rgb == 0) return false;
    m_pendingColor = rgb;
    return true;
}

void OptionsState::ok(Settings& settings, const QString& listText) {
    m_accepted = true;
    if (!m_chosenFile.isEmpty()) settings.BackgroundFile = m_chosenFile;
    m_pictureName = listText;
    settings.BackColorValue = m_pendingColor;
    settings.BackgroundImage = static_cast<uint8_t>(m_pendingImage);
}

int OptionsState::pictureToShow(const Settings& settings) const {
    if (settings.BackgroundImage == Settings::kPictureFile) return Settings::kPictureFile;
    return pictureNumberOfName(m_pictureName);
}

}  // namespace qn
