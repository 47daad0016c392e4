#include "staffpictures.h"

#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include "staffgeometry.h"

// The pictures are compiled into this static library; calling the resource's
// initialiser keeps the linker from dropping them. Outside any namespace, as
// the macro declares the initialiser.
static void initStaffResources() {
    Q_INIT_RESOURCE(staff);
}

namespace qn::staff {

namespace {

QString resourcePath(const char* name) {
    [[maybe_unused]] static const bool loaded = (initStaffResources(), true);
    return QStringLiteral(":/staff/%1.svg").arg(QLatin1String(name));
}

}  // namespace

Picture trebleClefPicture() {
    return {resourcePath("treble-clef"), QSizeF(kTrebleClefWidth, kTrebleClefHeight)};
}

Picture bassClefPicture() {
    return {resourcePath("bass-clef"), QSizeF(kBassClefWidth, kBassClefHeight)};
}

QIcon arrowIcon(Qt::ArrowType direction, int pixels) {
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resourcePath(direction == Qt::LeftArrow ? "arrow-left" : "arrow-right"));
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return QIcon(pixmap);
}

PictureItem::PictureItem(const Picture& picture)
    : m_size(picture.size), m_renderer(std::make_unique<QSvgRenderer>(picture.resource)) {}

PictureItem::~PictureItem() = default;

QRectF PictureItem::boundingRect() const {
    return QRectF(QPointF(0, 0), m_size);
}

void PictureItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    m_renderer->render(painter, boundingRect());
}

void PictureItem::mousePressEvent(QGraphicsSceneMouseEvent* event) {
    event->accept();
}

}  // namespace qn::staff
