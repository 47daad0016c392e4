#include "svgdrawing.h"

#include <QPainter>
#include <QSvgRenderer>

namespace qn {

QImage drawSvg(const QString& path, QSize size, Drawing how) {
    QSvgRenderer renderer(path);
    if (!renderer.isValid() || size.isEmpty()) return {};
    QSize drawn = size;
    if (how == Drawing::Fitted) {
        drawn = renderer.defaultSize();
        if (drawn.isEmpty()) return {};
        drawn.scale(size, Qt::KeepAspectRatio);
        if (drawn.isEmpty()) return {};
    }
    QImage image(drawn, how == Drawing::OnWhite ? QImage::Format_RGB32
                                                : QImage::Format_ARGB32_Premultiplied);
    image.fill(how == Drawing::OnWhite ? Qt::white : Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

QString drawnAheadName(const QString& name, QSize size, Drawing how) {
    return QStringLiteral("%1-%2x%3.%4")
        .arg(name)
        .arg(size.width())
        .arg(size.height())
        .arg(how == Drawing::OnWhite ? QStringLiteral("jpg") : QStringLiteral("png"));
}

}  // namespace qn
