#pragma once

// The values of the effects dialog without its widgets: the text of every box,
// the vertical sliders, the waveform pairs and the equaliser presets, the
// clamping of Apply, and the parameter sets that playback's effects are built
// from. Plain C++ so that the command line and the tests use it directly.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "sound/effects/effectparameters.h"

namespace qn {

// The dialog's groups of boxes, one per effect frame.
enum class FxGroup { Echo, Compressor, Distortion, Equaliser, Chorus, Flanger, Gargle, Reverb };
inline constexpr int kFxGroups = 8;

class EffectsForm {
  public:
    EffectsForm();

    static int boxCount(FxGroup group);

    const std::string& text(FxGroup group, int box) const;
    void setText(FxGroup group, int box, std::string text);

    // Sliders. `pointer` is the pointer's height in pixels below the top of
    // the slider's track; a drag outside the track is ignored (false). The
    // slider's top moves to the pointer and its box shows the value there.
    bool dragSlider(FxGroup group, int box, double pointer);
    // Mouse up on a slider; the gargle rate is then limited to 1..1000.
    void releaseSlider(FxGroup group, int box);
    // Top edge of a slider's knob in twips below its track's top.
    int sliderTop(FxGroup group, int box) const;

    // Check boxes. The waveform pairs stay exclusive: setting one sets the other
    // to the opposite; the presets check one and uncheck the other.
    bool panDelay = false;
    bool chorusSine = true;
    bool flangerSine = true;
    bool gargleSine = false;  // the "Sine" box of the gargle selects its square wave
    bool bassBoost = false;
    bool noiseReduction = false;
    void setBassBoost(bool checked);
    void setNoiseReduction(bool checked);

    // Apply: every box that reads as a number is limited to its range and
    // written back; chorus boxes are not limited; text that is not a number stays
    // as typed, for playback to report.
    void apply();

    // The parameter sets from the boxes, with the effects switched on as
    // `enabled` says; nothing, with the box named in `error`, when a box does
    // not hold a number.
    std::optional<fx::EffectSettings> settings(const std::array<bool, fx::kEffectKinds>& enabled,
                                               std::string* error) const;

    // A number as the boxes show it: no leading blank, no needless decimals.
    static std::string numberText(double value);
    // The whole text as a number (blanks around it allowed), or nothing.
    static std::optional<double> readNumber(const std::string& text);

  private:
    std::vector<std::string>& boxes(FxGroup group);
    const std::vector<std::string>& boxes(FxGroup group) const;
    void placeSlider(FxGroup group, int box, int topTwips, std::string text);

    std::array<std::vector<std::string>, kFxGroups> m_texts;
    std::array<std::vector<int>, kFxGroups> m_sliderTops;  // twips
};

}  // namespace qn
