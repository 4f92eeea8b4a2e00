#include "pages/system/other_page.h"

#include "pages/radio_buttons.h"
#include "settings/system/other_settings.h"

namespace tw::pages {
namespace {

constexpr int kFirstNumber = 532;

// The frames of the groups, in number order.
constexpr std::array<std::string_view, 3> kFrames = {"Audio Select Set", "Decoder Mode Set", "HDMI Support Audio"};

constexpr int kFirstGroupId = 1800;
constexpr int kIdsPerGroup = 3;

ui::RadioGroup MakeGroup(std::size_t index) {
  const int frameId = kFirstGroupId + kIdsPerGroup * static_cast<int>(index);
  const ChoiceItem& item = settings::OtherSettings().Choice(kFirstNumber + static_cast<int>(index));
  return ui::RadioGroup(frameId, std::string(kFrames[index]), Buttons(item, frameId + 1));
}

}  // namespace

OtherPage::OtherPage(const PageContext& context)
    : ItemPage(context, settings::OtherSettings()), groups_{MakeGroup(0), MakeGroup(1), MakeGroup(2)} {
  for (std::size_t i = 0; i < groups_.size(); ++i) {
    Bind(settings().Choice(kFirstNumber + static_cast<int>(i)), groups_[i]);
  }
  SetLayout(ui::Column({ui::Row({ui::Item(groups_[0]), ui::Item(groups_[1])}), ui::Item(groups_[2])}));
}

ui::RadioGroup& OtherPage::group(int number) {
  const int index = number - kFirstNumber;
  return groups_[index >= 0 && index < static_cast<int>(groups_.size()) ? static_cast<std::size_t>(index) : 0];
}

void OtherPage::RestoreFocus() {
  for (ui::RadioGroup& radios : groups_) RestoreRadioFocus(radios);
}

}  // namespace tw::pages
