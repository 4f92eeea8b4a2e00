#pragma once

#include "pages/item_page.h"
#include "ui/controls/button.h"

namespace tw::pages {

// Speaker Level: the level trim of each channel (268..277), one vertical slider with its
// readout per channel, and "Default".
class SpeakerLevelPage final : public ItemPage {
 public:
  explicit SpeakerLevelPage(const PageContext& context);

  ui::Button& defaultButton() { return default_; }

 private:
  ui::Button default_;
};

}  // namespace tw::pages
