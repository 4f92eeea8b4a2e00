#pragma once

#include <array>
#include <string>

#include "pages/item_page.h"
#include "ui/controls/button.h"
#include "ui/controls/combo_box.h"
#include "ui/controls/group_box.h"
#include "ui/controls/level_slider.h"
#include "ui/controls/static_text.h"
#include "ui/controls/step_slider.h"

namespace tw::pages {

// Multi Zone: input, amplifier, volume out, volume, mute and balance of Zone2 (15..19, 25)
// and Zone3 (20..24, 26). A zone the receiver lacks keeps its values (files carry them) but
// its controls are disabled and nothing of it is sent or queued.
//
// The zones never share an internal amplifier output: a choice that the settings refuse
// brings the previous amplifier back, in the list and in the image (a file or `set` that
// asks for such a pair leaves the amplifier unchanged). Volume Out is chosen only with
// an External amplifier; in Async Mode an internal amplifier puts it back to VAR.
class MultiZonePage final : public ItemPage {
 public:

  explicit MultiZonePage(const PageContext& context);

  // Volume Out of each zone is enabled only with an External amplifier (and the zone); in
  // Async Mode an internal amplifier writes VAR into the image.
  void UpdateControlStates() override;

  // The controls of Zone2 (zone 0) and Zone3 (zone 1); any other zone gives Zone3's.
  ui::ListCombo& input(int zone) { return controls(zone).input; }
  ui::ListCombo& amplifier(int zone) { return controls(zone).amplifier; }
  ui::ListCombo& volumeOut(int zone) { return controls(zone).volumeOut; }
  ui::LevelSlider& volume(int zone) { return controls(zone).volume; }
  ui::ValueLabel& volumeLabel(int zone) { return controls(zone).volumeLabel; }
  ui::CheckBox& mute(int zone) { return controls(zone).mute; }
  ui::StepSlider& balance(int zone) { return controls(zone).balance; }
  ui::ValueLabel& balanceLabel(int zone) { return controls(zone).balanceLabel; }

 protected:
  // An amplifier that the other zone's amplifier refuses.
  bool AcceptChoice(int number, std::int32_t value, std::int32_t previous) override;
  void OnStored(int number) override;

 private:
  struct ZoneControls {
    ZoneControls(int firstId, std::string caption);
    ui::GroupBox box;
    ui::ListCombo input;
    ui::ListCombo amplifier;
    ui::ListCombo volumeOut;
    ui::LevelSlider volume;
    ui::ValueLabel volumeLabel;
    ui::CheckBox mute;
    ui::StepSlider balance;
    ui::ValueLabel balanceLabel;
  };

  ZoneControls& controls(int zone) { return zones_[zone == 0 ? 0 : 1]; }
  void applyVolumeOutRule(int zone);

  std::array<ZoneControls, 2> zones_;
};

}  // namespace tw::pages
