#pragma once

// Where the controls of the main window's client area stand, in twips (1440
// per inch, 15 per screen pixel at zoom 1). The staves' own geometry is in
// staffgeometry.h.

namespace qn::staff {

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kClientWidth = 14550;
inline constexpr int kClientHeight = 10320;

struct TwipRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Right of the staves: the instrument list, then the playback indicators and displays.
inline constexpr TwipRect kInstrumentCombo{11400, 7080, 3000, 330};
inline constexpr TwipRect kStopBox{11400, 7620, 300, 300};
inline constexpr TwipRect kPauseBars[2] = {{11850, 7620, 105, 300}, {12030, 7620, 105, 300}};
inline constexpr TwipRect kRecordIndicator{12450, 7620, 300, 300};
inline constexpr TwipRect kTimeDisplay{12900, 7560, 1500, 420};
inline constexpr TwipRect kNoteNumberDisplay{12900, 7980, 1500, 300};
// Below the lyrics: the master volume.
inline constexpr TwipRect kVolumeCaption{7920, 7560, 3000, 240};
inline constexpr TwipRect kMasterVolume{7920, 7800, 3000, 300};

// The duration palette: two rows of four pictures right of the piano.
inline constexpr int kPaletteLeft = 11880;
inline constexpr int kPaletteTop = 8520;
inline constexpr int kPaletteStepX = 660;
inline constexpr int kPaletteStepY = 600;

}  // namespace qn::staff
