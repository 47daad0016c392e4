#include "settings.h"

#include <QSettings>
#include <QVariant>
#include <optional>

#include "sound/engine/soundfont.h"
#include "staff/rgbnumber.h"

namespace qn {

namespace {

const QString kGroup = QStringLiteral("Properties");
const QString kRegLoaded = QStringLiteral("RegLoaded");
const QString kImage = QStringLiteral("image");
const QString kBackground = QStringLiteral("background");
const QString kBackColor = QStringLiteral("backcolor");
const QString kTeachMode = QStringLiteral("teachmode");
const QString kKaraokeMode = QStringLiteral("karomode");
const QString kPlayerPianoMode = QStringLiteral("playerpianomode");
const QString kAutosave = QStringLiteral("autosave");
const QString kSoundFont = QString::fromLatin1(kSoundFontKey);
constexpr uint32_t kMaxAutosaveSeconds = 24 * 60 * 60;

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kMaxProgram = 127;
constexpr uint8_t kFirstRunPicture = 106;

QString instrumentKey(int track) {
    return QStringLiteral("inst%1").arg(track);
}

// Settings hold strings; anything else (or nothing) does not convert.
std::optional<QString> stored(const QSettings& store, const QString& key) {
    const QVariant value = store.value(key);
    if (!value.isValid() || !value.canConvert<QString>()) return std::nullopt;
    return value.toString().trimmed();
}

int digitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return -1;
}

// Plain digits of `base`: no sign, no prefix, at most `max`.
std::optional<uint32_t> parseNumber(const std::optional<QString>& text, int base, uint32_t max) {
    if (!text || text->isEmpty()) return std::nullopt;
    uint32_t value = 0;
    for (const QChar c : *text) {
        const int digit = digitValue(c);
        if (digit < 0 || digit >= base) return std::nullopt;
        value = value * static_cast<uint32_t>(base) + static_cast<uint32_t>(digit);
        if (value > max) return std::nullopt;
    }
    return value;
}

std::optional<bool> parseBool(const std::optional<QString>& text) {
    if (!text) return std::nullopt;
    if (text->compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
    if (text->compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
    return std::nullopt;
}

QString boolText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

// Ends the group even when the caller returns early.
class GroupScope {
  public:
    GroupScope(QSettings& store, const QString& group) : m_store(store) {
        m_store.beginGroup(group);
    }
    ~GroupScope() { m_store.endGroup(); }
    GroupScope(const GroupScope&) = delete;
    GroupScope& operator=(const GroupScope&) = delete;

  private:
    QSettings& m_store;
};

}  // namespace

QString Settings::load(QSettings& store, const Registration& registerAssociation) {
    GroupScope group(store, kGroup);
    // Set by hand (the sound font also in Options), so read on every run, the first one too.
    if (const auto seconds = parseNumber(stored(store, kAutosave), 10, kMaxAutosaveSeconds))
        autosaveSeconds = static_cast<int>(*seconds);
    if (const auto font = stored(store, kSoundFont)) soundFont = *font;
    const auto marker = stored(store, kRegLoaded);
    if (marker && marker->compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        readValues(store);
        return {};
    }
    if (registerAssociation) {
        if (QString error = registerAssociation(); !error.isEmpty()) return error;
    }
    writeFirstRunValues(store);
    store.sync();
    return {};
}

int Settings::storedPicture(QSettings& store) {
    GroupScope group(store, kGroup);
    if (const auto image = parseNumber(stored(store, kImage), 10, 255))
        return static_cast<int>(*image);
    return kFirstRunPicture;
}

void Settings::writeFirstRunValues(QSettings& store) {
    // These texts differ in form from what save() writes ("00", lower-case
    // hex and words); later runs read both.
    store.setValue(kImage, QStringLiteral("106"));
    store.setValue(kBackColor, QStringLiteral("ffffff"));
    store.setValue(instrumentKey(0), QStringLiteral("00"));
    store.setValue(instrumentKey(1), QStringLiteral("25"));
    store.setValue(instrumentKey(2), QStringLiteral("18"));
    store.setValue(instrumentKey(3), QStringLiteral("118"));
    store.setValue(kTeachMode, QStringLiteral("true"));
    store.setValue(kKaraokeMode, QStringLiteral("false"));
    store.setValue(kPlayerPianoMode, QStringLiteral("false"));

    TrackInstrument = {0, 25, 18, 118};
    BackColorValue = kWhite;
    TeachMode = true;
    KaraokeMode = false;
    PlayerPianoMode = false;
    BackgroundImage = kFirstRunPicture;

    store.setValue(kRegLoaded, QStringLiteral("True"));
}

void Settings::readValues(const QSettings& store) {
    if (const auto image = parseNumber(stored(store, kImage), 10, 255)) {
        BackgroundImage = static_cast<uint8_t>(*image);
    }
    if (BackgroundImage == kPictureFile) {
        if (const auto file = stored(store, kBackground)) BackgroundFile = *file;
    }
    if (const auto color = parseNumber(stored(store, kBackColor), 16, kWhite)) {
        BackColorValue = *color;
    }
    for (int t = 0; t < kTracks; ++t) {
        if (const auto program = parseNumber(stored(store, instrumentKey(t)), 10, kMaxProgram)) {
            TrackInstrument[static_cast<size_t>(t)] = static_cast<int16_t>(*program);
        }
    }
    if (const auto on = parseBool(stored(store, kTeachMode))) TeachMode = *on;
    if (const auto on = parseBool(stored(store, kKaraokeMode))) KaraokeMode = *on;
    if (const auto on = parseBool(stored(store, kPlayerPianoMode))) PlayerPianoMode = *on;
}

void Settings::save(QSettings& store) const {
    GroupScope group(store, kGroup);
    store.setValue(kImage, QString::number(BackgroundImage));
    store.setValue(kBackColor, QString::number(BackColorValue, 16).toUpper());
    for (int t = 0; t < kTracks; ++t) {
        store.setValue(instrumentKey(t), QString::number(TrackInstrument[static_cast<size_t>(t)]));
    }
    store.setValue(kTeachMode, boolText(TeachMode));
    store.setValue(kKaraokeMode, boolText(KaraokeMode));
    store.setValue(kPlayerPianoMode, boolText(PlayerPianoMode));
    store.setValue(kBackground, BackgroundFile);
    if (!soundFont.isEmpty()) store.setValue(kSoundFont, soundFont);
    store.sync();
}

QColor Settings::backColor() const {
    return colorFromRgbNumber(BackColorValue);
}

void Settings::setBackColor(const QColor& color) {
    BackColorValue = rgbNumberFromColor(color);
}

}  // namespace qn
