#pragma once

#include <array>

#include "pages/item_page.h"
#include "ui/controls/button.h"
#include "ui/controls/list_view.h"
#include "ui/controls/step_slider.h"

namespace tw::pages {

// Volume Trim: a level trim per input (383..396, -6.0 .. +6.0 dB), one horizontal slider
// each, a list of every input's trim, and "Flat". The block holds the trims the other way
// round (DOCK first); the model's setters take care of that.
class VolumeTrimPage final : public ItemPage {
 public:
  static constexpr int kInputCount = 14;

  explicit VolumeTrimPage(const PageContext& context);

  // The slider of parameter 383..396; PHONO's for any other number.
  ui::StepSlider& slider(int number);
  // One row per input in number order: the input, then " -1.5dB".
  ui::ListView& list() { return list_; }
  ui::Button& flatButton() { return flat_; }

 private:
  std::array<ui::StepSlider, kInputCount> sliders_;
  ui::ListView list_;
  ui::Button flat_;
};

}  // namespace tw::pages
