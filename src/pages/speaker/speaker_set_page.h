#pragma once

#include <array>

#include "pages/item_page.h"
#include "ui/controls/radio_group.h"

namespace tw::pages {

// Speaker Set: which speakers exist and how they are used, one radio group per parameter
// (427..435). Surround decides what else can be chosen (UpdateControlStates).
class SpeakerSetPage final : public ItemPage {
 public:

  explicit SpeakerSetPage(const PageContext& context);

  // Without surround speakers there are no surround back speakers, in both modes; in Async
  // Mode Center, Presence and LFE/Bass Out are also fixed (None, None, Front). Forced values
  // are stored, not sent.
  void UpdateControlStates() override;
  // A two-button group whose focused button is not the selected one moves its focus there.
  void RestoreFocus() override;

  // The radio group of parameter 427..435; the Front group for any other number.
  ui::RadioGroup& group(int number);

 protected:
  void OnStored(int number) override;

 private:
  std::array<ui::RadioGroup, 9> groups_;
};

}  // namespace tw::pages
