#pragma once

#include "pages/item_page.h"
#include "ui/controls/button.h"
#include "ui/controls/group_box.h"

namespace tw::pages {

// Display Set: the front display and the on-screen display (517..528). Two step sliders
// (Dimmer, OSD Shift) with their readouts, seven radio groups (Short Message keeps a hidden
// "Full" button), and "Default". A download sends OSD Shift before Gray Back.
class DisplaySetPage final : public ItemPage {
 public:
  explicit DisplaySetPage(const PageContext& context);

  ui::Button& defaultButton() { return default_; }

 private:
  ui::GroupBox dimmerBox_;
  ui::GroupBox osdShiftBox_;
  ui::Button default_;
};

}  // namespace tw::pages
