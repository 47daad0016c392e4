#include "pianokeys.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QPushButton>

#include "staff/rgbnumber.h"
#include "staff/twipwidget.h"

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

}  // namespace

PianoKeys::PianoKeys(QGraphicsScene& scene, QObject* parent) : QObject(parent) {
    for (int k = 0; k < kPianoKeys; ++k) {
        auto* key = new QPushButton(QString::fromLatin1(kCaptions[k]));
        key->setObjectName(QStringLiteral("Piano%1").arg(k));
        // Keys answer the mouse but never take the focus from the computer keys' handler.
        key->setFocusPolicy(Qt::NoFocus);
        const bool white = k < kWhiteKeys;
        QGraphicsProxyWidget* proxy = white ? placeWidget(scene, key, 120 + kWhiteStep * k, kKeyTop,
                                                          kWhiteWidth, kWhiteHeight)
                                            : placeWidget(scene, key, kBlackLefts[k - kWhiteKeys],
                                                          kKeyTop, kBlackWidth, kBlackHeight);
        proxy->setZValue(white ? 1 : 2);  // black keys lie on the white ones
        m_keys[k] = key;
        setKeyColor(k, keyRestColor(k));
        connect(key, &QPushButton::clicked, this, [this, k] { emit clicked(k); });
    }
}

void PianoKeys::setKeyColor(int k, uint32_t rgb) {
    m_colors.at(k) = rgb;
    const QColor color = colorFromRgbNumber(rgb);
    const QColor text = color.lightness() < 128 ? Qt::white : Qt::black;
    // White keys carry their caption at the bottom, where the black keys do not cover them.
    m_keys.at(k)->setStyleSheet(
        QStringLiteral("QPushButton { background: %1; color: %2; border: 1px solid #555;"
                       " border-radius: 2px; padding-top: %3px; font-size: 11px; }"
                       "QPushButton:pressed { background: %4; }")
            .arg(color.name(), text.name(),
                 k < kWhiteKeys ? QStringLiteral("40") : QStringLiteral("0"),
                 color.darker(115).name()));
}

}  // namespace qn
