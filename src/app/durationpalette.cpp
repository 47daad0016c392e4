#include "durationpalette.h"

#include <QCursor>
#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QPen>

#include "pictures.h"
#include "staff/staffgeometry.h"
#include "staff/twipwidget.h"

namespace qn {

namespace {

constexpr int kPictures = 8;
constexpr int kPerRow = 4;
constexpr int kLeft = staff::kPaletteLeft;
constexpr int kTop = staff::kPaletteTop;
constexpr int kStepX = staff::kPaletteStepX;
constexpr int kStepY = staff::kPaletteStepY;
constexpr int kPictureHeight = 450;
constexpr int kMarkerOffset = 92;  // the marker starts this far left of its picture
constexpr int kMarkerWidth = 780;
constexpr int kMarkerHeight = 60;

int pictureTop(int k) {
    return kTop + (k / kPerRow) * kStepY;
}

class PictureItem : public QGraphicsPixmapItem {
  public:
    PictureItem(const QPixmap& pixmap, std::function<void()> onClick)
        : QGraphicsPixmapItem(pixmap), m_onClick(std::move(onClick)) {
        setAcceptedMouseButtons(Qt::LeftButton);
        setCursor(Qt::PointingHandCursor);
    }

  protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override { event->accept(); }
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override {
        if (contains(event->pos())) m_onClick();
    }

  private:
    std::function<void()> m_onClick;
};

}  // namespace

int DurationPalette::pictureLeft(int k) {
    return kLeft + (k % kPerRow) * kStepX;
}

DurationPalette::DurationPalette(QGraphicsScene& scene, QObject* parent) : QObject(parent) {
    for (int k = 0; k < kPictures; ++k) {
        auto* picture = new PictureItem(durationPicture(k), [this, k] { emit clicked(k); });
        picture->setPos(pictureLeft(k), pictureTop(k));
        picture->setScale(staff::kTwipsPerPixel);
        picture->setData(0, QStringLiteral("Picture2(%1)").arg(k));
        scene.addItem(picture);
    }
    m_marker = scene.addRect(0, 0, kMarkerWidth, kMarkerHeight, Qt::NoPen, QBrush(Qt::darkBlue));
    mark(3);
}

void DurationPalette::mark(int k) {
    m_marker->setPos(pictureLeft(k) - kMarkerOffset, pictureTop(k) + kPictureHeight + 30);
}

int DurationPalette::markerLeft() const {
    return static_cast<int>(m_marker->x());
}

}  // namespace qn
