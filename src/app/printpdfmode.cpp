#include "printpdfmode.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <memory>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "commandline.h"
#include "documentfile.h"
#include "instrumentnames.h"
#include "print/pagesink.h"
#include "print/printjob.h"
#include "terminalprogress.h"

namespace qn {

namespace {

// Pages on their way to the PDF, counted for the progress line.
class CountedPages : public print::PageSink {
  public:
    CountedPages(print::PageSink& pages, size_t total, TerminalProgress& progress)
        : m_pages(pages), m_total(static_cast<double>(total)), m_progress(progress) {}

    bool printPage(const print::PageContent& page) override {
        m_progress.update(m_printed++ / m_total);
        return m_pages.printPage(page);
    }
    bool finish() override { return m_pages.finish(); }
    QString error() const override { return m_pages.error(); }

  private:
    print::PageSink& m_pages;
    double m_total;
    double m_printed = 0;
    TerminalProgress& m_progress;
};

int printPdf(const QString& in, const QString& out, const QString& pagesOption) {
    if (isSameFile(in, out)) return outputIsInput();
    auto c = std::make_unique<Composition>();
    EditState e;
    if (!openForCommandLine(in, *c, e)) return kExitBadInput;
    c->ComputeSongLength();
    const int pageCount = print::PageCount(c->SongLength);

    print::PageRange range{1, pageCount};
    if (!pagesOption.isEmpty()) {
        static const QRegularExpression kRange(QStringLiteral("^(\\d{1,6})-(\\d{1,6})$"));
        const QRegularExpressionMatch m = kRange.match(pagesOption);
        const int first = m.hasMatch() ? m.captured(1).toInt() : 0;
        const int last = m.hasMatch() ? m.captured(2).toInt() : 0;
        if (first < 1 || first > last)
            return usageError(QStringLiteral("--pages needs FIRST-LAST, 1 <= FIRST <= LAST"));
        if (first > pageCount)
            return commandLineFailure(
                QStringLiteral("the score of %1 ends at page %2").arg(in).arg(pageCount),
                kExitBadInput);
        range = print::chosenRange(false, first, last, pageCount);
    }

    print::PdfFileSink pdf(out, QString::fromStdString(c->DocName));
    const std::vector<int> pages = print::printOrder(range, 1);
    // Shown only once the run has taken a second.
    TerminalProgress progress(QStringLiteral("Printing %1").arg(QFileInfo(out).fileName()), 1000);
    CountedPages counted(pdf, pages.size(), progress);
    const print::PrintOutcome outcome = print::printPages(
        counted, *c, [&c](int t) { return instrumentName(c->TrackInstrument[t]); }, pages);
    progress.clear();
    if (!outcome.error.isEmpty()) return commandLineFailure(outcome.error, kExitWriteFailed);
    return 0;
}

}  // namespace

int runPrintPdf(const QStringList& arguments) {
#ifdef __GLIBC__
    // The PDF writer compresses every page through two fresh 16 MB buffers.
    // Keeping freed memory for the next page, instead of handing it back to
    // the system after each one, saves the page faults of touching it anew:
    // a fifth of the time of a 500-page score, and no more memory at its peak.
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
#endif
    if (arguments.size() == 3) return printPdf(arguments.at(1), arguments.at(2), {});
    if (arguments.size() == 5 && arguments.at(3) == QLatin1String("--pages"))
        return printPdf(arguments.at(1), arguments.at(2), arguments.at(4));
    return usageError(
        QStringLiteral("--print-pdf needs IN.msf and OUT.pdf, then optionally --pages FIRST-LAST"));
}

}  // namespace qn
