#include "ui/controls/progress_bar.h"

#include <algorithm>

namespace tw::ui {

void ProgressBar::setRange(int low, int high) {
  low_ = low;
  high_ = std::max(low, high);
  notify(Change::Items);
  setPosition(position_);
}

void ProgressBar::setPosition(int position) {
  const int clamped = std::clamp(position, low_, high_);
  if (clamped == position_) return;
  position_ = clamped;
  notify(Change::Value);
}

}  // namespace tw::ui
