#include "pages/input/multi_ch_page.h"

#include "settings/input/multi_ch_settings.h"

namespace tw::pages {
namespace {

constexpr int kChannelsFrameId = 1520;  // its buttons 1521 and 1522
constexpr int kInputFrontId = 1523;
constexpr int kBgvId = 1524;

}  // namespace

MultiChPage::MultiChPage(const PageContext& context)
    : ItemPage(context, settings::MultiChSettings()) {
  SetLayout(ui::Column({ui::Item(MakeRadios(kChannels, kChannelsFrameId, "MULTI CH")),
                        ui::Item("Input Front", MakeList(kInputFront, kInputFrontId)),
                        ui::Item("BGV", MakeList(kBgv, kBgvId))}));
}

void MultiChPage::UpdateControlStates() {
  SetItemEnabled(kInputFront, Value(kChannels) == settings::multi_ch::kEightChannels);
}

void MultiChPage::OnStored(int number) {
  if (number == kChannels) UpdateControlStates();
}

void MultiChPage::SendItem(int number, int subIndex) {
  if (number == kInputFront && Value(kChannels) != settings::multi_ch::kEightChannels) return;
  ItemPage::SendItem(number, subIndex);
}

}  // namespace tw::pages
