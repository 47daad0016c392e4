#include "app/pianokeys.h"

#include <gtest/gtest.h>

#include <QGraphicsScene>
#include <QKeyEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace qn {
namespace {

TEST(VirtualKeyCode, TranslatesThePianosComputerKeys) {
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int code;
    };
    const Case cases[] = {
        {Qt::Key_QuoteLeft, Qt::NoModifier, 192}, {Qt::Key_1, Qt::NoModifier, 49},
        {Qt::Key_5, Qt::NoModifier, 53},          {Qt::Key_9, Qt::NoModifier, 57},
        {Qt::Key_0, Qt::NoModifier, 48},          {Qt::Key_Minus, Qt::NoModifier, 189},
        {Qt::Key_Equal, Qt::NoModifier, 187},     {Qt::Key_Backspace, Qt::NoModifier, 8},
        {Qt::Key_Escape, Qt::NoModifier, 27},     {Qt::Key_F1, Qt::NoModifier, 112},
        {Qt::Key_F9, Qt::NoModifier, 120},        {Qt::Key_F10, Qt::NoModifier, 121},
        {Qt::Key_F11, Qt::NoModifier, -1},        {Qt::Key_1, Qt::KeypadModifier, -1},
        {Qt::Key_0, Qt::KeypadModifier, -1},      {Qt::Key_Minus, Qt::KeypadModifier, -1},
        {Qt::Key_A, Qt::NoModifier, -1},          {Qt::Key_Space, Qt::NoModifier, -1},
        {Qt::Key_Exclam, Qt::ShiftModifier, -1},
    };
    for (const Case& c : cases) {
        const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers);
        EXPECT_EQ(virtualKeyCode(event), c.code) << "Qt key " << c.key;
    }
}

TEST(ColorFromRgbNumber, BlueIsTheHighByte) {
    EXPECT_EQ(colorFromRgbNumber(255), QColor(255, 0, 0));
    EXPECT_EQ(colorFromRgbNumber(16711680), QColor(0, 0, 255));
    EXPECT_EQ(colorFromRgbNumber(13628923), QColor(251, 245, 207));
}

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
    EXPECT_EQ(keys.keyColor(16), kHeldKeyColor);
    EXPECT_TRUE(keys.key(16)->styleSheet().contains(QStringLiteral("#0000ff")));
}

}  // namespace
}  // namespace qn
