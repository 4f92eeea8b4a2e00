#pragma once

#include <array>

#include "pages/base_page.h"
#include "pages/view_hooks.h"
#include "settings/speaker/speaker_distance_settings.h"
#include "settings/speaker/speaker_values.h"
#include "ui/controls/button.h"
#include "ui/controls/level_slider.h"
#include "ui/controls/radio_group.h"
#include "ui/controls/static_text.h"

namespace tw::pages {

namespace speaker = settings::speaker;

// Speaker Distance: the distance of each speaker (279..288) in the unit of the block (278,
// metres or feet). The unit rescales the whole page, so the sliders' range is page state
// taken from the block on every RefreshAll; the unit can be changed on the page in Async
// Mode only, and changing it resets every distance to the new unit's default.
class SpeakerDistancePage final : public BasePage, public ModeAndUnitFollower {
 public:
  static constexpr int kUnitNumber = settings::speaker_distance::kUnit;

  explicit SpeakerDistancePage(const PageContext& context);

  // What the main view tells the page at start-up: whether the mode is Async Mode (only
  // then are the Unit buttons enabled) and the unit of the current image.
  void SetModeAndUnit(bool async, int unit) override;

  // The unit, range and Unit buttons from the block, then every slider and readout.
  void RefreshAll() override;
  // One distance (on the active page); a distance whose unit changed under the page
  // refreshes the whole page, so that no slider works in the wrong range.
  void RefreshItem(int number, bool update) override;
  void RestoreFocus() override;
  // The page's settings (the catalogue's Speaker Distance).

  int unit() const { return unit_; }
  const speaker::DistanceRange& range() const { return range_; }

  ui::RadioGroup& unitButtons() { return unitButtons_; }
  // The slider and readout of distance 279..288; FL's for any other number.
  ui::LevelSlider& slider(int number);
  ui::ValueLabel& label(int number);
  ui::Button& defaultButton() { return default_; }

 private:
  std::size_t indexOf(int number) const;
  void takeUnit(int unit);
  void showDistance(std::size_t index);
  void onUnitClicked(int index);
  void onDefault();
  void onSliderDraw(std::size_t index);

  int unit_ = speaker::kUnitMeter;
  speaker::DistanceRange range_;
  bool async_;
  ui::RadioGroup unitButtons_;
  std::array<ui::LevelSlider, 10> sliders_;
  std::array<ui::ValueLabel, 10> labels_;
  ui::Button default_;
};

}  // namespace tw::pages
