#pragma once

// A caption in the staff area (track, octave, instrument and velocity labels,
// captions). Like the window's labels it takes the mouse press under it, so
// a press on a label never reaches the staff background; clickable labels
// report a left click.

#include <QFont>
#include <QGraphicsObject>

namespace qn::staff {

// A sans-serif font whose height is given in screen pixels, for a twip scene.
QFont staffFont(int pixelSize, bool bold = false);

class LabelItem : public QGraphicsObject {
    Q_OBJECT
  public:
    // Width and height in twips; the item's position is its top-left corner.
    LabelItem(double width, double height, QGraphicsItem* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return m_text; }
    void setTextColour(const QColor& colour);
    QColor textColour() const { return m_colour; }
    void setFont(const QFont& font);
    void setAlignment(Qt::Alignment alignment);
    void setClickable(bool clickable);

    QRectF boundingRect() const override { return m_rect; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

  signals:
    void clicked();

  protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;

  private:
    QRectF m_rect;
    QString m_text;
    QColor m_colour{Qt::black};
    QFont m_font;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool m_clickable = false;
};

}  // namespace qn::staff
