#include "printjob.h"

#include <algorithm>

#include "pagesink.h"

namespace qn::print {

PageRange chosenRange(bool all, int from, int to, int pageCount) {
    if (all) return {1, pageCount};
    return {from, std::min(to, pageCount)};
}

std::vector<int> printOrder(PageRange range, int copies) {
    std::vector<int> pages;
    if (range.first < 1 || range.first > range.last) return pages;
    pages.reserve(static_cast<size_t>(copies) * static_cast<size_t>(range.last - range.first + 1));
    for (int copy = 0; copy < copies; ++copy)
        for (int p = range.first; p <= range.last; ++p)
            pages.push_back(p);
    return pages;
}

PrintOutcome printPages(PageSink& sink, const Composition& c, const InstrumentCaption& instrument,
                        const std::vector<int>& pages) {
    PrintOutcome outcome;
    for (const int p : pages) {
        if (!sink.printPage(RenderPage(c, instrument, p))) break;
        ++outcome.printed;
    }
    if (!sink.finish()) outcome.error = sink.error();
    return outcome;
}

}  // namespace qn::print
