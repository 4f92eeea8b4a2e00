#pragma once

#include "pages/item_page.h"
#include "ui/controls/static_text.h"

namespace tw::pages {

// Advanced Setup: settings of the receiver's advanced setup menu (535..545), one radio group
// each. Which groups exist depends on the tuner region, the receiver's XM capability and,
// in Async Mode, what only a connected receiver can do (the two resets). User Preset
// "Reset" (a factory reset) and Video Reset "Yes" ask first; Cancel sends the first button.
class AdvancedSetupPage final : public ItemPage {
 public:

  explicit AdvancedSetupPage(const PageContext& context);

  const ui::StaticText& note() const { return note_; }

  // XM ID shows only on a receiver with XM; while connected or transferring, the tuner
  // region decides whether Speaker Impedance and Tuner Frequency Step show.
  void UpdateAvailability() override;
  // Async Mode: the resets cannot be used, and the tuner region hides groups and fixes
  // Tuner Frequency Step (stored, not sent).
  void UpdateControlStates() override;

 protected:
  bool ConfirmChoice(int number, int index) override;

 private:
  void setShown(int number, bool shown);

  ui::StaticText note_;
};

}  // namespace tw::pages
