#include "pages/zone/volume_trim_page.h"

#include "settings/zone/volume_trim_settings.h"
#include "ui/controls/control_array.h"

namespace tw::pages {
namespace {

constexpr int kFirstNumber = 383;

constexpr int kFirstSliderId = 1600;
constexpr int kListId = 1620;
constexpr int kFlatButtonId = 1621;

}  // namespace

VolumeTrimPage::VolumeTrimPage(const PageContext& context)
    : ItemPage(context, settings::VolumeTrimSettings()),
      sliders_(ui::MakeControls<ui::StepSlider, kInputCount>(kFirstSliderId)),
      list_(kListId),
      flat_(kFlatButtonId, "Flat") {
  list_.setColumns({{"Input"}, {"Trim"}});
  std::vector<ui::LayoutNode> rows;
  for (std::size_t i = 0; i < sliders_.size(); ++i) {
    const LevelItem& trim = settings().Level(kFirstNumber + static_cast<int>(i));
    Bind(trim, sliders_[i]);
    list_.addRow({std::string(trim.key), ""});
    ShowInCell(trim.number, list_, static_cast<int>(i), 1);
    rows.push_back(ui::Item(std::string(trim.key), sliders_[i]));
  }
  flat_.onClicked = [this] { ResetPage([](model::ParameterImage& image) { image.volumeTrim.fill(0); }); };
  SetLayout(ui::Row({ui::Column(std::move(rows)), ui::Column({ui::Item(list_), ui::Item(flat_)})}));
}

ui::StepSlider& VolumeTrimPage::slider(int number) {
  const int index = number - kFirstNumber;
  return sliders_[index >= 0 && index < kInputCount ? static_cast<std::size_t>(index) : 0];
}

}  // namespace tw::pages
