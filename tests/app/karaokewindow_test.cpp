#include "app/karaokewindow.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

namespace qn {
namespace {

TEST(KaraokeWindowTest, ShowsChangesFollowsItsHeightAndAClickHidesIt) {
    KaraokeWindow w;
    DisplayChanges changes;
    changes.vocLabels = {"one", "two", "three", "four", "five"};
    changes.ballLeft = 840 + 2 * 1800;  // twips: the third word
    changes.showKaraoke = true;
    w.apply(changes);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.VocLabel(4)->text(), "five");
    EXPECT_EQ(w.Ball()->x(), 296);

    // The labels sit at 0.3 of the window's height, the ball at 0.5.
    w.resize(640, 400);
    for (int i = 0; i < kKaraokeLabels; ++i)
        EXPECT_EQ(w.VocLabel(i)->y(), 120) << i;
    EXPECT_EQ(w.Ball()->y(), 200);

    QTest::mouseClick(w.VocLabel(1), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
}

}  // namespace
}  // namespace qn
