#pragma once

#include <vector>

#include "pages/item_page.h"
#include "pages/tuner/preset_picker.h"
#include "settings/tuner/xm_set_settings.h"
#include "ui/controls/button.h"
#include "ui/controls/edit_box.h"

namespace tw::pages {

// XM Set: 40 XM preset station numbers 0..255 (477..516), pages A..E of eight. A number
// typed into the box goes to the selected preset with "Enter"; "Default" sets every preset
// to 1. The presets exist only on receivers with XM: without it their controls are disabled,
// the list is hidden and nothing is sent.
class XmSetPage final : public ItemPage {
 public:
  static constexpr int kFirstNumber = settings::xm_set::kFirstNumber;

  explicit XmSetPage(const PageContext& context);

  void RefreshAll() override;
  // Only a number the list shows changes the screen.
  void RefreshItem(int number, bool update) override;
  void UpdateControlStates() override;

  // The number of the selected preset; 0 for none.
  int SelectedNumber() const;
  // The eight presets of the selected page.
  std::vector<int> ShownNumbers() const;

  PresetPicker& picker() { return picker_; }
  ui::EditBox& numberEdit() { return number_; }
  ui::Button& enterButton() { return enter_; }
  ui::Button& defaultButton() { return default_; }

 protected:
  void InitControls() override;

 private:
  void showPage();
  void showSelected();
  void enter();

  PresetPicker picker_;
  ui::EditBox number_;
  ui::Button enter_;
  ui::Button default_;
};

}  // namespace tw::pages
