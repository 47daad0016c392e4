#include "clientview.h"

#include <QResizeEvent>
#include <cmath>

#include "staff/staffgeometry.h"

namespace qn {

using staff::kClientHeight;
using staff::kClientWidth;
constexpr double kTwipsPerPixel = staff::kTwipsPerPixel;

ClientView::ClientView(QGraphicsScene* scene, QWidget* parent) : QGraphicsView(scene, parent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                   QPainter::SmoothPixmapTransform);
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    setSceneRect(0, 0, kClientWidth, kClientHeight);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scale(1 / kTwipsPerPixel, 1 / kTwipsPerPixel);
}

QSize ClientView::sizeHint() const {
    return {static_cast<int>(std::lround(kClientWidth / kTwipsPerPixel)),
            static_cast<int>(std::lround(kClientHeight / kTwipsPerPixel))};
}

void ClientView::resizeEvent(QResizeEvent* event) {
    QGraphicsView::resizeEvent(event);
    fitInView(sceneRect(), Qt::KeepAspectRatio);
}

}  // namespace qn
