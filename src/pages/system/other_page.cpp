#include "pages/system/other_page.h"

#include "pages/radio_buttons.h"

namespace tw::pages {
namespace {

constexpr int kFirstNumber = 532;

constexpr std::array<std::string_view, 2> kAutoLast = {"Auto", "Last"};
constexpr std::array<std::string_view, 2> kSupportTexts = {"TQ-N4400", "Other"};
constexpr std::array<std::string_view, 2> kCodes = {"0", "1"};

struct OtherGroup {
  ChoiceItem item;
  std::string_view caption;  // the group's frame
};

constexpr std::array<OtherGroup, 3> kGroups = {{
    {{.number = 532, .key = "Audio Select Set", .texts = kAutoLast, .address = "2600", .codes = kCodes},
     "Audio Select Set"},
    {{.number = 533, .key = "Decoder Mode Set", .texts = kAutoLast, .address = "25F0", .codes = kCodes},
     "Decoder Mode Set"},
    {{.number = 534, .key = "Support Audio", .texts = kSupportTexts, .address = "28F0", .codes = kCodes},
     "HDMI Support Audio"},
}};

constexpr int kFirstGroupId = 1800;
constexpr int kIdsPerGroup = 3;

ui::RadioGroup MakeGroup(std::size_t index) {
  const int frameId = kFirstGroupId + kIdsPerGroup * static_cast<int>(index);
  return ui::RadioGroup(frameId, std::string(kGroups[index].caption), Buttons(kGroups[index].item, frameId + 1));
}

}  // namespace

COtherPage::COtherPage(const PageContext& context)
    : CItemPage(context, std::string(kCaption), kTemplateId), groups_{MakeGroup(0), MakeGroup(1), MakeGroup(2)} {
  for (std::size_t i = 0; i < kGroups.size(); ++i) Bind(kGroups[i].item, groups_[i]);
  SetLayout(ui::Column({ui::Row({ui::Item(groups_[0]), ui::Item(groups_[1])}), ui::Item(groups_[2])}));
}

ui::RadioGroup& COtherPage::group(int number) {
  const int index = number - kFirstNumber;
  return groups_[index >= 0 && index < static_cast<int>(groups_.size()) ? static_cast<std::size_t>(index) : 0];
}

void COtherPage::RestoreFocus() {
  for (ui::RadioGroup& radios : groups_) RestoreRadioFocus(radios);
}

}  // namespace tw::pages
