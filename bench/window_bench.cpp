// Start-up of the main window to its first painted frame (later run: settings
// already stored, no sound font involved), and one step of scrolling with the
// button held on a long composition, repainted: it must stay well inside the
// 10 ms of the auto-repeat timer. Nothing here asserts on time.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QGraphicsView>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

#include "app/dialogs.h"
#include "app/mainwindow.h"
#include "staff/staffitems.h"
#include "staff/staffscene.h"

namespace qn::bench {
namespace {

// Quiet dialogs: a benchmark never waits for an answer.
class NoDialogs : public Dialogs {
  public:
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    std::string askText(const TextQuestion&) override { return {}; }
    QString openFileName(const QString&, int) override { return {}; }
    QString saveFileName(const QString&, int) override { return {}; }
    void message(QMessageBox::Icon, const QString&, const QString&, const QString&) override {}
};

class FirstPaint : public QObject {
  public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return false;
    }
};

std::unique_ptr<MainWindow> startWindow(QSettings& store) {
    StartOptions options;
    options.settings = &store;
    // Beside the settings: never the user's own recovery copies.
    options.recoveryFolder = QFileInfo(store.fileName()).absolutePath() + "/recovery";
    options.registerAssociation = [](const QString&) { return QString(); };
    auto window = std::make_unique<MainWindow>(options, std::make_unique<NoDialogs>());
    window->start();
    return window;
}

void BM_StartupToFirstPaint(benchmark::State& state) {
    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    startWindow(store)->close();  // the first run, so that every measured run is a later one
    for (auto _ : state) {
        FirstPaint probe;
        auto window = startWindow(store);
        QGraphicsView* view = window->findChild<QGraphicsView*>();
        view->viewport()->installEventFilter(&probe);
        view->viewport()->update();
        while (!probe.painted)
            QApplication::processEvents();
        state.PauseTiming();
        view->viewport()->removeEventFilter(&probe);
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_ScrollStepWithRepaint(benchmark::State& state) {
    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    auto window = startWindow(store);
    Composition& c = window->composition();
    for (int t = 0; t < kTrackCount; ++t) {
        for (int i = 0; i < kNoteSlots; ++i)
            c.setNote(t, i,
                      Note{static_cast<int16_t>((i * 7 + t) % 25),
                           static_cast<uint8_t>(1 + i % 127), static_cast<uint8_t>(i % 6)});
        c.NoteCount[t] = kNoteSlots;
    }
    window->staff().RedrawStaff();
    QGraphicsView* view = window->findChild<QGraphicsView*>();
    for (auto _ : state) {
        // Forward until the end, then back to the start.
        if (window->editState().ScrollPos >= kNoteSlots - 16) window->editState().ScrollPos = 0;
        window->staff().items().ScrollUp->click();
        // Rendering the view into a pixmap paints it whether or not a screen shows it.
        benchmark::DoNotOptimize(view->viewport()->grab());
    }
}
BENCHMARK(BM_ScrollStepWithRepaint)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qn::bench

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
