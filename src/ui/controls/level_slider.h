#pragma once

#include "settings/setting_items.h"
#include "ui/controls/slider.h"
#include "ui/controls/static_text.h"

#include <string>
#include <string_view>

namespace tw::ui {

// How a level slider writes its label: a plain value with its unit, or a volume, whose
// lowest step reads "Mute".
enum class LevelStyle { Plain = 0, Volume = 1 };

using settings::kMuteVolume;
using settings::LevelText;
using settings::VolumeText;

// A vertical slider for a value in tenths of its unit, largest value at the top: the
// position runs the other way to the value, so position = (min + max) - value / step.
class LevelSlider : public Slider {
 public:
  explicit LevelSlider(int id) : Slider(id, Orientation::Vertical) {}
  ControlKind kind() const override { return ControlKind::LevelSlider; }

  // Positions minValue / step .. maxValue / step (a step below 1 counts as 1), a page of one
  // position, then SetValue(initialValue). `label` may be null.
  void Setup(StaticText* label, std::string unit, int minValue, int maxValue, int step, int initialValue,
             LevelStyle style);
  // Programmatic: moves to the position of `value` and writes the label for `value`.
  void SetValue(int value);
  int GetValue() const override;

  // The label text for `value` in this slider's style and unit.
  std::string LabelText(int value) const;
  // Writes the label for the current value (what the page's custom-draw handler shows).
  void ShowValue();

  StaticText* label() const { return label_; }
  const std::string& unit() const { return unit_; }
  int step() const { return step_; }
  LevelStyle style() const { return style_; }

 protected:
  int positionOf(int value) const override;

 private:
  StaticText* label_ = nullptr;
  std::string unit_;
  int step_ = 1;
  LevelStyle style_ = LevelStyle::Plain;
};

}  // namespace tw::ui
