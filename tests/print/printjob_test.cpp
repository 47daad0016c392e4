#include "print/printjob.h"

#include <gtest/gtest.h>

#include "printtestsupport.h"

namespace qn::print {
namespace {

TEST(PrintOrder, PrintsTheChosenPagesClampedToTheScoreOnceForEachCopy) {
    struct Case {
        bool all;
        int from, to, copies;
        std::vector<int> pages;
    };
    const Case cases[] = {
        {true, 7, 0, 1, {1, 2, 3}}, {false, 2, 99, 1, {2, 3}}, {false, 1, 2, 3, {1, 2, 1, 2, 1, 2}},
        {false, 3, 2, 1, {}},       {false, 0, 2, 1, {}},      {false, 4, 9, 2, {}},
    };
    for (const Case& k : cases)
        EXPECT_EQ(printOrder(chosenRange(k.all, k.from, k.to, 3), k.copies), k.pages)
            << k.from << ".." << k.to << " x" << k.copies;
}

TEST(PrintPages, AFailingPrinterEndsTheRunAndKeepsWhatWasPrinted) {
    const auto c = test::shapedComposition({60, 0, 0, 0});
    std::vector<int> printed;
    test::RecordingSink sink(printed, 2);
    const PrintOutcome outcome = printPages(sink, *c, [](int) { return QString(); }, {1, 2, 3, 1});
    EXPECT_EQ(printed, (std::vector<int>{1, 2}));
    EXPECT_EQ(outcome.printed, 2);
    EXPECT_EQ(outcome.error, QStringLiteral("paper jam"));
}

}  // namespace
}  // namespace qn::print
