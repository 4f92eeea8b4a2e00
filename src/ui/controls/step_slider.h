#pragma once

#include "ui/controls/slider.h"

namespace tw::ui {

// A slider whose position is value / step (not inverted); horizontal unless told otherwise.
class StepSlider : public Slider {
 public:
  explicit StepSlider(int id) : Slider(id, Orientation::Horizontal) {}
  ControlKind kind() const override { return ControlKind::StepSlider; }

  // Positions minValue / step .. maxValue / step (a step below 1 counts as 1), a page of one
  // position, position initialValue / step.
  void Setup(int minValue, int maxValue, int step, int initialValue);
  void SetValue(int value) { setPosition(positionOf(value)); }
  int GetValue() const override;

  int step() const { return step_; }

 protected:
  int positionOf(int value) const override { return value / step_; }

 private:
  int step_ = 1;
};

}  // namespace tw::ui
