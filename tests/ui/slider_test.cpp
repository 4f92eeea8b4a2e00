#include "ui/controls/level_slider.h"
#include "ui/controls/static_text.h"
#include "ui/controls/step_slider.h"

#include <gtest/gtest.h>

#include <climits>

using namespace tw::ui;

TEST(LevelSliderMapping, SymmetricRangeShowsZeroInTheMiddleAndTheMaximumAtTheTop) {
  ValueLabel label(1100);
  LevelSlider slider(1101);
  slider.Setup(&label, "dB", -100, 100, 5, 0, LevelStyle::Plain);
  EXPECT_EQ(slider.minPosition(), -20);
  EXPECT_EQ(slider.maxPosition(), 20);
  EXPECT_EQ(slider.position(), 0);  // the middle
  EXPECT_EQ(label.text(), "0.0dB");

  slider.SetValue(100);
  EXPECT_EQ(slider.position(), slider.minPosition());  // the top of a vertical trackbar
  EXPECT_EQ(slider.GetValue(), 100);
  EXPECT_EQ(label.text(), "10.0dB");

  slider.SetValue(-100);
  EXPECT_EQ(slider.position(), slider.maxPosition());
  EXPECT_EQ(slider.GetValue(), -100);
  EXPECT_EQ(label.text(), "-10.0dB");
  EXPECT_EQ(slider.orientation(), Orientation::Vertical);
}

TEST(LevelSliderMapping, VolumeRunsFromMuteAtTheBottomToSixteenDecibelsAtTheTop) {
  ValueLabel label(1004);
  LevelSlider volume(1018);
  volume.Setup(&label, "dB", -805, 160, 5, -805, LevelStyle::Volume);
  EXPECT_EQ(volume.minPosition(), -161);
  EXPECT_EQ(volume.maxPosition(), 32);
  EXPECT_EQ(volume.position(), 32);
  EXPECT_EQ(label.text(), "Mute");

  volume.SetValue(160);
  EXPECT_EQ(volume.position(), -161);
  EXPECT_EQ(label.text(), "16.0dB");
  volume.SetValue(0);
  EXPECT_EQ(volume.GetValue(), 0);
  EXPECT_EQ(label.text(), "0.0dB");
  volume.SetValue(-125);
  EXPECT_EQ(label.text(), "-12.5dB");
  volume.SetValue(-800);
  EXPECT_EQ(volume.position(), 31);
  EXPECT_EQ(label.text(), "-80.0dB");
}

TEST(LevelSliderMapping, ValuesBetweenStepsTruncateTowardZero) {
  LevelSlider slider(1);
  slider.Setup(nullptr, "dB", -100, 100, 5, 0, LevelStyle::Plain);
  slider.SetValue(12);
  EXPECT_EQ(slider.GetValue(), 10);
  slider.SetValue(-12);
  EXPECT_EQ(slider.GetValue(), -10);
  slider.SetValue(-803);  // beyond the range: the bottom end
  EXPECT_EQ(slider.GetValue(), -100);
  slider.SetValue(1000);
  EXPECT_EQ(slider.GetValue(), 100);
}

TEST(LevelSliderLabels, PlainStyleWritesTenthsWithTheUnitAndTheSignOfSmallNegatives) {
  EXPECT_EQ(LevelText(-5, "dB"), "-0.5dB");
  EXPECT_EQ(LevelText(5, "dB"), "0.5dB");
  EXPECT_EQ(LevelText(-105, "dB"), "-10.5dB");
  EXPECT_EQ(LevelText(35, "ms"), "3.5ms");
  EXPECT_EQ(LevelText(0, ""), "0.0");
  EXPECT_EQ(LevelText(INT_MIN, "dB"), "-214748364.8dB");
  EXPECT_EQ(VolumeText(-805), "Mute");
  EXPECT_EQ(VolumeText(-800), "-80.0dB");
  EXPECT_EQ(VolumeText(160), "16.0dB");

  ValueLabel label(2);
  LevelSlider plain(1);
  plain.Setup(&label, "dB", -805, 160, 5, -805, LevelStyle::Plain);
  EXPECT_EQ(label.text(), "-80.5dB");  // only the volume style reads "Mute"
}

TEST(LevelSliderLabels, ShowValueWritesTheLabelOfTheThumbPosition) {
  ValueLabel label(2);
  LevelSlider slider(1);
  slider.Setup(&label, "dB", -100, 100, 5, 0, LevelStyle::Plain);
  slider.dragToPosition(-4);  // a user drag changes the position, not the label
  EXPECT_EQ(label.text(), "0.0dB");
  slider.ShowValue();
  EXPECT_EQ(label.text(), "2.0dB");
}

TEST(LevelSliderLabels, ValueLabelsAreGreenOnBlack) {
  EXPECT_EQ(ValueLabel::kTextColor, (Rgb{0, 250, 0}));
  EXPECT_EQ(ValueLabel::kBackgroundColor, (Rgb{0, 0, 0}));
  EXPECT_EQ(ValueLabel(1).kind(), ControlKind::ValueLabel);
}

TEST(StepSliderMapping, PositionIsValueOverStepNotInverted) {
  StepSlider trim(1);
  trim.Setup(-60, 60, 5, -60);
  EXPECT_EQ(trim.minPosition(), -12);
  EXPECT_EQ(trim.maxPosition(), 12);
  EXPECT_EQ(trim.position(), -12);
  trim.SetValue(0);
  EXPECT_EQ(trim.position(), 0);
  trim.SetValue(60);
  EXPECT_EQ(trim.position(), 12);
  EXPECT_EQ(trim.GetValue(), 60);
  trim.SetValue(-7);
  EXPECT_EQ(trim.GetValue(), -5);
  EXPECT_EQ(trim.orientation(), Orientation::Horizontal);

  StepSlider dimmer(2);
  dimmer.Setup(-4, 0, 1, -4);
  EXPECT_EQ(dimmer.GetValue(), -4);
  dimmer.drag(0);
  EXPECT_EQ(dimmer.GetValue(), 0);
}

TEST(SliderSafety, ExtremeAndNonsenseArgumentsStayInRange) {
  LevelSlider level(1);
  level.Setup(nullptr, "dB", -100, 100, 0, INT_MIN, LevelStyle::Plain);  // a step of 0 counts as 1
  EXPECT_EQ(level.step(), 1);
  EXPECT_EQ(level.GetValue(), -100);
  level.SetValue(INT_MAX);
  EXPECT_EQ(level.GetValue(), 100);

  StepSlider step(2);
  step.Setup(60, -60, -5, INT_MAX);  // reversed ends, negative step
  EXPECT_EQ(step.minPosition(), -60);
  EXPECT_EQ(step.maxPosition(), 60);
  EXPECT_EQ(step.GetValue(), 60);
  step.SetValue(INT_MIN);
  EXPECT_EQ(step.GetValue(), -60);
}
