#pragma once

// The values of the effects dialog without its widgets: the text of every box,
// the vertical sliders, the waveform pairs and the equaliser presets, the
// clamping of Apply, and the effect chain that playback and --render build
// from them. Plain C++ so that the command line and the tests use it directly.

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/effect.h"
#include "sound/effects/effectchain.h"
#include "sound/effects/effectparameters.h"

namespace qn {

// Boxes and sliders are numbered per effect, as the dialog's frame numbers them.
class EffectsDialogValues {
  public:
    EffectsDialogValues();

    static int boxCount(Effect effect);

    const std::string& text(Effect effect, int box) const;
    void setText(Effect effect, int box, std::string text);

    // Sliders. `pointer` is the pointer's height in pixels below the top of
    // the slider's track; a drag outside the track is ignored (false). The
    // slider's top moves to the pointer and its box shows the value there.
    bool dragSlider(Effect effect, int box, double pointer);
    // Mouse up on a slider; the gargle rate is then limited to 1..1000.
    void releaseSlider(Effect effect, int box);
    // Top edge of a slider's knob in twips below its track's top.
    int sliderTop(Effect effect, int box) const;

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
    // `enabled` says; nothing, with the box named in `error`, when a box of a
    // switched-on effect does not hold a number.
    std::optional<fx::EffectSettings> settings(const EffectSwitches& enabled,
                                               std::string* error) const;

    // A number as the boxes show it: no leading blank, no needless decimals.
    static std::string numberText(double value);
    // The whole text as a number (blanks around it allowed), or nothing.
    static std::optional<double> readNumber(const std::string& text);

  private:
    void placeSlider(Effect effect, int box, int topTwips, std::string text);

    std::array<std::vector<std::string>, kEffectCount> m_texts;  // indexed by Effect
    std::array<std::vector<int>, kEffectCount> m_sliderTops;     // twips, indexed by Effect
};

// The chain of the effects that `switches` (the composition's) turns on, with
// these values, prepared for `sampleRate` Hz: what playback and --render run.
// Nothing, with the reason in `error`, when a box of a switched-on effect does
// not hold a number or a value lies outside its effect's range.
std::unique_ptr<fx::EffectChain> makeEffectChain(const EffectsDialogValues& values,
                                                 const EffectSwitches& switches, double sampleRate,
                                                 std::string* error);

}  // namespace qn
