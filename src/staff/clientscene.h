#pragma once

// The scene of the main window's client area, in twips (14550 x 10320). Mouse
// presses that no item takes are presses on the window's background: they
// and the moves and releases that follow are reported with their scene
// position, and a left click on the background is reported as such.

#include <QGraphicsScene>

namespace qn {

class ClientScene : public QGraphicsScene {
    Q_OBJECT
  public:
    explicit ClientScene(QObject* parent = nullptr);

  signals:
    void backgroundPressed(QPointF pos, Qt::MouseButton button);
    void backgroundMoved(QPointF pos, Qt::MouseButtons buttons);
    void backgroundReleased(QPointF pos, Qt::MouseButton button);
    // After the release of a left-button press on the background.
    void backgroundClicked();

  protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;

  private:
    void takeBackgroundPress(QGraphicsSceneMouseEvent* event);

    Qt::MouseButtons m_backgroundButtons;  // buttons pressed on the background and still down
};

}  // namespace qn
