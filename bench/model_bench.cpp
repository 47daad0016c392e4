// Speed of the document paths on the largest composition the model holds
// (four tracks of 10 001 notes, 10 001 lyrics). Aims: open and save under
// 20 ms, MIDI export under 5 ms. Nothing here asserts on time.

#include <benchmark/benchmark.h>

#include <QString>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/documentfile.h"
#include "fullcomposition.h"
#include "model/composition.h"
#include "model/documentcommands.h"
#include "model/editstate.h"
#include "model/midiwriter.h"
#include "model/msfreader.h"
#include "model/msfwriter.h"

namespace qn::bench {
namespace {

constexpr const char* kPath = "/music/full.msf";

const Composition& fullComposition() {
    static const std::unique_ptr<Composition> c = makeFullComposition();
    return *c;
}

const std::string& fullText() {
    static const std::string text = writeMsf(fullComposition(), "full.msf");
    return text;
}

// A benchmark that silently measures a rejected file or an empty result
// would report a fast, meaningless figure.
[[noreturn]] void abortWith(const std::string& message) {
    std::fprintf(stderr, "model_bench: %s\n", message.c_str());
    std::abort();
}

void checkOpened(const Composition& c) {
    for (int t = 0; t < kTrackCount; ++t)
        if (c.NoteCount[t] != kNoteSlots) abortWith("the full file did not open with every note");
}

// Open as the window does it: the text is already in memory, openMsf clears
// the composition, reads every line and sets the scroll position.
void BM_OpenMsf(benchmark::State& state) {
    const std::string& text = fullText();
    auto c = std::make_unique<Composition>();
    EditState e;
    for (auto _ : state) {
        if (const auto error = openMsf(text, kPath, *c, e)) abortWith(error->text());
        benchmark::DoNotOptimize(c->NoteCount);
    }
    checkOpened(*c);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_OpenMsf)->Unit(benchmark::kMillisecond);

// The reader alone, without openMsf's clearing and copy of the composition,
// to tell which half of open costs what.
void BM_ReadMsf(benchmark::State& state) {
    const std::string& text = fullText();
    auto c = std::make_unique<Composition>();
    for (auto _ : state) {
        c->NoteCount.fill(0);
        if (const auto error = readMsf(text, *c)) abortWith(error->text());
        benchmark::DoNotOptimize(c->NoteCount);
    }
    checkOpened(*c);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReadMsf)->Unit(benchmark::kMillisecond);

// Open from the disk: reading the file, then openMsf.
void BM_OpenMsfFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.msf"));
    QString error;
    if (!dir.isValid() || !saveWholeFile(path, fullText(), &error))
        abortWith("cannot write the full file: " + error.toStdString());
    auto c = std::make_unique<Composition>();
    EditState e;
    for (auto _ : state) {
        if (!openMsfFile(path, *c, e, &error)) abortWith(error.toStdString());
        benchmark::DoNotOptimize(c->NoteCount);
    }
    checkOpened(*c);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fullText().size()));
}
BENCHMARK(BM_OpenMsfFile)->Unit(benchmark::kMillisecond);

// Save without the disk: the text the writer produces.
void BM_SaveText(benchmark::State& state) {
    const Composition& c = fullComposition();
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = msfTextForSave(c, kPath);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    if (bytes != fullText().size()) abortWith("save wrote a different text");
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_SaveText)->Unit(benchmark::kMillisecond);

// Save as the window does it: the text, then a temporary file renamed over
// the target (QSaveFile) in a temporary folder.
void BM_SaveAndWriteFile(benchmark::State& state) {
    QTemporaryDir dir;
    if (!dir.isValid()) abortWith("cannot make a temporary folder");
    const QString path = dir.filePath(QStringLiteral("full.msf"));
    const std::string pathText = path.toStdString();
    const Composition& c = fullComposition();
    QString error;
    for (auto _ : state) {
        const std::string text = msfTextForSave(c, pathText);
        if (!saveWholeFile(path, text, &error)) abortWith(error.toStdString());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fullText().size()));
}
BENCHMARK(BM_SaveAndWriteFile)->Unit(benchmark::kMillisecond);

// "Save as MIDI File" of every track, in memory.
void BM_ExportMidi(benchmark::State& state) {
    const Composition& c = fullComposition();
    size_t bytes = 0;
    for (auto _ : state) {
        const std::vector<uint8_t> midi = WriteMidiFile(c, 0, kTrackCount - 1, 0, c.SongLength);
        bytes = midi.size();
        benchmark::DoNotOptimize(midi.data());
    }
    // Eight bytes per note: it would be far less if the range were cut short.
    if (bytes < size_t{8} * kTrackCount * kNoteSlots) abortWith("the export left notes out");
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_ExportMidi)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qn::bench

BENCHMARK_MAIN();
