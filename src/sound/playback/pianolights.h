#pragma once

// The piano key lit by teach mode or held on the computer keyboard, and the
// colour it gets back. Shared by the piano and the playback clock.

#include <cstdint>

namespace qn {

// Colours as RGB numbers with blue in the high byte.
inline constexpr uint32_t kWhiteKeyColor = 13628923;  // 251, 245, 207
inline constexpr uint32_t kBlackKeyColor = 0;
inline constexpr uint32_t kLitKeyColor = 255;        // red: the note being played
inline constexpr uint32_t kHeldKeyColor = 16711680;  // blue: a computer key held down
inline constexpr uint32_t kWhite = 16777215;

struct PianoLights {
    int LitKey = 0;
    uint32_t KeyRestoreColor = kWhite;
};

}  // namespace qn
