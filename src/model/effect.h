#pragma once

// The eight audio effects: one enum for the .msf file, the effects menu, the
// effects dialog and the processing chain. Header only and plain C++, so that
// the effects DSP can share it without linking the model.

#include <array>
#include <string_view>

namespace qn {

// In the order of their .msf lines and menu items, which is also the order in
// which the chain processes them.
enum class Effect { Distortion, Echo, Chorus, Flanger, Compressor, Gargle, Para, Reverb };
inline constexpr int kEffectCount = 8;

// Every effect, in that order.
inline constexpr std::array<Effect, kEffectCount> kEffects = {
    Effect::Distortion, Effect::Echo,   Effect::Chorus, Effect::Flanger,
    Effect::Compressor, Effect::Gargle, Effect::Para,   Effect::Reverb};

constexpr int effectIndex(Effect effect) {
    return static_cast<int>(effect);
}
static_assert([] {
    for (int i = 0; i < kEffectCount; ++i)
        if (effectIndex(kEffects[i]) != i) return false;
    return true;
}());

// On/off per effect, indexed by Effect.
using EffectSwitches = std::array<bool, kEffectCount>;

struct EffectNames {
    std::string_view keyword;  // its line in a .msf file, and its name in --dump
    const char* caption;       // its menu item, and its name in messages
};

// Indexed by Effect. The window's own columns (menu command, dialog frame) are
// in app/effecttable.h.
inline constexpr std::array<EffectNames, kEffectCount> kEffectNames = {{
    {"DISTORTION", "Distortion"},
    {"ECHO", "Echo"},
    {"CHORUS", "Chorus"},
    {"FLANGER", "Flanger"},
    {"COMPRESSOR", "Compressor"},
    {"GARGLE", "Gargle"},
    {"PARA", "Parameq"},
    {"REVERB", "WaveReverb"},
}};

constexpr std::string_view effectKeyword(Effect effect) {
    return kEffectNames[effectIndex(effect)].keyword;
}

constexpr const char* effectCaption(Effect effect) {
    return kEffectNames[effectIndex(effect)].caption;
}

}  // namespace qn
