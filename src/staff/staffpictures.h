#pragma once

// The pictures of the staff area, drawn from curves: the treble clef
// (450 x 750 twips), the bass clef (375 x 420 twips) and the arrows of the
// scroll buttons.

#include <QGraphicsItem>
#include <QIcon>
#include <QPainterPath>

namespace qn::staff {

struct Picture {
    QSizeF size;         // twips
    QPainterPath lines;  // stroked
    QPainterPath solid;  // filled
    double lineWidth = 0;
};

Picture trebleClefPicture();
Picture bassClefPicture();
// A filled arrow head pointing left or right on a transparent square of `pixels`.
QIcon arrowIcon(Qt::ArrowType direction, int pixels);

// A picture in the scene. Pictures take the press under them like the
// window's picture boxes, so a press on a clef never reaches the background.
class PictureItem : public QGraphicsItem {
  public:
    explicit PictureItem(Picture picture);
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

  protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;

  private:
    Picture m_picture;
};

}  // namespace qn::staff
