#pragma once

// Compositions, renders and signal measurements shared by the synthesiser
// tests. Sound is checked by rendering it and analysing the samples: levels,
// onsets, envelopes and the fundamental frequency. Samples are interleaved
// stereo float at the renderer's rate.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <memory>
#include <numbers>
#include <vector>

#include "model/composition.h"
#include "model/midiwriter.h"
#include "sound/engine/offlinerenderer.h"
#include "sound/engine/soundfont.h"

namespace qn::synthtest {

using Samples = std::vector<float>;

inline constexpr int kFlute = 73;      // a clear fundamental in every General MIDI font
inline constexpr int kOrgan = 16;      // drawbar organ: steady while held, silent at once after
inline constexpr int kLeadTicks = 24;  // WriteMidiFile starts every track's notes here
inline constexpr int kStepTicks = 40;
inline constexpr int kEmptyTrackTicks = 132;  // where the chunk of a track without notes ends

// One millisecond of the composition's time per tick: tempo 500 000 us per quarter note.
inline double tickMs(int division) {
    return 500.0 / division;
}
inline double midiHz(int note) {
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}
inline double db(double ratio) {
    return 20 * std::log10(std::max(ratio, 1e-12));
}

struct NoteSpec {
    int pitch;
    int velocity = 100;
    int length = 5;
};

// A composition whose track t plays tracks[t] with the given instrument and octave.
inline std::unique_ptr<Composition> composition(int division,
                                                const std::vector<std::vector<NoteSpec>>& tracks,
                                                int instrument = kFlute, int octave = 4) {
    auto c = std::make_unique<Composition>();
    c->Division = division;
    for (int t = 0; t < static_cast<int>(tracks.size()); ++t) {
        c->TrackInstrument[t] = static_cast<int16_t>(instrument);
        c->TrackOctave[t] = static_cast<int16_t>(octave);
        for (int i = 0; i < static_cast<int>(tracks[t].size()); ++i) {
            const NoteSpec& n = tracks[t][i];
            c->setNote(t, i,
                       Note{static_cast<int16_t>(n.pitch), static_cast<uint8_t>(n.velocity),
                            static_cast<uint8_t>(n.length)});
        }
        c->NoteCount[t] = static_cast<int16_t>(tracks[t].size());
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

inline Samples render(const std::vector<uint8_t>& midi, const RenderOptions& options = {}) {
    QString error;
    auto samples = renderer().renderToBuffer(midi, options, &error);
    EXPECT_TRUE(samples) << error.toStdString();
    return samples ? std::move(*samples) : Samples{};
}

inline int frameAtMs(double ms, int rate = kDefaultSampleRate) {
    return static_cast<int>(std::lround(ms * rate / 1000));
}
inline double msAtFrame(int frame, int rate = kDefaultSampleRate) {
    return frame * 1000.0 / rate;
}

// Both channels averaged.
inline std::vector<float> mono(const Samples& s) {
    std::vector<float> m(s.size() / 2);
    for (size_t i = 0; i < m.size(); ++i)
        m[i] = 0.5f * (s[2 * i] + s[2 * i + 1]);
    return m;
}

inline double peak(const std::vector<float>& m, int from = 0, int to = -1) {
    if (to < 0 || to > static_cast<int>(m.size())) to = static_cast<int>(m.size());
    double p = 0;
    for (int i = std::max(from, 0); i < to; ++i)
        p = std::max(p, double(std::fabs(m[i])));
    return p;
}

inline double rms(const std::vector<float>& m, int from, int to) {
    to = std::min(to, static_cast<int>(m.size()));
    from = std::max(from, 0);
    if (to <= from) return 0;
    double sum = 0;
    for (int i = from; i < to; ++i)
        sum += double(m[i]) * m[i];
    return std::sqrt(sum / (to - from));
}

// The first frame at or after `from` whose magnitude exceeds `threshold`, or -1.
inline int firstAbove(const std::vector<float>& m, double threshold, int from = 0) {
    for (int i = std::max(from, 0); i < static_cast<int>(m.size()); ++i)
        if (std::fabs(m[i]) > threshold) return i;
    return -1;
}

// RMS level (dB full scale) of the `window` frames centred on every frame,
// from running sums.
inline std::vector<double> runningLevelDb(const std::vector<float>& m, int window) {
    std::vector<double> sums(m.size() + 1, 0.0);
    for (size_t i = 0; i < m.size(); ++i)
        sums[i + 1] = sums[i] + double(m[i]) * m[i];
    std::vector<double> level(m.size());
    const int n = static_cast<int>(m.size());
    for (int i = 0; i < n; ++i) {
        const int from = std::max(0, i - window / 2), to = std::min(n, from + window);
        level[i] = 10 * std::log10(std::max((sums[to] - sums[from]) / (to - from), 1e-24));
    }
    return level;
}

// Onsets: where the level (5 ms windows) rises above `loudDb` after it has
// been below `quietDb`, so a release tail does not count twice. Each onset is
// the first frame after the quiet that rises 10 dB above it.
inline std::vector<int> onsets(const std::vector<float>& m, double loudDb = -45,
                               double quietDb = -70) {
    const auto level = runningLevelDb(m, 5 * kDefaultSampleRate / 1000);
    const double start = std::pow(10.0, (quietDb + 10) / 20);
    std::vector<int> found;
    int lastQuiet = 0;
    bool quiet = true;
    for (int i = 0; i < static_cast<int>(level.size()); ++i) {
        if (level[i] < quietDb) {
            quiet = true;
            lastQuiet = i;
        } else if (quiet && level[i] > loudDb) {
            found.push_back(firstAbove(m, start, lastQuiet));
            quiet = false;
        }
    }
    return found;
}

// Where a held note ends: the first frame after `from` at which the level
// (5 ms windows) has fallen `dropDb` below its median between from and `to`.
inline int releaseFrame(const std::vector<float>& m, int from, int to, double dropDb = 10) {
    const auto level = runningLevelDb(m, 5 * kDefaultSampleRate / 1000);
    std::vector<double> held(level.begin() + from,
                             level.begin() + std::min<size_t>(to, level.size()));
    std::nth_element(held.begin(), held.begin() + held.size() / 2, held.end());
    const double median = held[held.size() / 2];
    for (int i = from; i < static_cast<int>(level.size()); ++i)
        if (level[i] < median - dropDb) return i;
    return static_cast<int>(level.size());
}

inline void fft(std::vector<std::complex<double>>& a) {
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        const double angle = -2 * std::numbers::pi / static_cast<double>(len);
        const std::complex<double> step(std::cos(angle), std::sin(angle));
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> w(1);
            for (size_t k = 0; k < len / 2; ++k, w *= step) {
                const auto u = a[i + k];
                const auto v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
        }
    }
}

// Magnitude spectrum of `size` (a power of two) frames from `from`, Hann-windowed.
inline std::vector<double> spectrum(const std::vector<float>& m, int from, int size) {
    std::vector<std::complex<double>> a(size);
    for (int i = 0; i < size; ++i) {
        const double hann = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / (size - 1));
        const int at = from + i;
        a[i] = at < static_cast<int>(m.size()) ? m[at] * hann : 0.0;
    }
    fft(a);
    std::vector<double> magnitude(size / 2);
    for (int i = 0; i < size / 2; ++i)
        magnitude[i] = std::abs(a[i]);
    return magnitude;
}

// The frequency of bin `best`, refined between bins by a parabola.
inline double refinedHz(const std::vector<double>& magnitude, int best, int size, int rate) {
    const double a = magnitude[best - 1], b = magnitude[best], c = magnitude[best + 1];
    const double offset = (a - 2 * b + c) != 0 ? 0.5 * (a - c) / (a - 2 * b + c) : 0;
    return (best + offset) * rate / size;
}

// The fundamental: the strongest peak, or the lowest of its subharmonics
// (a half, a third, a quarter) that is itself a clear peak, since some
// instruments sound their second harmonic louder than the fundamental.
inline double fundamentalHz(const std::vector<double>& magnitude, int size, int rate,
                            double minHz = 30) {
    int top = std::max(1, static_cast<int>(minHz * size / rate));
    for (int i = top; i < static_cast<int>(magnitude.size()) - 1; ++i)
        if (magnitude[i] > magnitude[top]) top = i;
    const double strongestHz = refinedHz(magnitude, top, size, rate);
    const double strongest = *std::max_element(magnitude.begin(), magnitude.end());
    for (int divisor : {4, 3, 2}) {
        const double hz = strongestHz / divisor;
        if (hz < minHz) continue;
        const int bin = static_cast<int>(std::lround(hz * size / rate));
        int best = bin;
        for (int i = bin - 2; i <= bin + 2; ++i)
            if (i > 0 && magnitude[i] > magnitude[best]) best = i;
        if (magnitude[best] > 0.15 * strongest && magnitude[best] >= magnitude[best - 1] &&
            magnitude[best] >= magnitude[best + 1])
            return refinedHz(magnitude, best, size, rate);
    }
    return strongestHz;
}

// Magnitude near `hz` (the largest of the three nearest bins).
inline double magnitudeAt(const std::vector<double>& magnitude, double hz, int size, int rate) {
    const int bin = static_cast<int>(std::lround(hz * size / rate));
    double m = 0;
    for (int i = bin - 1; i <= bin + 1; ++i)
        if (i >= 0 && i < static_cast<int>(magnitude.size())) m = std::max(m, magnitude[i]);
    return m;
}

}  // namespace qn::synthtest
