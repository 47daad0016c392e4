#pragma once

// The 26 keys of the on-screen piano below the staves: 16 white keys (the last
// one, "Pause", enters rests) and 10 black keys, placed in client twips.

#include <QColor>
#include <QObject>
#include <array>

class QGraphicsScene;
class QPushButton;

namespace qn {

inline constexpr int kPianoKeys = 26;
inline constexpr int kWhiteKeys = 16;

class PianoKeys : public QObject {
    Q_OBJECT
  public:
    PianoKeys(QGraphicsScene& scene, QObject* parent = nullptr);

    QPushButton* key(int k) const { return m_keys.at(k); }
    // The key's own colour: cream for white keys, black for black keys.
    static QColor restColor(int k);
    void setKeyColor(int k, const QColor& color);

  signals:
    void clicked(int k);

  private:
    std::array<QPushButton*, kPianoKeys> m_keys{};
};

}  // namespace qn
