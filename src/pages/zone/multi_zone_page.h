#pragma once

#include <array>

#include "pages/item_page.h"
#include "ui/controls/group_box.h"

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

 protected:
  // An amplifier that the other zone's amplifier refuses.
  bool AcceptChoice(int number, std::int32_t value, std::int32_t previous) override;
  void OnStored(int number) override;

 private:
  void applyVolumeOutRule(int zone);

  std::array<ui::GroupBox, 2> boxes_;  // Zone2, Zone3
};

}  // namespace tw::pages
