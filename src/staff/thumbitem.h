#pragma once

// The thumb of the sheet slider: a light blue button on the trough that the
// user drags. It reports the pointer's x in client twips; the staff decides
// where the thumb goes.

#include <QGraphicsObject>

namespace qn::staff {

class ThumbItem : public QGraphicsObject {
    Q_OBJECT
  public:
    ThumbItem();

    // Left edge and width in twips; the thumb sits on the trough's top edge.
    // A thumb narrower than ten pixels is shown and grabbed ten pixels wide.
    void setGeometry(double left, double width);
    double width() const { return m_width; }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

  signals:
    void pressed(double x);
    void moved(double x);
    void released();

  protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;

  private:
    double m_width = 0;
};

}  // namespace qn::staff
