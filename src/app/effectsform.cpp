#include "effectsform.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace qn {

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kGargle = static_cast<int>(FxGroup::Gargle);

// The effect each group of boxes sets, indexed by FxGroup.
constexpr std::array<fx::EffectKind, kFxGroups> kEffectOfGroup = {
    fx::EffectKind::Echo,    fx::EffectKind::Compressor, fx::EffectKind::Distortion,
    fx::EffectKind::ParamEq, fx::EffectKind::Chorus,     fx::EffectKind::Flanger,
    fx::EffectKind::Gargle,  fx::EffectKind::Reverb};

struct Range {
    double low;
    double high;
};

// value = slope x pointer + offset, pointer in pixels below the track's top.
struct Line {
    double slope;
    double offset;
};

struct GroupTable {
    std::vector<const char*> initialTexts;
    std::vector<Line> sliders;  // empty for echo, whose steps are worked out apart
    std::vector<Range> ranges;  // empty: Apply leaves the group alone
    const char* name;
};

// Indexed by FxGroup. Groups whose top is the largest value count down from
// 100 pixels: 1.2 (100 - p) - 60 is the line -1.2 p + 60.
const std::array<GroupTable, kFxGroups>& tables() {
    static const std::array<GroupTable, kFxGroups> kTables = {{
        {{"8", "8", "8", "8"}, {}, {{0, 10}, {0, 10}, {0, 10}, {0, 10}}, "Echo"},
        {{"32", "3", "78", "312", "2280", "-15"},
         {{-1.2, 60}, {-0.04, 4}, {-1, 100}, {-4, 400}, {-30, 3000}, {-0.6, 0}},
         {{-60, 60}, {0, 4}, {1, 100}, {1, 500}, {50, 3000}, {-60, 0}},
         "Compressor"},
        {{"23", "-41", "200", "1940", "2100"},
         {{1, 0}, {0.6, -60}, {80, 100}, {80, 100}, {80, 100}},
         {{0, 100}, {-60, 0}, {100, 8000}, {100, 8000}, {100, 8000}},
         "Distortion"},
        {{"2960", "10", "6"},
         {{160, 80}, {0.3, -15}, {0.36, 0}},
         {{80, 16000}, {-15, 15}, {1, 36}},
         "ParamEQ"},
        {{"4", "24", "-54", "23", "0", "2"},
         {{0.2, 0}, {1, 0}, {2, -100}, {1, 0}, {0.04, 0}, {0.1, 0}},
         {},
         "Chorus"},
        {{"7", "3", "77", "50", "3", "76"},
         {{-0.1, 10}, {-0.04, 4}, {-1, 100}, {-2, 100}, {-0.04, 4}, {-1, 100}},
         {{0, 10}, {0, 3}, {0, 100}, {-100, 100}, {0, 4}, {0, 100}},
         "Flanger"},
        {{"190"}, {{10, 0}}, {{0, 1000}}, "Gargle"},
        {{"-24", "769", "-24", "2300"},
         {{-0.96, 0}, {-9.99, 999}, {-0.96, 0}, {-30, 3000}},
         {{-96, 0}, {1, 999}, {-96, 0}, {1, 3000}},
         "WaveReverb"},
    }};
    return kTables;
}

const GroupTable& table(FxGroup group) {
    return tables()[static_cast<int>(group)];
}

// The echo boxes step from 10 at the top to 0 at the bottom, one step per 10 pixels.
double echoValue(double pointer) {
    return 10 - std::trunc(std::nearbyint(pointer) / 10);
}

double sliderValue(FxGroup group, int box, double pointer) {
    if (group == FxGroup::Echo) return echoValue(pointer);
    const Line& line = table(group).sliders.at(box);
    return line.slope * pointer + line.offset;
}

// Where a slider shows `value`: the inverse of its line, kept on the track.
int sliderTopFor(FxGroup group, int box, double value) {
    double pointer = 0;
    if (group == FxGroup::Echo) {
        pointer = (10 - value) * 10;
    } else {
        const Line& line = table(group).sliders.at(box);
        pointer = (value - line.offset) / line.slope;
    }
    return static_cast<int>(std::lround(std::clamp(pointer, 0.0, 100.0) * kTwipsPerPixel));
}

std::string integerPart(double value) {
    return EffectsForm::numberText(std::trunc(value) + 0.0);  // + 0.0 turns -0 into 0
}

}  // namespace

EffectsForm::EffectsForm() {
    for (int g = 0; g < kFxGroups; ++g) {
        const GroupTable& t = tables()[g];
        m_texts[g].assign(t.initialTexts.begin(), t.initialTexts.end());
        m_sliderTops[g].resize(t.initialTexts.size());
        for (size_t b = 0; b < t.initialTexts.size(); ++b)
            m_sliderTops[g][b] = sliderTopFor(static_cast<FxGroup>(g), static_cast<int>(b),
                                              readNumber(m_texts[g][b]).value_or(0));
    }
}

int EffectsForm::boxCount(FxGroup group) {
    return static_cast<int>(table(group).initialTexts.size());
}

std::vector<std::string>& EffectsForm::boxes(FxGroup group) {
    return m_texts[static_cast<int>(group)];
}

const std::vector<std::string>& EffectsForm::boxes(FxGroup group) const {
    return m_texts[static_cast<int>(group)];
}

const std::string& EffectsForm::text(FxGroup group, int box) const {
    return boxes(group).at(box);
}

void EffectsForm::setText(FxGroup group, int box, std::string text) {
    boxes(group).at(box) = std::move(text);
}

int EffectsForm::sliderTop(FxGroup group, int box) const {
    return m_sliderTops[static_cast<int>(group)].at(box);
}

void EffectsForm::placeSlider(FxGroup group, int box, int topTwips, std::string text) {
    m_sliderTops[static_cast<int>(group)].at(box) = topTwips;
    setText(group, box, std::move(text));
}

bool EffectsForm::dragSlider(FxGroup group, int box, double pointer) {
    const double top = kTwipsPerPixel * pointer;
    if (!(top > -5 && top < 1510)) return false;
    pointer = std::max(pointer, 0.0);
    placeSlider(group, box, static_cast<int>(std::lround(kTwipsPerPixel * pointer)),
                integerPart(sliderValue(group, box, pointer)));
    return true;
}

void EffectsForm::releaseSlider(FxGroup group, int box) {
    if (group != FxGroup::Gargle) return;
    if (const auto value = readNumber(text(group, box)))
        setText(group, box, integerPart(std::clamp(*value, 1.0, 1000.0)));
}

void EffectsForm::setBassBoost(bool checked) {
    bassBoost = checked;
    if (!checked) return;
    noiseReduction = false;
    placeSlider(FxGroup::Equaliser, 0, 80, "80");
    placeSlider(FxGroup::Equaliser, 1, 1440, "14");
}

void EffectsForm::setNoiseReduction(bool checked) {
    noiseReduction = checked;
    if (!checked) return;
    bassBoost = false;
    placeSlider(FxGroup::Equaliser, 0, 400, "4000");
    placeSlider(FxGroup::Equaliser, 1, 80, "-14");
    placeSlider(FxGroup::Equaliser, 2, 600, "12");
}

void EffectsForm::apply() {
    for (int g = 0; g < kFxGroups; ++g) {
        const std::vector<Range>& ranges = tables()[g].ranges;
        for (size_t b = 0; b < ranges.size(); ++b) {
            std::string& box = m_texts[g][b];
            const auto value = readNumber(box);
            if (!value) continue;
            const double limited = std::clamp(*value, ranges[b].low, ranges[b].high);
            // The gargle rate is rewritten only when it was out of range.
            if (g == kGargle && limited == *value) continue;
            box = numberText(limited);
        }
    }
}

std::optional<fx::EffectSettings> EffectsForm::settings(
    const std::array<bool, fx::kEffectKinds>& enabled, std::string* error) const {
    // Only the boxes of switched-on effects are read: a stray word in another
    // frame does not stop the ones in use.
    const auto on = [&](FxGroup group) {
        return enabled[static_cast<int>(kEffectOfGroup[static_cast<int>(group)])];
    };
    std::array<std::vector<double>, kFxGroups> values;
    for (int g = 0; g < kFxGroups; ++g) {
        const bool used = on(static_cast<FxGroup>(g));
        for (size_t b = 0; b < m_texts[g].size(); ++b) {
            const auto value = used ? readNumber(m_texts[g][b]) : std::optional<double>(0);
            if (!value) {
                if (error)
                    *error = std::string(tables()[g].name)
                                 .append(" box ")
                                 .append(std::to_string(b + 1))
                                 .append(" does not hold a number");
                return std::nullopt;
            }
            values[g].push_back(*value);
        }
    }
    auto v = [&](FxGroup group, int box) {
        return static_cast<float>(values[static_cast<int>(group)][box]);
    };
    auto whole = [&](FxGroup group, int box) {
        return static_cast<int32_t>(std::trunc(values[static_cast<int>(group)][box]));
    };

    fx::EffectSettings s;
    s.enabled = enabled;
    if (on(FxGroup::Echo))
        s.echo = {v(FxGroup::Echo, 3), v(FxGroup::Echo, 0), v(FxGroup::Echo, 1),
                  v(FxGroup::Echo, 2), panDelay ? 1 : 0};
    if (on(FxGroup::Equaliser))
        s.paramEq = {v(FxGroup::Equaliser, 0), v(FxGroup::Equaliser, 2), v(FxGroup::Equaliser, 1)};
    if (on(FxGroup::Chorus))
        s.chorus = {v(FxGroup::Chorus, 3),
                    v(FxGroup::Chorus, 1),
                    v(FxGroup::Chorus, 2),
                    v(FxGroup::Chorus, 5),
                    chorusSine ? fx::kWaveSine : fx::kWaveTriangle,
                    v(FxGroup::Chorus, 0),
                    whole(FxGroup::Chorus, 4)};
    if (on(FxGroup::Distortion))
        s.distortion = {v(FxGroup::Distortion, 1), v(FxGroup::Distortion, 0),
                        v(FxGroup::Distortion, 3), v(FxGroup::Distortion, 2),
                        v(FxGroup::Distortion, 4)};
    if (on(FxGroup::Gargle)) {
        const double rate = values[kGargle][0];
        s.gargle = {rate < 0 ? 0u : static_cast<uint32_t>(std::min(rate, 4.0e9)),
                    gargleSine ? fx::kGargleSquare : fx::kGargleTriangle};
    }
    if (on(FxGroup::Reverb))
        s.reverb = {v(FxGroup::Reverb, 0), v(FxGroup::Reverb, 2), v(FxGroup::Reverb, 3),
                    v(FxGroup::Reverb, 1) * 0.001f};
    if (on(FxGroup::Compressor))
        s.compressor = {v(FxGroup::Compressor, 0), v(FxGroup::Compressor, 3),
                        v(FxGroup::Compressor, 4), v(FxGroup::Compressor, 5),
                        v(FxGroup::Compressor, 2), v(FxGroup::Compressor, 1)};
    if (on(FxGroup::Flanger))
        s.flanger = {v(FxGroup::Flanger, 5),
                     v(FxGroup::Flanger, 2),
                     v(FxGroup::Flanger, 3),
                     v(FxGroup::Flanger, 0),
                     flangerSine ? fx::kWaveSine : fx::kWaveTriangle,
                     v(FxGroup::Flanger, 1),
                     whole(FxGroup::Flanger, 4)};
    return s;
}

std::string EffectsForm::numberText(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.10g", value);
    return buffer;
}

std::optional<double> EffectsForm::readNumber(const std::string& text) {
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

}  // namespace qn
