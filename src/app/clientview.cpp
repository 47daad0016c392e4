#include "clientview.h"

#include <QResizeEvent>
#include <algorithm>
#include <cmath>

#include "staff/staffgeometry.h"

namespace qn {

using staff::kClientHeight;
using staff::kClientWidth;
constexpr double kTwipsPerPixel = staff::kTwipsPerPixel;
// The window manager's title bar and borders, not known before the window shows.
constexpr QSize kFrameAllowance{16, 40};

QSize fittedWindowSize(QSize client, int chrome, QSize available) {
    const QSize room = available - kFrameAllowance - QSize(0, chrome);
    if (client.isEmpty() || room.isEmpty()) return client + QSize(0, chrome);
    const double scale = std::min({1.0, static_cast<double>(room.width()) / client.width(),
                                   static_cast<double>(room.height()) / client.height()});
    return QSize(static_cast<int>(std::floor(client.width() * scale)),
                 static_cast<int>(std::floor(client.height() * scale)) + chrome);
}

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
    // Not fitInView(), which keeps a margin: at the natural size a pixel must
    // be exactly 15 twips, so that pictures and text are drawn one to one.
    const double scale = std::min(viewport()->width() / sceneRect().width(),
                                  viewport()->height() / sceneRect().height());
    if (scale > 0) setTransform(QTransform::fromScale(scale, scale));
}

}  // namespace qn
