#include "pagelayout.h"

#include <algorithm>

namespace qn::print {

int PageCount(int songLength) {
    return std::max(1, (songLength + kPageColumns - 1) / kPageColumns);
}

QRectF pageBounds() {
    return QRectF(kPageLeft, kPageTop, kPageWidth, kPageHeight);
}

QTransform fitPage(const QRectF& target) {
    const QRectF page = pageBounds();
    const double scale = std::min(target.width() / page.width(), target.height() / page.height());
    QTransform t;
    t.translate(target.center().x(), target.center().y());
    t.scale(scale, scale);
    t.translate(-page.center().x(), -page.center().y());
    return t;
}

}  // namespace qn::print
