#include "pages/system/display_set_page.h"

#include "model/parameter_defaults.h"
#include "pages/radio_buttons.h"
#include "settings/system/display_set_settings.h"

namespace tw::pages {
namespace {

using settings::display_set::kChoices;

constexpr int kFirstGroupId = 1700;
constexpr int kIdsPerGroup = 5;
constexpr int kDimmerId = 1740;
constexpr int kDimmerLabelId = 1741;
constexpr int kOsdShiftId = 1742;
constexpr int kOsdShiftLabelId = 1743;
constexpr int kDimmerBoxId = 1744;
constexpr int kOsdShiftBoxId = 1745;
constexpr int kDefaultButtonId = 1746;

std::size_t IndexOf(int number) {
  for (std::size_t i = 0; i < kChoices.size(); ++i) {
    if (kChoices[i] == number) return i;
  }
  return 0;
}

const ChoiceItem& ChoiceOf(std::size_t index) { return settings::DisplaySetSettings().Choice(kChoices[index]); }

ui::RadioGroup MakeGroup(std::size_t index) {
  const int frameId = kFirstGroupId + kIdsPerGroup * static_cast<int>(index);
  return ui::RadioGroup(frameId, std::string(ChoiceOf(index).key), Buttons(ChoiceOf(index), frameId + 1));
}

}  // namespace

DisplaySetPage::DisplaySetPage(const PageContext& context)
    : ItemPage(context, settings::DisplaySetSettings()),
      groups_{MakeGroup(0), MakeGroup(1), MakeGroup(2), MakeGroup(3), MakeGroup(4), MakeGroup(5), MakeGroup(6)},
      dimmer_(kDimmerId),
      dimmerLabel_(kDimmerLabelId),
      osdShift_(kOsdShiftId),
      osdShiftLabel_(kOsdShiftLabelId),
      dimmerBox_(kDimmerBoxId, "Dimmer"),
      osdShiftBox_(kOsdShiftBoxId, "OSD Shift"),
      default_(kDefaultButtonId, "Default") {
  for (std::size_t i = 0; i < kChoices.size(); ++i) Bind(ChoiceOf(i), groups_[i]);
  Bind(settings().Level(settings::display_set::kOsdShift), osdShift_, &osdShiftLabel_);
  Bind(settings().Level(settings::display_set::kDimmer), dimmer_, &dimmerLabel_);
  default_.onClicked = [this] {
    ResetPage([](model::ParameterImage& image) { image.displaySet = model::kDisplaySetDefaults; });
  };

  auto item = [this](int number) { return ui::Item(group(number)); };
  SetLayout(ui::Column({
      ui::Row({ui::Group(dimmerBox_, {ui::Row({ui::Item(dimmer_), ui::Item(dimmerLabel_)})}),
               ui::Group(osdShiftBox_, {ui::Row({ui::Item(osdShift_), ui::Item(osdShiftLabel_)})})}),
      ui::Row({item(526), item(527), item(528)}),
      ui::Row({item(517), item(518), item(519), item(521)}),
      ui::Item(default_),
  }));
}

ui::RadioGroup& DisplaySetPage::group(int number) { return groups_[IndexOf(number)]; }

void DisplaySetPage::RestoreFocus() {
  for (ui::RadioGroup& radios : groups_) RestoreRadioFocus(radios);
}

}  // namespace tw::pages
