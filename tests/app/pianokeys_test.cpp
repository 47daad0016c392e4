#include "app/pianokeys.h"

#include <gtest/gtest.h>

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QSignalSpy>
#include <QTest>

#include "app/pianokeyitem.h"

namespace qn {
namespace {

// Clicks through a view scaled as the window's, so that the black keys must
// take the clicks over the white keys they lie on.
TEST(PianoKeys, EachKeyReportsItsClickWithoutTakingTheFocus) {
    QGraphicsScene scene;
    PianoKeys keys(scene);
    QGraphicsView view(&scene);
    view.scale(1 / 15.0, 1 / 15.0);
    view.resize(900, 700);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.setFocus();
    QSignalSpy clicks(&keys, &PianoKeys::clicked);
    for (int k = 0; k < kPianoKeys; ++k) {
        EXPECT_EQ(keys.keyColor(k), keyRestColor(k));
        const QPointF centre = keys.key(k)->sceneBoundingRect().center();
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.mapFromScene(centre));
        ASSERT_EQ(clicks.size(), 1) << "key " << k;
        EXPECT_EQ(clicks.takeFirst().at(0).toInt(), k);
    }
    EXPECT_EQ(scene.focusItem(), nullptr);
    keys.setKeyColor(16, kHeldKeyColor);
    EXPECT_EQ(keys.key(16)->color(), QColor(Qt::blue));
}

}  // namespace
}  // namespace qn
