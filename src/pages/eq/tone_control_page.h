#pragma once

#include <array>

#include "pages/item_page.h"
#include "ui/controls/button.h"
#include "ui/controls/combo_box.h"
#include "ui/controls/group_box.h"
#include "ui/controls/level_slider.h"
#include "ui/controls/radio_group.h"
#include "ui/controls/static_text.h"

namespace tw::pages {

// Tone Control (289..306): tone bypass, bass and treble for the speakers, the headphones and
// the two extra zones, the LFE levels, the audio delay and the dynamic range. The bass and
// treble turnovers (290, 292, 294, 296) have no control: they travel inside the speaker and
// headphone gain commands and are never sent on their own, but are filed and reported.
class ToneControlPage final : public ItemPage {
 public:
  static constexpr int kSliderCount = 11;  // 291, 293, 295, 297 .. 304

  // The page's reset buttons: "Flat" under Speaker, Headphone, Zone2, Zone3 and LFE Level,
  // "Default" under Audio Delay and Dynamic Range.
  enum class Reset { Speaker, Headphone, Zone2, Zone3, Lfe, AudioDelay, DynamicRange };

  explicit ToneControlPage(const PageContext& context);


  ui::ListCombo& bypassList() { return bypass_; }
  // The slider and readout of 291, 293, 295, 297 or 298..304; 291's for any other number.
  ui::LevelSlider& slider(int number);
  ui::ValueLabel& label(int number);
  // The radio group of 305 (speaker) or 306 (headphone).
  ui::RadioGroup& dynamicRange(int number) { return number == 306 ? rangeHeadphone_ : rangeSpeaker_; }
  ui::Button& resetButton(Reset reset) { return resets_[static_cast<std::size_t>(reset)]; }

 private:
  std::size_t indexOf(int number) const;
  void reset(Reset which);

  ui::ListCombo bypass_;
  std::array<ui::LevelSlider, kSliderCount> sliders_;
  std::array<ui::ValueLabel, kSliderCount> labels_;
  ui::RadioGroup rangeSpeaker_;
  ui::RadioGroup rangeHeadphone_;
  std::array<ui::Button, 7> resets_;
  std::array<ui::GroupBox, 7> boxes_;
};

}  // namespace tw::pages
