#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "pages/item_page.h"
#include "settings/input/input_dsp_settings.h"
#include "ui/controls/button.h"
#include "ui/controls/combo_box.h"
#include "ui/controls/list_view.h"
#include "ui/controls/radio_group.h"

namespace tw::pages {

// Input DSP: the sound program the receiver recalls for each input (212, 214, .., 234, one
// per input PHONO .. XM): a sound program 0..23, an enhancer 24..27 or Straight 28. The
// page works offline only (Async Mode): an edit is stored and goes out with the next
// download, which selects each input in turn and gives it its program.
class InputDspPage final : public ItemPage {
 public:
  static constexpr int kFirstNumber = settings::input_dsp::kFirstNumber;
  static constexpr int kInputCount = settings::input_dsp::kInputCount;

  explicit InputDspPage(const PageContext& context);

  // The item of input `input` (0..11).
  static constexpr int NumberOf(int input) { return kFirstNumber + 2 * input; }

  void RefreshAll() override;
  // Also shows the setting in the buttons and lists when it is the selected input's.
  void RefreshItem(int number, bool update) override;
  void UpdateControlStates() override;
  // Never sends on its own.
  void SendItem(int /*number*/, int /*subIndex*/ = -1) override {}

  ui::ListView& inputs() { return inputs_; }
  ui::RadioGroup& selector() { return selector_; }
  ui::ListCombo& programs() { return programs_; }
  ui::ListCombo& enhancers() { return enhancers_; }
  ui::Button& defaultButton() { return default_; }

 protected:
  void InitControls() override;

 private:
  int selectedInput() const;
  void showSelected();
  // Stores `value` for the selected input, and for an enhancer the same enhancer for every
  // input that uses that enhancer family.
  void storeSetting(std::int32_t value);
  void store(int input, std::int32_t value);
  // The main form follows when `input` is the receiver's current input.
  void followCurrentInput(int input);
  void resetToDefaults();

  ui::ListView inputs_;
  ui::RadioGroup selector_;
  ui::ListCombo programs_;
  ui::ListCombo enhancers_;
  ui::Button default_;
};

}  // namespace tw::pages
