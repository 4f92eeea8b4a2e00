#pragma once

#include "pages/item_page.h"
#include "settings/input/multi_ch_settings.h"

namespace tw::pages {

// MULTI CH: the multichannel input (529..531). With 8ch the front channels come from
// another input (Input Front), which is offered and sent only then; BGV is the picture
// shown with it.
class MultiChPage final : public ItemPage {
 public:
  static constexpr int kChannels = settings::multi_ch::kChannels;
  static constexpr int kInputFront = settings::multi_ch::kInputFront;
  static constexpr int kBgv = settings::multi_ch::kBgv;

  explicit MultiChPage(const PageContext& context);

  // Input Front is enabled only for 8ch.
  void UpdateControlStates() override;
  // With 6ch the front input is only stored: nothing at all goes out for it.
  void SendItem(int number, int subIndex = -1) override;


 protected:
  void OnStored(int number) override;
};

}  // namespace tw::pages
