#include "pages/system/display_set_page.h"

#include "model/parameter_defaults.h"
#include "settings/system/display_set_settings.h"

namespace tw::pages {
namespace {

using settings::display_set::kChoices;
using settings::display_set::kDimmer;
using settings::display_set::kOsdShift;

constexpr int kFirstGroupId = 1700;
constexpr int kIdsPerGroup = 5;
constexpr int kDimmerId = 1740;
constexpr int kDimmerLabelId = 1741;
constexpr int kOsdShiftId = 1742;
constexpr int kOsdShiftLabelId = 1743;
constexpr int kDimmerBoxId = 1744;
constexpr int kOsdShiftBoxId = 1745;
constexpr int kDefaultButtonId = 1746;

}  // namespace

DisplaySetPage::DisplaySetPage(const PageContext& context)
    : ItemPage(context, settings::DisplaySetSettings()),
      dimmerBox_(kDimmerBoxId, "Dimmer"),
      osdShiftBox_(kOsdShiftBoxId, "OSD Shift"),
      default_(kDefaultButtonId, "Default") {
  for (std::size_t i = 0; i < kChoices.size(); ++i) {
    const int frameId = kFirstGroupId + kIdsPerGroup * static_cast<int>(i);
    MakeRadios(kChoices[i], frameId, std::string(settings().Choice(kChoices[i]).key));
  }
  MakeStepSlider(kOsdShift, kOsdShiftId, kOsdShiftLabelId);
  MakeStepSlider(kDimmer, kDimmerId, kDimmerLabelId);
  default_.onClicked = [this] {
    ResetPage([](model::ParameterImage& image) { image.displaySet = model::kDisplaySetDefaults; });
  };

  auto item = [this](int number) { return ui::Item(group(number)); };
  auto slider = [this](ui::GroupBox& box, int number) {
    return ui::Group(box, {ui::Row({ui::Item(stepSlider(number)), ui::Item(label(number))})});
  };
  SetLayout(ui::Column({
      ui::Row({slider(dimmerBox_, kDimmer), slider(osdShiftBox_, kOsdShift)}),
      ui::Row({item(526), item(527), item(528)}),
      ui::Row({item(517), item(518), item(519), item(521)}),
      ui::Item(default_),
  }));
}

}  // namespace tw::pages
