#pragma once

#include "ui/controls/control.h"

namespace tw::ui {

// A progress bar; the position always lies within the range.
class ProgressBar : public Control {
 public:
  explicit ProgressBar(int id) : Control(id, {}) {}
  ControlKind kind() const override { return ControlKind::ProgressBar; }

  int low() const { return low_; }
  int high() const { return high_; }
  int position() const { return position_; }

  // A high end below the low end is taken as the low end.
  void setRange(int low, int high);
  void setPosition(int position);

 private:
  int low_ = 0;
  int high_ = 100;
  int position_ = 0;
};

}  // namespace tw::ui
