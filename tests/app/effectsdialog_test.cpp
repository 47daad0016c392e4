#include "app/effectsdialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/effectsdialogvalues.h"

namespace qn {
namespace {

TEST(EffectsDialogValues, ApplyLimitsEveryBoxToItsRangeAndWritesItBack) {
    const struct {
        Effect group;
        int box;
        const char* typed;
        const char* shown;
    } cases[] = {
        {Effect::Echo, 0, "25", "10"},        {Effect::Echo, 3, "-1", "0"},
        {Effect::Flanger, 3, "-150", "-100"}, {Effect::Flanger, 1, "3.5", "3"},
        {Effect::Compressor, 4, "20", "50"},  {Effect::Para, 0, "20000", "16000"},
        {Effect::Reverb, 1, "0", "1"},        {Effect::Distortion, 1, "5", "0"},
        {Effect::Gargle, 0, "1500", "1000"},  {Effect::Gargle, 0, "0500", "0500"},
        {Effect::Chorus, 2, "-500", "-500"},  {Effect::Echo, 1, "loud", "loud"},
        {Effect::Compressor, 0, " +7 ", "7"},
    };
    for (const auto& c : cases) {
        EffectsDialogValues form;
        form.setText(c.group, c.box, c.typed);
        form.apply();
        EXPECT_EQ(form.text(c.group, c.box), c.shown) << c.typed;
    }
}

TEST(EffectsDialogValues, SlidersShowTheirFormulaAtTopAndBottom) {
    const struct {
        Effect group;
        int box;
        double pointer;  // pixels below the track's top
        const char* shown;
    } cases[] = {
        {Effect::Echo, 2, 0, "10"},           {Effect::Echo, 2, 100, "0"},
        {Effect::Echo, 0, 44, "6"},           {Effect::Compressor, 0, 0, "60"},
        {Effect::Compressor, 0, 100, "-60"},  {Effect::Compressor, 4, 0, "3000"},
        {Effect::Flanger, 3, 100, "-100"},    {Effect::Reverb, 1, 0, "999"},
        {Effect::Chorus, 2, 0, "-100"},       {Effect::Chorus, 4, 100, "4"},
        {Effect::Distortion, 2, 100, "8100"}, {Effect::Para, 0, 0, "80"},
        {Effect::Para, 1, 99, "14"},          {Effect::Gargle, 0, 100, "1000"},
        {Effect::Compressor, 5, 50, "-30"},   {Effect::Reverb, 0, 37, "-35"},
    };
    for (const auto& c : cases) {
        EffectsDialogValues form;
        ASSERT_TRUE(form.dragSlider(c.group, c.box, c.pointer));
        EXPECT_EQ(form.text(c.group, c.box), c.shown) << static_cast<int>(c.group) << " " << c.box;
        EXPECT_EQ(form.sliderTop(c.group, c.box), static_cast<int>(15 * c.pointer));
    }
}

TEST(EffectsDialogValues, DragsOffTheTrackAreIgnoredAndSlightlyAboveClampsToTheTop) {
    EffectsDialogValues form;
    EXPECT_FALSE(form.dragSlider(Effect::Echo, 0, 101));  // 1515 twips
    EXPECT_FALSE(form.dragSlider(Effect::Echo, 0, -1));
    EXPECT_EQ(form.text(Effect::Echo, 0), "8");
    EXPECT_TRUE(form.dragSlider(Effect::Echo, 0, -0.2));
    EXPECT_EQ(form.sliderTop(Effect::Echo, 0), 0);
    EXPECT_EQ(form.text(Effect::Echo, 0), "10");
}

TEST(EffectsDialogValues, ReleasingTheGargleSliderLimitsItsRate) {
    EffectsDialogValues form;
    form.dragSlider(Effect::Gargle, 0, 0);
    EXPECT_EQ(form.text(Effect::Gargle, 0), "0");
    form.releaseSlider(Effect::Gargle, 0);
    EXPECT_EQ(form.text(Effect::Gargle, 0), "1");
}

TEST(EffectsDialogValues, PresetsExcludeEachOtherAndSetTheEqualiser) {
    EffectsDialogValues form;
    form.setNoiseReduction(true);
    EXPECT_EQ(form.text(Effect::Para, 0), "4000");
    EXPECT_EQ(form.text(Effect::Para, 1), "-14");
    EXPECT_EQ(form.text(Effect::Para, 2), "12");
    EXPECT_EQ(form.sliderTop(Effect::Para, 2), 600);
    form.setBassBoost(true);
    EXPECT_TRUE(form.bassBoost);
    EXPECT_FALSE(form.noiseReduction);
    EXPECT_EQ(form.text(Effect::Para, 0), "80");
    EXPECT_EQ(form.text(Effect::Para, 1), "14");
    EXPECT_EQ(form.sliderTop(Effect::Para, 1), 1440);
    form.setBassBoost(false);  // unchecking changes nothing else
    EXPECT_EQ(form.text(Effect::Para, 1), "14");
}

TEST(EffectsDialogValues, ParameterSetsComeFromTheBoxesTheirFieldsName) {
    EffectsDialogValues form;
    form.panDelay = true;
    form.gargleSine = true;
    std::array<bool, kEffectCount> enabled;
    enabled.fill(true);
    const auto s = form.settings(enabled, nullptr);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->enabled, enabled);
    EXPECT_FLOAT_EQ(s->echo.wetDryMix, 8);
    EXPECT_EQ(s->echo.panDelay, 1);
    EXPECT_FLOAT_EQ(s->compressor.gain, 32);
    EXPECT_FLOAT_EQ(s->compressor.attack, 312);
    EXPECT_FLOAT_EQ(s->compressor.release, 2280);
    EXPECT_FLOAT_EQ(s->compressor.threshold, -15);
    EXPECT_FLOAT_EQ(s->compressor.ratio, 78);
    EXPECT_FLOAT_EQ(s->compressor.predelay, 3);
    EXPECT_FLOAT_EQ(s->distortion.gain, -41);
    EXPECT_FLOAT_EQ(s->distortion.edge, 23);
    EXPECT_FLOAT_EQ(s->distortion.postEQCenterFrequency, 1940);
    EXPECT_FLOAT_EQ(s->distortion.postEQBandwidth, 200);
    EXPECT_FLOAT_EQ(s->paramEq.center, 2960);
    EXPECT_FLOAT_EQ(s->paramEq.bandwidth, 6);
    EXPECT_FLOAT_EQ(s->paramEq.gain, 10);
    EXPECT_FLOAT_EQ(s->chorus.feedback, -54);
    EXPECT_FLOAT_EQ(s->chorus.frequency, 2);
    EXPECT_EQ(s->chorus.phase, 0);
    EXPECT_FLOAT_EQ(s->flanger.wetDryMix, 76);
    EXPECT_FLOAT_EQ(s->flanger.depth, 77);
    EXPECT_FLOAT_EQ(s->flanger.delay, 3);
    EXPECT_EQ(s->flanger.phase, 3);
    EXPECT_EQ(s->gargle.rateHz, 190u);
    EXPECT_EQ(s->gargle.waveShape, fx::kGargleSquare);
    EXPECT_FLOAT_EQ(s->reverb.inGain, -24);
    EXPECT_FLOAT_EQ(s->reverb.reverbTime, 2300);
    EXPECT_NEAR(s->reverb.highFreqRTRatio, 0.769, 1e-6);

    form.setText(Effect::Flanger, 2, "deep");
    std::string error;
    EXPECT_FALSE(form.settings(enabled, &error).has_value());
    EXPECT_NE(error.find("Flanger"), std::string::npos);
    enabled[static_cast<int>(Effect::Flanger)] = false;  // a frame not in use
    EXPECT_TRUE(form.settings(enabled, &error).has_value());
}

TEST(EffectsDialogValuesDialog, LabelButtonsShowOneFrameAndClosingApplies) {
    EffectsDialogValues form;
    EffectsDialog dialog(form);
    dialog.show();
    QTest::mouseClick(dialog.frameButton(Effect::Reverb), Qt::LeftButton);
    EXPECT_EQ(dialog.currentFrame(), Effect::Reverb);

    QLineEdit* box = dialog.box(Effect::Reverb, 3);
    box->selectAll();
    QTest::keyClicks(box, "9000");
    EXPECT_EQ(form.text(Effect::Reverb, 3), "9000");
    dialog.close();
    EXPECT_EQ(form.text(Effect::Reverb, 3), "3000");
    EXPECT_EQ(box->text(), QStringLiteral("3000"));
}

TEST(EffectsDialogValuesDialog, WaveformPairsStayExclusiveAndSlidersFillTheirBox) {
    EffectsDialogValues form;
    EffectsDialog dialog(form);
    dialog.show();
    dialog.showFrame(Effect::Chorus);
    QTest::mouseClick(dialog.checkBox(EffectsDialog::Check::ChorusTriangle), Qt::LeftButton);
    EXPECT_FALSE(form.chorusSine);
    EXPECT_FALSE(dialog.checkBox(EffectsDialog::Check::ChorusSine)->isChecked());

    dialog.showFrame(Effect::Echo);
    EffectSlider* slider = dialog.slider(Effect::Echo, 1);
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(5, 0));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(5, 0));
    EXPECT_EQ(dialog.box(Effect::Echo, 1)->text(), QStringLiteral("10"));
}

TEST(EffectsDialogValues, ReadsATextOnlyWhenAllOfItIsANumber) {
    EXPECT_EQ(EffectsDialogValues::readNumber(" 12.5 "), 12.5);
    EXPECT_EQ(EffectsDialogValues::readNumber("-3"), -3);
    EXPECT_FALSE(EffectsDialogValues::readNumber("12dB").has_value());
    EXPECT_FALSE(EffectsDialogValues::readNumber("").has_value());
    EXPECT_FALSE(EffectsDialogValues::readNumber("+").has_value());
    EXPECT_FALSE(EffectsDialogValues::readNumber("1e999").has_value());
}

TEST(EffectsDialogValuesDialog, EscapeAppliesLikeTheCloseBox) {
    EffectsDialogValues form;
    EffectsDialog dialog(form);
    dialog.show();
    QLineEdit* box = dialog.box(Effect::Echo, 0);
    box->selectAll();
    QTest::keyClicks(box, "25");
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(form.text(Effect::Echo, 0), "10");
}

}  // namespace
}  // namespace qn
