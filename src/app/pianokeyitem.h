#pragma once

// One key of the on-screen piano, drawn in the client area's scene: a
// coloured key with a thin dark edge and its caption, darker while the mouse
// holds it, reporting a click like a push button (released over the key). It
// never takes the keyboard focus, which stays with the computer keys' handler.
// Drawing the keys costs a fraction of embedding 26 buttons, each with a
// native window and a style sheet of its own.

#include <QColor>
#include <QGraphicsObject>
#include <QString>

namespace qn {

class PianoKeyItem : public QGraphicsObject {
    Q_OBJECT
  public:
    // The size in pixels; the key is scaled with the rest of the client area.
    PianoKeyItem(QString caption, QSizeF size, double captionTop);

    void setColor(const QColor& color);
    QColor color() const { return m_color; }
    const QString& caption() const { return m_caption; }

    QRectF boundingRect() const override { return m_rect; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

  signals:
    void clicked();

  protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;

  private:
    void setPressed(bool pressed);

    QString m_caption;
    QRectF m_rect;
    double m_captionTop;  // pixels from the top where the caption's box begins
    QColor m_color{Qt::white};
    bool m_pressed = false;
};

}  // namespace qn
