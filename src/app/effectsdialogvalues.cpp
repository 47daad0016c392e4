#include "effectsdialogvalues.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "effecttable.h"
#include "staff/clientlayout.h"

namespace qn {

namespace {

using staff::kTwipsPerPixel;

struct Range {
    double low;
    double high;
};

// value = slope x pointer + offset, pointer in pixels below the track's top.
struct Line {
    double slope;
    double offset;
};

struct BoxTable {
    std::vector<const char*> initialTexts;
    std::vector<Line> sliders;  // empty for echo, whose steps are worked out apart
    std::vector<Range> ranges;  // empty: Apply leaves the effect's boxes alone
};

// Indexed by Effect. Sliders whose top is the largest value count down from
// 100 pixels: 1.2 (100 - p) - 60 is the line -1.2 p + 60.
const std::array<BoxTable, kEffectCount>& tables() {
    static const std::array<BoxTable, kEffectCount> kTables = {{
        // Distortion
        {{"23", "-41", "200", "1940", "2100"},
         {{1, 0}, {0.6, -60}, {80, 100}, {80, 100}, {80, 100}},
         {{0, 100}, {-60, 0}, {100, 8000}, {100, 8000}, {100, 8000}}},
        // Echo
        {{"8", "8", "8", "8"}, {}, {{0, 10}, {0, 10}, {0, 10}, {0, 10}}},
        // Chorus
        {{"4", "24", "-54", "23", "0", "2"},
         {{0.2, 0}, {1, 0}, {2, -100}, {1, 0}, {0.04, 0}, {0.1, 0}},
         {}},
        // Flanger
        {{"7", "3", "77", "50", "3", "76"},
         {{-0.1, 10}, {-0.04, 4}, {-1, 100}, {-2, 100}, {-0.04, 4}, {-1, 100}},
         {{0, 10}, {0, 3}, {0, 100}, {-100, 100}, {0, 4}, {0, 100}}},
        // Compressor
        {{"32", "3", "78", "312", "2280", "-15"},
         {{-1.2, 60}, {-0.04, 4}, {-1, 100}, {-4, 400}, {-30, 3000}, {-0.6, 0}},
         {{-60, 60}, {0, 4}, {1, 100}, {1, 500}, {50, 3000}, {-60, 0}}},
        // Gargle
        {{"190"}, {{10, 0}}, {{0, 1000}}},
        // Para
        {{"2960", "10", "6"},
         {{160, 80}, {0.3, -15}, {0.36, 0}},
         {{80, 16000}, {-15, 15}, {1, 36}}},
        // Reverb
        {{"-24", "769", "-24", "2300"},
         {{-0.96, 0}, {-9.99, 999}, {-0.96, 0}, {-30, 3000}},
         {{-96, 0}, {1, 999}, {-96, 0}, {1, 3000}}},
    }};
    return kTables;
}

const BoxTable& table(Effect effect) {
    return tables()[effectIndex(effect)];
}

// The echo boxes step from 10 at the top to 0 at the bottom, one step per 10 pixels.
double echoValue(double pointer) {
    return 10 - std::trunc(std::nearbyint(pointer) / 10);
}

double sliderValue(Effect effect, int box, double pointer) {
    if (effect == Effect::Echo) return echoValue(pointer);
    const Line& line = table(effect).sliders.at(box);
    return line.slope * pointer + line.offset;
}

// Where a slider shows `value`: the inverse of its line, kept on the track.
int sliderTopFor(Effect effect, int box, double value) {
    double pointer = 0;
    if (effect == Effect::Echo) {
        pointer = (10 - value) * 10;
    } else {
        const Line& line = table(effect).sliders.at(box);
        pointer = (value - line.offset) / line.slope;
    }
    return static_cast<int>(std::lround(std::clamp(pointer, 0.0, 100.0) * kTwipsPerPixel));
}

std::string integerPart(double value) {
    return EffectsDialogValues::numberText(std::trunc(value) + 0.0);  // + 0.0 turns -0 into 0
}

}  // namespace

EffectsDialogValues::EffectsDialogValues() {
    for (Effect effect : kEffects) {
        const int e = effectIndex(effect);
        const std::vector<const char*>& initial = table(effect).initialTexts;
        m_texts[e].assign(initial.begin(), initial.end());
        m_sliderTops[e].resize(initial.size());
        for (size_t b = 0; b < initial.size(); ++b)
            m_sliderTops[e][b] =
                sliderTopFor(effect, static_cast<int>(b), readNumber(m_texts[e][b]).value_or(0));
    }
}

int EffectsDialogValues::boxCount(Effect effect) {
    return static_cast<int>(table(effect).initialTexts.size());
}

const std::string& EffectsDialogValues::text(Effect effect, int box) const {
    return m_texts[effectIndex(effect)].at(box);
}

void EffectsDialogValues::setText(Effect effect, int box, std::string text) {
    m_texts[effectIndex(effect)].at(box) = std::move(text);
}

int EffectsDialogValues::sliderTop(Effect effect, int box) const {
    return m_sliderTops[effectIndex(effect)].at(box);
}

void EffectsDialogValues::placeSlider(Effect effect, int box, int topTwips, std::string text) {
    m_sliderTops[effectIndex(effect)].at(box) = topTwips;
    setText(effect, box, std::move(text));
}

bool EffectsDialogValues::dragSlider(Effect effect, int box, double pointer) {
    const double top = kTwipsPerPixel * pointer;
    if (!(top > -5 && top < 1510)) return false;
    pointer = std::max(pointer, 0.0);
    placeSlider(effect, box, static_cast<int>(std::lround(kTwipsPerPixel * pointer)),
                integerPart(sliderValue(effect, box, pointer)));
    return true;
}

void EffectsDialogValues::releaseSlider(Effect effect, int box) {
    if (effect != Effect::Gargle) return;
    if (const auto value = readNumber(text(effect, box)))
        setText(effect, box, integerPart(std::clamp(*value, 1.0, 1000.0)));
}

void EffectsDialogValues::setBassBoost(bool checked) {
    bassBoost = checked;
    if (!checked) return;
    noiseReduction = false;
    placeSlider(Effect::Para, 0, 80, "80");
    placeSlider(Effect::Para, 1, 1440, "14");
}

void EffectsDialogValues::setNoiseReduction(bool checked) {
    noiseReduction = checked;
    if (!checked) return;
    bassBoost = false;
    placeSlider(Effect::Para, 0, 400, "4000");
    placeSlider(Effect::Para, 1, 80, "-14");
    placeSlider(Effect::Para, 2, 600, "12");
}

void EffectsDialogValues::apply() {
    for (Effect effect : kEffects) {
        const std::vector<Range>& ranges = table(effect).ranges;
        for (size_t b = 0; b < ranges.size(); ++b) {
            std::string& box = m_texts[effectIndex(effect)][b];
            const auto value = readNumber(box);
            if (!value) continue;
            const double limited = std::clamp(*value, ranges[b].low, ranges[b].high);
            // The gargle rate is rewritten only when it was out of range.
            if (effect == Effect::Gargle && limited == *value) continue;
            box = numberText(limited);
        }
    }
}

std::optional<fx::EffectSettings> EffectsDialogValues::settings(const EffectSwitches& enabled,
                                                                std::string* error) const {
    // Only the boxes of switched-on effects are read: a stray word in another
    // frame does not stop the ones in use.
    std::array<std::vector<double>, kEffectCount> values;
    for (Effect effect : kEffects) {
        const int e = effectIndex(effect);
        if (!enabled[e]) continue;
        for (size_t b = 0; b < m_texts[e].size(); ++b) {
            const auto value = readNumber(m_texts[e][b]);
            if (!value) {
                if (error)
                    *error = std::string(effectEntry(effect).frame.caption)
                                 .append(" box ")
                                 .append(std::to_string(b + 1))
                                 .append(" does not hold a number");
                return std::nullopt;
            }
            values[e].push_back(*value);
        }
    }
    const auto v = [&](Effect effect, int box) {
        return static_cast<float>(values[effectIndex(effect)][box]);
    };
    const auto whole = [&](Effect effect, int box) {
        return static_cast<int32_t>(std::trunc(values[effectIndex(effect)][box]));
    };

    fx::EffectSettings s;
    s.enabled = enabled;
    if (s.on(Effect::Distortion))
        s.distortion = {v(Effect::Distortion, 1), v(Effect::Distortion, 0),
                        v(Effect::Distortion, 3), v(Effect::Distortion, 2),
                        v(Effect::Distortion, 4)};
    if (s.on(Effect::Echo))
        s.echo = {v(Effect::Echo, 3), v(Effect::Echo, 0), v(Effect::Echo, 1), v(Effect::Echo, 2),
                  panDelay ? 1 : 0};
    if (s.on(Effect::Chorus))
        s.chorus = {v(Effect::Chorus, 3),
                    v(Effect::Chorus, 1),
                    v(Effect::Chorus, 2),
                    v(Effect::Chorus, 5),
                    chorusSine ? fx::kWaveSine : fx::kWaveTriangle,
                    v(Effect::Chorus, 0),
                    whole(Effect::Chorus, 4)};
    if (s.on(Effect::Flanger))
        s.flanger = {v(Effect::Flanger, 5),
                     v(Effect::Flanger, 2),
                     v(Effect::Flanger, 3),
                     v(Effect::Flanger, 0),
                     flangerSine ? fx::kWaveSine : fx::kWaveTriangle,
                     v(Effect::Flanger, 1),
                     whole(Effect::Flanger, 4)};
    if (s.on(Effect::Compressor))
        s.compressor = {v(Effect::Compressor, 0), v(Effect::Compressor, 3),
                        v(Effect::Compressor, 4), v(Effect::Compressor, 5),
                        v(Effect::Compressor, 2), v(Effect::Compressor, 1)};
    if (s.on(Effect::Gargle)) {
        const double rate = values[effectIndex(Effect::Gargle)][0];
        s.gargle = {rate < 0 ? 0u : static_cast<uint32_t>(std::min(rate, 4.0e9)),
                    gargleSine ? fx::kGargleSquare : fx::kGargleTriangle};
    }
    if (s.on(Effect::Para))
        s.paramEq = {v(Effect::Para, 0), v(Effect::Para, 2), v(Effect::Para, 1)};
    if (s.on(Effect::Reverb))
        s.reverb = {v(Effect::Reverb, 0), v(Effect::Reverb, 2), v(Effect::Reverb, 3),
                    v(Effect::Reverb, 1) * 0.001f};
    return s;
}

std::string EffectsDialogValues::numberText(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.10g", value);
    return buffer;
}

std::optional<double> EffectsDialogValues::readNumber(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    const size_t last = text.find_last_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    if (text[first] == '+') ++first;
    double value = 0;
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::unique_ptr<fx::EffectChain> makeEffectChain(const EffectsDialogValues& values,
                                                 const EffectSwitches& switches, double sampleRate,
                                                 std::string* error) {
    const auto settings = values.settings(switches, error);
    return settings ? fx::EffectChain::create(*settings, sampleRate, error) : nullptr;
}

}  // namespace qn
