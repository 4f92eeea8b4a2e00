#include "pages/speaker/speaker_level_page.h"

#include "model/parameter_defaults.h"
#include "settings/speaker/speaker_values.h"
#include "ui/controls/control_array.h"

namespace tw::pages {

namespace speaker = settings::speaker;
namespace {

using speaker::kLevelMax;
using speaker::kLevelMin;
using speaker::kLevelStep;

constexpr int kFirstNumber = 268;

// A channel's level: files hold "-0.5dB" (only that form is read back), the readout " -0.5dB".
constexpr LevelItem Level(int number, std::string_view key, std::string_view address) {
  return {.number = number,
          .key = key,
          .min = kLevelMin,
          .max = kLevelMax,
          .step = kLevelStep,
          .unit = "dB",
          .address = address,
          .encode = speaker::LevelData,
          .label = speaker::LevelLabel};
}

// The channels in number order (the file order). The receiver takes the levels at these
// addresses; it reports four of them under other codes (PRR 47, PRL 48, SBR 45, SBL 46),
// which the reply decoder maps back to the same numbers.
constexpr std::array<LevelItem, 10> kLevels = {{
    Level(268, "FL", "241"),
    Level(269, "FR", "240"),
    Level(270, "CT", "242"),
    Level(271, "SL", "244"),
    Level(272, "SR", "243"),
    Level(273, "SBL", "248"),
    Level(274, "SBR", "247"),
    Level(275, "PRL", "246"),
    Level(276, "PRR", "245"),
    Level(277, "SW", "249"),
}};

// A download sends the levels from SW down to CT, then FL, then FR.
constexpr std::array<int, 10> kSendOrder = {277, 276, 275, 274, 273, 272, 271, 270, 268, 269};

constexpr int kFirstSliderId = 1400;
constexpr int kFirstLabelId = 1420;
constexpr int kDefaultButtonId = 1440;

}  // namespace

CSpkLevelPage::CSpkLevelPage(const PageContext& context)
    : CItemPage(context, std::string(kCaption), kTemplateId),
      sliders_(ui::MakeControls<ui::CLevelSlider, 10>(kFirstSliderId)),
      labels_(ui::MakeControls<ui::CStaticSubClass, 10>(kFirstLabelId)),
      default_(kDefaultButtonId, "Default") {
  std::vector<ui::LayoutNode> channels;
  for (std::size_t i = 0; i < kLevels.size(); ++i) {
    Bind(kLevels[i], sliders_[i], &labels_[i]);
    channels.push_back(
        ui::Column({ui::Item(std::string(kLevels[i].key), sliders_[i]), ui::Item(labels_[i])}));
  }
  SetSendOrder({kSendOrder.begin(), kSendOrder.end()});
  default_.onClicked = [this] {
    ResetPage([](model::ParameterImage& image) { image.speakerLevel = model::kSpeakerLevelDefaults; });
  };
  SetLayout(ui::Column({ui::Row(std::move(channels)), ui::Item(default_)}));
}

std::size_t CSpkLevelPage::indexOf(int number) const {
  const int index = number - kFirstNumber;
  return index >= 0 && index < static_cast<int>(kLevels.size()) ? static_cast<std::size_t>(index) : 0;
}

ui::CLevelSlider& CSpkLevelPage::slider(int number) { return sliders_[indexOf(number)]; }

ui::CStaticSubClass& CSpkLevelPage::label(int number) { return labels_[indexOf(number)]; }

}  // namespace tw::pages
