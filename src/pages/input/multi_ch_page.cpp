#include "pages/input/multi_ch_page.h"

#include "pages/radio_buttons.h"
#include "settings/input/multi_ch_settings.h"

namespace tw::pages {
namespace {

constexpr int kChannelsFrameId = 1520;
constexpr int kFirstChannelButtonId = 1521;
constexpr int kInputFrontId = 1523;
constexpr int kBgvId = 1524;

}  // namespace

MultiChPage::MultiChPage(const PageContext& context)
    : ItemPage(context, settings::MultiChSettings()),
      channels_(kChannelsFrameId, "MULTI CH", Buttons(settings().Choice(kChannels), kFirstChannelButtonId)),
      inputFront_(kInputFrontId),
      bgv_(kBgvId) {
  Bind(settings().Choice(kChannels), channels_);
  Bind(settings().Choice(kInputFront), inputFront_);
  Bind(settings().Choice(kBgv), bgv_);
  SetLayout(ui::Column({ui::Item(channels_), ui::Item("Input Front", inputFront_), ui::Item("BGV", bgv_)}));
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

void MultiChPage::RestoreFocus() { RestoreRadioFocus(channels_); }

}  // namespace tw::pages
