#pragma once

// The main window's client area: one view over a scene whose coordinates are
// twips (14550 x 10320), scaled as a whole to the window's size.

#include <QGraphicsView>

namespace qn {

class ClientView : public QGraphicsView {
    Q_OBJECT
  public:
    explicit ClientView(QGraphicsScene* scene, QWidget* parent = nullptr);
    // The size at which one twip is 1/15 of a pixel: 970 x 688.
    QSize sizeHint() const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;
};

}  // namespace qn
