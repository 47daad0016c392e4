#pragma once

// Which pages a print run prints, in which order, and the run itself.

#include <QString>
#include <vector>

#include "pagecontent.h"

namespace qn::print {

class PageSink;

struct PageRange {
    int first = 1;
    int last = 1;
};

// The copies dialog's Pages choice: every page, or from..to with `to` lowered
// to the page count. A range the score does not reach stays as it is and
// prints nothing.
PageRange chosenRange(bool all, int from, int to, int pageCount);

// Pages in print order: each copy is a complete run first..last (1, 2, 1, 2
// for two copies of pages 1..2). Nothing when first > last or first < 1.
std::vector<int> printOrder(PageRange range, int copies);

struct PrintOutcome {
    int printed = 0;  // pages that reached the device
    QString error;    // empty when every page was printed
};

// Renders each page just before it is printed; the first failure ends the
// run, and the pages printed before it stay printed.
PrintOutcome printPages(PageSink& sink, const Composition& c, const InstrumentCaption& instrument,
                        const std::vector<int>& pages);

}  // namespace qn::print
