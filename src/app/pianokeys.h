#pragma once

// The 26 keys of the on-screen piano below the staves: 16 white keys (the last
// one, "Pause", enters rests) and 10 black keys, placed in client twips. They
// only show and report clicks; the Piano decides what a key does.

#include <QObject>
#include <array>
#include <cstdint>

#include "sound/playback/piano.h"

class QGraphicsScene;

namespace qn {

class PianoKeyItem;

class PianoKeys : public QObject {
    Q_OBJECT
  public:
    explicit PianoKeys(QGraphicsScene& scene, QObject* parent = nullptr);

    PianoKeyItem* key(int k) const { return m_keys.at(k); }
    // rgb: an RGB number, blue in the high byte.
    void setKeyColor(int k, uint32_t rgb);
    uint32_t keyColor(int k) const { return m_colors.at(k); }

  signals:
    void clicked(int k);

  private:
    std::array<PianoKeyItem*, kPianoKeys> m_keys{};
    std::array<uint32_t, kPianoKeys> m_colors{};
};

}  // namespace qn
