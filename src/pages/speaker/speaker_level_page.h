#pragma once

#include <array>

#include "pages/item_page.h"
#include "ui/controls/button.h"
#include "ui/controls/level_slider.h"
#include "ui/controls/static_text.h"

namespace tw::pages {

// Speaker Level: the level trim of each channel (268..277), one vertical slider with its
// readout per channel, and "Default".
class SpeakerLevelPage final : public ItemPage {
 public:

  explicit SpeakerLevelPage(const PageContext& context);

  // The slider and readout of parameter 268..277; FL's for any other number.
  ui::LevelSlider& slider(int number);
  ui::ValueLabel& label(int number);
  ui::Button& defaultButton() { return default_; }

 private:
  std::size_t indexOf(int number) const;

  std::array<ui::LevelSlider, 10> sliders_;
  std::array<ui::ValueLabel, 10> labels_;
  ui::Button default_;
};

}  // namespace tw::pages
