#include "app/effectsdialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace qn {
namespace {

TEST(EffectsDialogValues, ApplyLimitsEveryNumberToItsRangeAndLeavesOtherTextAlone) {
    using E = Effect;
    const std::tuple<Effect, int, const char*, const char*> cases[] = {
        {E::Echo, 0, "25", "10"},        {E::Flanger, 3, "-150", "-100"},
        {E::Flanger, 1, "3.5", "3"},     {E::Compressor, 4, "20", "50"},
        {E::Para, 0, "20000", "16000"},  {E::Reverb, 1, "0", "1"},
        {E::Distortion, 1, "5", "0"},    {E::Gargle, 0, "1500", "1000"},
        {E::Gargle, 0, "0500", "0500"},  {E::Chorus, 2, "-500", "-500"},
        {E::Compressor, 0, " +7 ", "7"}, {E::Echo, 1, "loud", "loud"},
        {E::Echo, 1, "1e999", "1e999"},  {E::Echo, 1, "12dB", "12dB"},
    };
    for (const auto& [effect, box, typed, shown] : cases) {
        EffectsDialogValues values;
        values.setText(effect, box, typed);
        values.apply();
        EXPECT_EQ(values.text(effect, box), shown) << typed;
    }
}

TEST(EffectsDialogValues, SlidersShowTheirFormulaAndIgnoreDragsOffTheTrack) {
    using E = Effect;
    // The pointer in pixels below the track's top; nothing shown: the drag is ignored.
    const std::tuple<Effect, int, double, const char*> cases[] = {
        {E::Echo, 2, 0, "10"},           {E::Echo, 0, 44, "6"},
        {E::Compressor, 0, 0, "60"},     {E::Compressor, 5, 50, "-30"},
        {E::Flanger, 3, 100, "-100"},    {E::Reverb, 1, 0, "999"},
        {E::Chorus, 2, 0, "-100"},       {E::Chorus, 4, 100, "4"},
        {E::Distortion, 2, 100, "8100"}, {E::Para, 1, 99, "14"},
        {E::Gargle, 0, 100, "1000"},     {E::Echo, 0, -0.2, "10"},
        {E::Echo, 0, 101, nullptr},      {E::Echo, 0, -1, nullptr},
    };
    for (const auto& [effect, box, pointer, shown] : cases) {
        EffectsDialogValues values;
        EXPECT_EQ(values.dragSlider(effect, box, pointer), shown != nullptr);
        EXPECT_EQ(values.text(effect, box), shown ? shown : "8") << pointer;
    }
    EffectsDialogValues values;  // releasing the gargle slider limits its rate
    values.dragSlider(Effect::Gargle, 0, 0);
    values.releaseSlider(Effect::Gargle, 0);
    EXPECT_EQ(values.text(Effect::Gargle, 0), "1");
}

TEST(EffectsDialogValues, PresetsExcludeEachOtherAndSetTheEqualiser) {
    EffectsDialogValues values;
    values.setNoiseReduction(true);
    EXPECT_EQ(values.text(Effect::Para, 1), "-14");
    values.setBassBoost(true);
    EXPECT_FALSE(values.noiseReduction);
    EXPECT_EQ(values.text(Effect::Para, 0), "80");
    EXPECT_EQ(values.sliderTop(Effect::Para, 1), 1440);  // the thumb moves with the text
    values.setBassBoost(false);                          // unchecking changes nothing else
    EXPECT_EQ(values.text(Effect::Para, 1), "14");
}

TEST(EffectsDialogValues, ParameterSetsComeFromTheBoxesTheirFieldsName) {
    EffectsDialogValues values;
    for (int b = 0; b < 4; ++b)
        values.setText(Effect::Echo, b, std::to_string(b + 1));
    values.panDelay = true;
    values.gargleSine = true;
    EffectSwitches on;
    on.fill(true);
    const auto s = values.settings(on, nullptr);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->distortion, (fx::DistortionParameters{-41, 23, 1940, 200, 2100}));
    EXPECT_EQ(s->echo, (fx::EchoParameters{4, 1, 2, 3, 1}));
    EXPECT_EQ(s->chorus, (fx::ModulationParameters{23, 24, -54, 2, fx::kWaveSine, 4, 0}));
    EXPECT_EQ(s->flanger, (fx::ModulationParameters{76, 77, 50, 7, fx::kWaveSine, 3, 3}));
    EXPECT_EQ(s->compressor, (fx::CompressorParameters{32, 312, 2280, -15, 78, 3}));
    EXPECT_EQ(s->gargle, (fx::GargleParameters{190, fx::kGargleSquare}));
    EXPECT_EQ(s->paramEq, (fx::ParamEqParameters{2960, 6, 10}));
    EXPECT_EQ(s->reverb, (fx::ReverbParameters{-24, -24, 2300, 769 * 0.001f}));

    values.setText(Effect::Flanger, 2, "deep");
    std::string error;
    EXPECT_FALSE(values.settings(on, &error).has_value());
    EXPECT_EQ(error, "Flanger box 3 does not hold a number");
    on[effectIndex(Effect::Flanger)] = false;  // a frame not in use is not read
    EXPECT_TRUE(makeEffectChain(values, on, 44100, &error));
}

TEST(EffectsDialog, ControlsEditTheValuesAndClosingApplies) {
    EffectsDialogValues values;
    EffectsDialog dialog(values);
    dialog.show();
    QTest::mouseClick(dialog.frameButton(Effect::Chorus), Qt::LeftButton);
    EXPECT_EQ(dialog.currentFrame(), Effect::Chorus);
    QTest::mouseClick(dialog.checkBox(EffectsDialog::Check::ChorusTriangle), Qt::LeftButton);
    EXPECT_FALSE(values.chorusSine);

    dialog.showFrame(Effect::Echo);
    EffectSlider* slider = dialog.slider(Effect::Echo, 1);
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(5, 0));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(5, 0));
    EXPECT_EQ(dialog.box(Effect::Echo, 1)->text(), QStringLiteral("10"));

    dialog.showFrame(Effect::Reverb);
    QLineEdit* box = dialog.box(Effect::Reverb, 3);
    box->selectAll();
    QTest::keyClicks(box, "9000");
    EXPECT_EQ(values.text(Effect::Reverb, 3), "9000");
    dialog.close();
    EXPECT_EQ(box->text(), QStringLiteral("3000"));
}

}  // namespace
}  // namespace qn
