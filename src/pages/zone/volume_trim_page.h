#pragma once

#include "pages/item_page.h"
#include "ui/controls/button.h"
#include "ui/controls/list_view.h"

namespace tw::pages {

// Volume Trim: a level trim per input (383..396, -6.0 .. +6.0 dB), one horizontal slider
// each, a list of every input's trim, and "Flat". The block holds the trims the other way
// round (DOCK first); the model's setters take care of that.
class VolumeTrimPage final : public ItemPage {
 public:
  static constexpr int kInputCount = 14;

  explicit VolumeTrimPage(const PageContext& context);

  // One row per input in number order: the input, then " -1.5dB".
  ui::ListView& trimList() { return list_; }
  ui::Button& flatButton() { return flat_; }

 private:
  ui::ListView list_;
  ui::Button flat_;
};

}  // namespace tw::pages
