#pragma once

// Compositions and the one offline renderer of the engine tests. Samples are
// interleaved stereo float at the renderer's rate.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "model/composition.h"
#include "model/midiwriter.h"
#include "sound/engine/offlinerenderer.h"
#include "sound/engine/soundfont.h"

namespace qn::enginetest {

inline constexpr int kOrgan = 16;             // steady while held, silent at once after
inline constexpr int kLeadTicks = 24;         // WriteMidiFile starts every track's notes here
inline constexpr int kStepTicks = 40;         // one note column
inline constexpr int kEmptyTrackTicks = 132;  // where the chunk of a track without notes ends

// Milliseconds per tick: the tempo is 500 000 us per quarter note of `division` ticks.
inline double tickMs(int division) {
    return 500.0 / division;
}

// A composition whose first `tracks` tracks each play `notes` with the given instrument.
inline std::unique_ptr<Composition> composition(int division, const std::vector<Note>& notes,
                                                int tracks = 1, int instrument = kOrgan) {
    auto c = std::make_unique<Composition>();
    c->Division = division;
    for (int t = 0; t < tracks; ++t) {
        c->TrackInstrument[t] = static_cast<int16_t>(instrument);
        for (int i = 0; i < static_cast<int>(notes.size()); ++i)
            c->setNote(t, i, notes[i]);
        c->NoteCount[t] = static_cast<int16_t>(notes.size());
    }
    return c;
}

// What Play sends for the whole composition.
inline std::vector<uint8_t> midiOf(Composition& c) {
    c.ComputeSongLength();
    return WriteMidiFile(c, 0, kTrackCount - 1, 0, c.SongLength);
}

// One renderer for the whole test program: the sound font is loaded once.
inline OfflineRenderer& renderer() {
    static const std::unique_ptr<OfflineRenderer> shared = [] {
        QString error;
        const QString font = findSoundFont(systemSoundFontSources(), &error);
        auto r = font.isEmpty() ? nullptr : OfflineRenderer::create(font, &error);
        if (!r) ADD_FAILURE() << error.toStdString();
        return r;
    }();
    if (!shared) std::abort();
    return *shared;
}

inline std::vector<float> render(const std::vector<uint8_t>& midi,
                                 const RenderOptions& options = {},
                                 RenderResult* result = nullptr) {
    QString error;
    std::vector<float> samples;
    const auto r = renderer().render(
        midi, options,
        [&samples](const float* s, int frames) {
            samples.insert(samples.end(), s, s + 2 * frames);
            return true;
        },
        &error);
    EXPECT_TRUE(r) << error.toStdString();
    if (r && result) *result = *r;
    return samples;
}

inline double msAtFrame(uint64_t frame) {
    return static_cast<double>(frame) * 1000.0 / kDefaultSampleRate;
}

// The largest magnitude of the samples from `from` on.
inline float peak(const std::vector<float>& samples, size_t from = 0) {
    float p = 0;
    for (size_t i = from; i < samples.size(); ++i)
        p = std::max(p, std::fabs(samples[i]));
    return p;
}

}  // namespace qn::enginetest
