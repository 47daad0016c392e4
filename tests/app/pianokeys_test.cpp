#include "app/pianokeys.h"

#include <gtest/gtest.h>

#include <QGraphicsScene>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace qn {
namespace {

TEST(PianoKeys, KeysReportClicksWithoutTakingTheFocus) {
    QGraphicsScene scene;
    PianoKeys keys(scene);
    QSignalSpy clicks(&keys, &PianoKeys::clicked);
    for (int k : {0, 15, 16, 25}) {
        EXPECT_EQ(keys.key(k)->focusPolicy(), Qt::NoFocus);
        EXPECT_EQ(keys.keyColor(k), keyRestColor(k));
        QTest::mouseClick(keys.key(k), Qt::LeftButton);
        ASSERT_FALSE(clicks.isEmpty());
        EXPECT_EQ(clicks.takeFirst().at(0).toInt(), k);
    }
    keys.setKeyColor(16, kHeldKeyColor);
    EXPECT_TRUE(keys.key(16)->styleSheet().contains(QStringLiteral("#0000ff")));
}

}  // namespace
}  // namespace qn
