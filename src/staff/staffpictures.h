#pragma once

// The pictures of the staff area, SVG files compiled in from resources/: the
// treble clef (450 x 750 twips), the bass clef (375 x 420 twips) and the
// arrows of the scroll buttons.

#include <QGraphicsItem>
#include <QIcon>
#include <QString>
#include <memory>

class QSvgRenderer;

namespace qn::staff {

struct Picture {
    QString resource;  // ":/staff/....svg"
    QSizeF size;       // twips
};

Picture trebleClefPicture();
Picture bassClefPicture();
// A filled arrow head pointing left or right on a transparent square of `pixels`.
QIcon arrowIcon(Qt::ArrowType direction, int pixels);

// A picture in the scene. Pictures take the press under them like the
// window's picture boxes, so a press on a clef never reaches the background.
class PictureItem : public QGraphicsItem {
  public:
    explicit PictureItem(const Picture& picture);
    ~PictureItem() override;
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

  protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;

  private:
    QSizeF m_size;
    std::unique_ptr<QSvgRenderer> m_renderer;  // drawn at every zoom from the vector picture
};

}  // namespace qn::staff
