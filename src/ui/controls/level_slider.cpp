#include "ui/controls/level_slider.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace tw::ui {
namespace {

int ClampToInt(std::int64_t value) { return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX)); }

}  // namespace

void LevelSlider::Setup(StaticText* label, std::string unit, int minValue, int maxValue, int step,
                         int initialValue, LevelStyle style) {
  label_ = label;
  unit_ = std::move(unit);
  step_ = std::max(step, 1);
  style_ = style;
  setRange(minValue / step_, maxValue / step_);
  setPageSize(1);
  SetValue(initialValue);
}

int LevelSlider::positionOf(int value) const {
  // Division truncates toward zero, as the position formula requires.
  const std::int64_t position =
      std::int64_t{minPosition()} + maxPosition() + (-std::int64_t{value} / step_);
  return ClampToInt(position);
}

void LevelSlider::SetValue(int value) {
  setPosition(positionOf(value));
  if (label_ != nullptr) label_->setText(LabelText(value));
}

int LevelSlider::GetValue() const {
  return ClampToInt((std::int64_t{minPosition()} + maxPosition() - position()) * step_);
}

std::string LevelSlider::LabelText(int value) const {
  return style_ == LevelStyle::Volume ? VolumeText(value) : LevelText(value, unit_);
}

void LevelSlider::ShowValue() {
  if (label_ != nullptr) label_->setText(LabelText(GetValue()));
}

}  // namespace tw::ui
