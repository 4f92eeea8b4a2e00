#include "pages/zone/volume_trim_page.h"

#include "settings/zone/zone_values.h"
#include "ui/controls/control_array.h"

namespace tw::pages {

namespace zone = settings::zone;
namespace {

constexpr int kFirstNumber = 383;

constexpr LevelItem Trim(int number, std::string_view key, std::string_view address, Needs needs = Needs::Nothing) {
  return {.number = number,
          .key = key,
          .min = zone::kTrimMin,
          .max = zone::kTrimMax,
          .step = zone::kTrimStep,
          .address = address,
          .encode = zone::TrimData,
          .frame = CommandFrame::ExtendedLower,
          .format = TenthsDbText,
          .label = Spaced<TenthsDbText>,
          .parse = zone::ParseTrimText,
          .needs = needs};
}

// In number order, which is also the file and send order. The receiver without XM has no
// XM trim (its read needs XM as well), so that trim is never sent to it.
constexpr std::array<LevelItem, CVolumeTrim::kInputCount> kTrims = {{
    Trim(383, "PHONO", "2008012100"),
    Trim(384, "CD", "2008012101"),
    Trim(385, "TUNER", "2008012102"),
    Trim(386, "CD-R", "2008012103"),
    Trim(387, "MD/TAPE", "2008012104"),
    Trim(388, "DVD", "2008012105"),
    Trim(389, "DTV", "2008012106"),
    Trim(390, "CBL/SAT", "2008012107"),
    Trim(391, "VCR1", "2008012109"),
    Trim(392, "DVR/VCR2", "200801210A"),
    Trim(393, "V-AUX", "200801210C"),
    Trim(394, "MULTI CH", "2008012110"),
    Trim(395, "XM", "200801210E", Needs::Xm),
    Trim(396, "DOCK", "2008012120"),
}};

constexpr int kFirstSliderId = 1600;
constexpr int kListId = 1620;
constexpr int kFlatButtonId = 1621;

}  // namespace

CVolumeTrim::CVolumeTrim(const PageContext& context)
    : CItemPage(context, std::string(kCaption), kTemplateId),
      sliders_(ui::MakeControls<ui::CStepSlider, kInputCount>(kFirstSliderId)),
      list_(kListId),
      flat_(kFlatButtonId, "Flat") {
  list_.setColumns({{"Input"}, {"Trim"}});
  std::vector<ui::LayoutNode> rows;
  for (std::size_t i = 0; i < kTrims.size(); ++i) {
    Bind(kTrims[i], sliders_[i]);
    list_.addRow({std::string(kTrims[i].key), ""});
    ShowInCell(kTrims[i].number, list_, static_cast<int>(i), 1);
    rows.push_back(ui::Item(std::string(kTrims[i].key), sliders_[i]));
  }
  flat_.onClicked = [this] { ResetPage([](model::ParameterImage& image) { image.volumeTrim.fill(0); }); };
  SetLayout(ui::Row({ui::Column(std::move(rows)), ui::Column({ui::Item(list_), ui::Item(flat_)})}));
}

ui::CStepSlider& CVolumeTrim::slider(int number) {
  const int index = number - kFirstNumber;
  return sliders_[index >= 0 && index < kInputCount ? static_cast<std::size_t>(index) : 0];
}

}  // namespace tw::pages
