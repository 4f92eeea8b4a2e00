#pragma once

#include "pages/item_page.h"

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

 protected:
  void OnStored(int number) override;
};

}  // namespace tw::pages
