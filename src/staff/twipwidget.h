#pragma once

// Real widgets in the client scene: a widget drawn at its pixel size and
// scaled with the rest of the client area, so its position and size are twips.

class QGraphicsProxyWidget;
class QGraphicsScene;
class QWidget;

namespace qn {

// Places `widget` with its top-left corner at (x, y) and a fixed size of
// width x height, all in twips. The scene takes ownership.
QGraphicsProxyWidget* placeWidget(QGraphicsScene& scene, QWidget* widget, int x, int y, int width,
                                  int height);

}  // namespace qn
