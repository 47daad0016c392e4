#include "app/karaokewindow.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

namespace qn {
namespace {

TEST(KaraokeWindowTest, PlacesTheLabelsAndTheBallByTheWindowsHeight) {
    KaraokeWindow w;
    EXPECT_TRUE(w.isWindow());
    const int lefts[] = {16, 136, 256, 376, 488};  // pixels: 240, 2040, ... twips
    for (int i = 0; i < kKaraokeLabels; ++i) {
        EXPECT_EQ(w.VocLabel(i)->geometry(), QRect(lefts[i], 56, i < 4 ? 105 : 113, 33)) << i;
        EXPECT_EQ(w.VocLabel(i)->text(), "-");
    }
    EXPECT_EQ(w.Ball()->geometry(), QRect(56, 104, 33, 25));

    // A resize places the labels and the ball by the window's height.
    w.show();
    w.resize(640, 400);
    for (int i = 0; i < kKaraokeLabels; ++i)
        EXPECT_EQ(w.VocLabel(i)->y(), 120) << i;
    EXPECT_EQ(w.Ball()->y(), 200);
    EXPECT_EQ(w.VocLabel(4)->x(), 488);
}

TEST(KaraokeWindowTest, ShowsChangesAndAClickHidesIt) {
    KaraokeWindow w;
    DisplayChanges changes;
    changes.vocLabels = {"one", "two", "three", "four", "five"};
    changes.ballLeft = 840 + 2 * 1800;
    changes.showKaraoke = true;
    w.apply(changes);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.VocLabel(4)->text(), "five");
    EXPECT_EQ(w.Ball()->x(), 296);

    QTest::mouseClick(w.VocLabel(1), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
}

}  // namespace
}  // namespace qn
