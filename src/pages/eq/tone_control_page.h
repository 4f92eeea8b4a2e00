#pragma once

#include <array>

#include "pages/item_page.h"
#include "ui/controls/button.h"
#include "ui/controls/group_box.h"

namespace tw::pages {

// Tone Control (289..306): tone bypass, bass and treble for the speakers, the headphones and
// the two extra zones, the LFE levels, the audio delay and the dynamic range. The bass and
// treble turnovers (290, 292, 294, 296) have no control: they travel inside the speaker and
// headphone gain commands and are never sent on their own, but are filed and reported.
class ToneControlPage final : public ItemPage {
 public:
  // The page's reset buttons: "Flat" under Speaker, Headphone, Zone2, Zone3 and LFE Level,
  // "Default" under Audio Delay and Dynamic Range.
  enum class Reset { Speaker, Headphone, Zone2, Zone3, Lfe, AudioDelay, DynamicRange };

  explicit ToneControlPage(const PageContext& context);

  ui::Button& resetButton(Reset reset) { return resets_[static_cast<std::size_t>(reset)]; }

 private:
  void reset(Reset which);

  std::array<ui::Button, 7> resets_;
  std::array<ui::GroupBox, 7> boxes_;
};

}  // namespace tw::pages
