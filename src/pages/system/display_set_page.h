#pragma once

#include <array>
#include <string_view>

#include "pages/item_page.h"
#include "ui/controls/button.h"
#include "ui/controls/group_box.h"
#include "ui/controls/radio_group.h"
#include "ui/controls/static_text.h"
#include "ui/controls/step_slider.h"

namespace tw::pages {

// Display Set: the front display and the on-screen display (517..528). Two step sliders
// (Dimmer, OSD Shift) with their readouts, seven radio groups (Short Message keeps a hidden
// "Full" button), and "Default". A download sends OSD Shift before Gray Back.
class DisplaySetPage final : public ItemPage {
 public:

  explicit DisplaySetPage(const PageContext& context);

  // The radio group of a choice parameter (517, 518, 519, 521, 526, 527, 528); the first
  // group for any other number.
  ui::RadioGroup& group(int number);
  ui::StepSlider& dimmer() { return dimmer_; }
  ui::StepSlider& osdShift() { return osdShift_; }
  ui::ValueLabel& dimmerLabel() { return dimmerLabel_; }
  ui::ValueLabel& osdShiftLabel() { return osdShiftLabel_; }
  ui::Button& defaultButton() { return default_; }

  void RestoreFocus() override;

 private:
  std::array<ui::RadioGroup, 7> groups_;
  ui::StepSlider dimmer_;
  ui::ValueLabel dimmerLabel_;
  ui::StepSlider osdShift_;
  ui::ValueLabel osdShiftLabel_;
  ui::GroupBox dimmerBox_;
  ui::GroupBox osdShiftBox_;
  ui::Button default_;
};

}  // namespace tw::pages
