#include "pianokeys.h"

#include <QGraphicsScene>

#include "pianokeyitem.h"
#include "staff/rgbnumber.h"
#include "staff/staffgeometry.h"

namespace qn {

namespace {

constexpr int kKeyTop = 8520;
constexpr int kWhiteWidth = 735;
constexpr int kWhiteHeight = 1095;
constexpr int kWhiteStep = 720;
constexpr int kBlackWidth = 495;
constexpr int kBlackHeight = 375;
constexpr std::array<int, kPianoKeys - kWhiteKeys> kBlackLefts = {1320, 2040, 3480, 4200, 4920,
                                                                  6360, 7080, 8520, 9240, 9960};
constexpr std::array<const char*, kPianoKeys> kCaptions = {
    "B", "C", "D",     "E",  "F",  "G",  "A",  "B",  "C",  "D",  "E",  "F",  "G",
    "A", "B", "Pause", "C#", "D#", "F#", "G#", "A#", "C#", "D#", "F#", "G#", "A#"};
// White keys carry their caption at the bottom, where the black keys do not cover them.
constexpr int kWhiteCaptionTop = 40;

}  // namespace

PianoKeys::PianoKeys(QGraphicsScene& scene, QObject* parent) : QObject(parent) {
    constexpr double kTwips = staff::kTwipsPerPixel;
    for (int k = 0; k < kPianoKeys; ++k) {
        const bool white = k < kWhiteKeys;
        const QSizeF size = white ? QSizeF(kWhiteWidth, kWhiteHeight) / kTwips
                                  : QSizeF(kBlackWidth, kBlackHeight) / kTwips;
        auto* key =
            new PianoKeyItem(QString::fromLatin1(kCaptions[k]), size, white ? kWhiteCaptionTop : 0);
        key->setPos(white ? 120 + kWhiteStep * k : kBlackLefts[k - kWhiteKeys], kKeyTop);
        key->setScale(kTwips);
        key->setZValue(white ? 1 : 2);  // black keys lie on the white ones
        scene.addItem(key);
        m_keys[k] = key;
        setKeyColor(k, keyRestColor(k));
        connect(key, &PianoKeyItem::clicked, this, [this, k] { emit clicked(k); });
    }
}

void PianoKeys::setKeyColor(int k, uint32_t rgb) {
    m_colors.at(k) = rgb;
    m_keys.at(k)->setColor(colorFromRgbNumber(rgb));
}

}  // namespace qn
