// Printing the largest composition (501 pages): one page's content, a
// preview page turn including its repaint, and every page into a PDF in
// memory. Aims: a page turn under 5 ms; the whole-process --print-pdf is
// timed by print_pdf.sh. Nothing here asserts on time.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QPdfWriter>

#include "fullcomposition.h"
#include "print/pagesink.h"
#include "print/previewwindow.h"
#include "print/printjob.h"

namespace qn::bench {
namespace {

QString caption(int) {
    return QStringLiteral("25 Acoustic Guitar (steel)");
}

void BM_RenderPage(benchmark::State& state) {
    const auto c = makeFullComposition();
    int page = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(print::RenderPage(*c, caption, page));
        page = page % 501 + 1;
    }
}
BENCHMARK(BM_RenderPage)->Unit(benchmark::kMicrosecond);

// Next (Previous at the end) in a preview window of 960 x 760 pixels, and the
// page painted before the turn counts as done.
void BM_PreviewPageTurn(benchmark::State& state) {
    const auto c = makeFullComposition();
    print::PreviewWindow preview(*c, caption);
    preview.resize(960, 760);
    preview.startPreview();
    QApplication::processEvents();
    bool forward = true;
    for (auto _ : state) {
        if (forward && !preview.paging().nextEnabled()) forward = false;
        if (!forward && !preview.paging().previousEnabled()) forward = true;
        if (forward)
            preview.Nex_Click();
        else
            preview.Previous_Click();
        preview.pageView().repaint();
    }
}
BENCHMARK(BM_PreviewPageTurn)->Unit(benchmark::kMillisecond);

void BM_PrintAllPagesToPdf(benchmark::State& state) {
    const auto c = makeFullComposition();
    const std::vector<int> pages = print::printOrder({1, print::PageCount(c->SongLength)}, 1);
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        print::DevicePageSink sink(writer);
        const print::PrintOutcome outcome = print::printPages(sink, *c, caption, pages);
        if (outcome.printed != static_cast<int>(pages.size())) state.SkipWithError("pages missing");
        state.counters["MB"] = static_cast<double>(buffer.size()) / 1e6;
    }
}
BENCHMARK(BM_PrintAllPagesToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace qn::bench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);  // the preview is a widget
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
