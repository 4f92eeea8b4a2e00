#include "pages/zone/volume_trim_page.h"

#include "settings/zone/volume_trim_settings.h"

namespace tw::pages {
namespace {

constexpr int kFirstNumber = 383;

constexpr int kFirstSliderId = 1600;
constexpr int kListId = 1620;
constexpr int kFlatButtonId = 1621;

}  // namespace

VolumeTrimPage::VolumeTrimPage(const PageContext& context)
    : ItemPage(context, settings::VolumeTrimSettings()),
      list_(kListId),
      flat_(kFlatButtonId, "Flat") {
  list_.setColumns({{"Input"}, {"Trim"}});
  std::vector<ui::LayoutNode> rows;
  for (int i = 0; i < kInputCount; ++i) {
    const LevelItem& trim = settings().Level(kFirstNumber + i);
    ui::StepSlider& slider = MakeStepSlider(trim.number, kFirstSliderId + i);
    list_.addRow({std::string(trim.key), ""});
    ShowInCell(trim.number, list_, i, 1);
    rows.push_back(ui::Item(std::string(trim.key), slider));
  }
  flat_.onClicked = [this] { ResetPage([](model::ParameterImage& image) { image.volumeTrim.fill(0); }); };
  SetLayout(ui::Row({ui::Column(std::move(rows)), ui::Column({ui::Item(list_), ui::Item(flat_)})}));
}

}  // namespace tw::pages
