#pragma once

// What the window ties to each effect: its check item in the Special Effects
// menu and its frame in the effects dialog. The enum, the chain order, the
// file keyword and the caption are in model/effect.h; the rows here follow the
// enum's order, so both are indexed the same way.

#include <array>
#include <optional>

#include "command.h"
#include "model/effect.h"

namespace qn {

struct EffectFrame {
    int position;         // its label button's place in the row, from the left
    const char* caption;  // the label button's caption, and the frame's name in messages
    // Object names: the frame, its label button, and the stems of its boxes
    // and sliders ("EchoValue(0)" ...).
    const char* name;
    const char* button;
    const char* boxes;
    const char* sliders;
};

struct EffectEntry {
    Effect effect;
    Command command;
    const char* menuItem;  // the menu item's object name
    EffectFrame frame;
};

inline constexpr std::array<EffectEntry, kEffectCount> kEffectTable = {{
    {Effect::Distortion,
     Command::Distortion,
     "distortion",
     {3, "Distortion", "DistFrame", "DistButt", "DistAdjustValue", "distAdjustSlider"}},
    {Effect::Echo,
     Command::Echo,
     "echo",
     {0, "Echo", "EchoFrame", "EchoButt", "EchoValue", "EAdjustSlider"}},
    {Effect::Chorus,
     Command::Chorus,
     "Chorus",
     {2, "Chorus", "ChorusFrame", "ChorusButt", "ChorusAdjustValue", "ChorusAdjustSlider"}},
    {Effect::Flanger,
     Command::Flanger,
     "Flanger",
     {6, "Flanger", "FlangerFrame", "Flangerbutt", "FAdjustValue", "FAdjustSlider"}},
    {Effect::Compressor,
     Command::Compressor,
     "Compressor",
     {5, "Compressor", "CompFrame", "CompButt", "CompAdjustValue", "CompAdjustSlider"}},
    {Effect::Gargle,
     Command::Gargle,
     "Gargle",
     {4, "Gargle", "GargFrame", "GargButt", "GargAdjustValue", "GargAdjustSlider"}},
    {Effect::Para,
     Command::Para,
     "Para",
     {1, "ParamEQ", "EqFrame", "EQButt", "eqvalue", "EQAdjustSlider"}},
    {Effect::Reverb,
     Command::Reverb,
     "Reverb",
     {7, "WaveReverb", "WaveFrame", "WaveButt", "WaveAdjustValue", "WaveAdjustSlider"}},
}};

// Rows in enum order, every frame position used once.
static_assert([] {
    std::array<bool, kEffectCount> placed{};
    for (int i = 0; i < kEffectCount; ++i) {
        const EffectEntry& row = kEffectTable[i];
        if (effectIndex(row.effect) != i || row.frame.position < 0 ||
            row.frame.position >= kEffectCount || placed[row.frame.position])
            return false;
        placed[row.frame.position] = true;
    }
    return true;
}());

constexpr const EffectEntry& effectEntry(Effect effect) {
    return kEffectTable[effectIndex(effect)];
}

// The effect whose menu item runs `command`, if any.
constexpr std::optional<Effect> effectOfCommand(Command command) {
    for (const EffectEntry& row : kEffectTable)
        if (row.command == command) return row.effect;
    return std::nullopt;
}

// The effect whose frame is at `position` in the dialog.
constexpr Effect effectAtFrame(int position) {
    for (const EffectEntry& row : kEffectTable)
        if (row.frame.position == position) return row.effect;
    return Effect::Echo;
}

}  // namespace qn
