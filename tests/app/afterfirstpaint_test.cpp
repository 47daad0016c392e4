#include "app/afterfirstpaint.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWidget>

namespace qn {
namespace {

// The sound font waits on this hook: it must run exactly once, whether the
// window paints or never does.
TEST(AfterFirstPaintTest, RunsOnceAfterThePaintOrTheDeadline) {
    for (const auto& [shown, latestMs] : {std::pair{true, 60000}, std::pair{false, 20}}) {
        QWidget widget;
        int runs = 0;
        afterFirstPaint(
            widget, [&runs] { ++runs; }, latestMs);
        if (shown) widget.show();
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 5000 && runs == 0)
            QCoreApplication::processEvents();
        widget.update();
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents();
        EXPECT_EQ(runs, 1) << "shown " << shown;
    }
}

}  // namespace
}  // namespace qn
