#pragma once

// The main window's client area: one view over a scene whose coordinates are
// twips (14550 x 10320), scaled as a whole to the window's size.

#include <QGraphicsView>

namespace qn {

// The main window's size for a client area whose natural size is `client`
// below `chrome` pixels of menu bar and toolbar: the natural size when the
// screen's `available` room holds it (less an allowance for the window's
// frame), else the client area scaled down to fit, keeping its shape.
QSize fittedWindowSize(QSize client, int chrome, QSize available);

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
