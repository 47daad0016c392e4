#include "twipwidget.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QWidget>
#include <cmath>

#include "staffgeometry.h"

namespace qn {

QGraphicsProxyWidget* placeWidget(QGraphicsScene& scene, QWidget* widget, int x, int y, int width,
                                  int height) {
    constexpr double kTwips = staff::kTwipsPerPixel;
    // Fixed, so that a style's larger minimum size does not stretch the widget.
    widget->setFixedSize(static_cast<int>(std::lround(width / kTwips)),
                         static_cast<int>(std::lround(height / kTwips)));
    QGraphicsProxyWidget* proxy = scene.addWidget(widget);
    proxy->setPos(x, y);
    proxy->setScale(kTwips);
    return proxy;
}

}  // namespace qn
