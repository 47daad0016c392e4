#pragma once

// The duration palette: eight pictures (thirty-second note to whole note, no
// glyph, rest) and the marker under the chosen one.

#include <QObject>
#include <array>

class QGraphicsRectItem;
class QGraphicsScene;

namespace qn {

class DurationPalette : public QObject {
    Q_OBJECT
  public:
    DurationPalette(QGraphicsScene& scene, QObject* parent = nullptr);

    // Moves the marker under picture k.
    void mark(int k);
    // Left edge of picture k and of the marker, in twips.
    static int pictureLeft(int k);
    int markerLeft() const;

  signals:
    void clicked(int k);

  private:
    QGraphicsRectItem* m_marker = nullptr;
};

}  // namespace qn
