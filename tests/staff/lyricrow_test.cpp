#include <gtest/gtest.h>

#include <QApplication>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QTest>

#include "staff/clientscene.h"
#include "staff/lyricbox.h"
#include "staff/staffscene.h"

namespace qn {
namespace {

// A lyric being typed when something else scrolls the staff (a piano entry, a
// player-piano page) is stored where it was typed, before the row shows the new page.
TEST(LyricRow, TextTypedBeforeAScrollIsStoredWhereItWasTyped) {
    Composition c;
    EditState e;
    ClientScene scene;
    StaffScene staff(scene, c, e);
    QGraphicsView view(&scene);
    view.show();
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    c.Lyrics[23] = "later";
    staff.RedrawStaff();

    staff::LyricBox* box = staff.items().Lyric[3];
    box->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(box->hasFocus());
    for (QChar ch : QStringLiteral("la")) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(view.viewport(), &key);
    }
    e.ScrollPos = 20;
    staff.RedrawStaff();

    EXPECT_EQ(c.Lyrics[3], "la");
    EXPECT_EQ(c.Lyrics[23], "later");
    EXPECT_EQ(box->text(), QStringLiteral("later"));
    EXPECT_TRUE(c.Modified);
}

}  // namespace
}  // namespace qn
