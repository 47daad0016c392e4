#include "clientscene.h"

#include <QGraphicsSceneMouseEvent>

#include "staffgeometry.h"

namespace qn {

ClientScene::ClientScene(QObject* parent)
    : QGraphicsScene(0, 0, staff::kClientWidth, staff::kClientHeight, parent) {}

void ClientScene::takeBackgroundPress(QGraphicsSceneMouseEvent* event) {
    // Accepted so that the view does not start a drag of its own.
    event->accept();
    m_backgroundButtons |= event->button();
    emit backgroundPressed(event->scenePos(), event->button());
}

void ClientScene::mousePressEvent(QGraphicsSceneMouseEvent* event) {
    QGraphicsScene::mousePressEvent(event);
    if (!event->isAccepted()) takeBackgroundPress(event);
}

void ClientScene::mouseDoubleClickEvent(QGraphicsSceneMouseEvent* event) {
    // The second press of a double click is a press like any other.
    QGraphicsScene::mouseDoubleClickEvent(event);
    if (!event->isAccepted()) takeBackgroundPress(event);
}

void ClientScene::mouseMoveEvent(QGraphicsSceneMouseEvent* event) {
    QGraphicsScene::mouseMoveEvent(event);
    if (m_backgroundButtons == Qt::NoButton || mouseGrabberItem()) return;
    event->accept();
    emit backgroundMoved(event->scenePos(), event->buttons());
}

void ClientScene::mouseReleaseEvent(QGraphicsSceneMouseEvent* event) {
    if (!(m_backgroundButtons & event->button())) {
        QGraphicsScene::mouseReleaseEvent(event);
        return;
    }
    m_backgroundButtons &= ~event->button();
    event->accept();
    emit backgroundReleased(event->scenePos(), event->button());
    if (event->button() == Qt::LeftButton) emit backgroundClicked();
}

}  // namespace qn
