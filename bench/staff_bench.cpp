// Speed of a full staff redraw with 80 visible notes (every glyph slot of the
// four staves changes): the controller alone, through the scene items, and
// through the scene items plus painting the staff area. Aim: a redraw through
// the scene under 2 ms. Nothing here asserts on time.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <memory>

#include "model/composition.h"
#include "model/editstate.h"
#include "staff/clientscene.h"
#include "staff/staffcontroller.h"
#include "staff/staffscene.h"

namespace qn::bench {
namespace {

// Four tracks of 40 notes, every length code, sharps and rests, so that
// scrolling by one column changes every glyph slot.
std::unique_ptr<Composition> staffComposition() {
    auto c = std::make_unique<Composition>();
    for (int t = 0; t < kTrackCount; ++t) {
        for (int i = 0; i < 40; ++i) {
            const int pitch = (i * 7 + t * 3) % 30 == 29 ? kRestPitch : (i * 7 + t * 3) % 25;
            c->setNote(t, i,
                       Note{static_cast<int16_t>(pitch), static_cast<uint8_t>(20 + i),
                            static_cast<uint8_t>((i + t) % 8)});
            c->Lyrics[i] = "la";
        }
        c->NoteCount[t] = 40;
    }
    return c;
}

void BM_RedrawStaffController(benchmark::State& state) {
    const auto c = staffComposition();
    EditState e;
    staff::StaffController staff(*c, e);
    for (auto _ : state) {
        e.ScrollPos = 1 - e.ScrollPos;
        staff.RedrawStaff();
        benchmark::DoNotOptimize(staff.takeChanges());
    }
}
BENCHMARK(BM_RedrawStaffController)->Unit(benchmark::kMicrosecond);

void BM_RedrawStaffScene(benchmark::State& state) {
    const auto c = staffComposition();
    EditState e;
    ClientScene scene;
    StaffScene staff(scene, *c, e);
    for (auto _ : state) {
        e.ScrollPos = 1 - e.ScrollPos;
        staff.RedrawStaff();
    }
}
BENCHMARK(BM_RedrawStaffScene)->Unit(benchmark::kMicrosecond);

void BM_RedrawAndPaintStaffArea(benchmark::State& state) {
    const auto c = staffComposition();
    EditState e;
    ClientScene scene;
    StaffScene staff(scene, *c, e);
    QImage image(970, 688, QImage::Format_ARGB32_Premultiplied);  // the client area at zoom 1
    for (auto _ : state) {
        e.ScrollPos = 1 - e.ScrollPos;
        staff.RedrawStaff();
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        scene.render(&painter, QRectF(0, 0, 970, 688), scene.sceneRect());
    }
}
BENCHMARK(BM_RedrawAndPaintStaffArea)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qn::bench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);  // the staff's widgets need one
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
