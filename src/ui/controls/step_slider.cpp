#include "ui/controls/step_slider.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace tw::ui {

void StepSlider::Setup(int minValue, int maxValue, int step, int initialValue) {
  step_ = std::max(step, 1);
  setRange(minValue / step_, maxValue / step_);
  setPageSize(1);
  SetValue(initialValue);
}

int StepSlider::GetValue() const {
  return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{position()} * step_, INT_MIN, INT_MAX));
}

}  // namespace tw::ui
