#include "pages/speaker/speaker_level_page.h"

#include "model/parameter_defaults.h"
#include "settings/speaker/speaker_level_settings.h"
#include "ui/controls/control_array.h"

namespace tw::pages {
namespace {

constexpr int kFirstNumber = 268;
constexpr int kChannels = 10;

constexpr int kFirstSliderId = 1400;
constexpr int kFirstLabelId = 1420;
constexpr int kDefaultButtonId = 1440;

}  // namespace

SpeakerLevelPage::SpeakerLevelPage(const PageContext& context)
    : ItemPage(context, settings::SpeakerLevelSettings()),
      sliders_(ui::MakeControls<ui::LevelSlider, 10>(kFirstSliderId)),
      labels_(ui::MakeControls<ui::ValueLabel, 10>(kFirstLabelId)),
      default_(kDefaultButtonId, "Default") {
  std::vector<ui::LayoutNode> channels;
  for (std::size_t i = 0; i < sliders_.size(); ++i) {
    const LevelItem& level = settings().Level(kFirstNumber + static_cast<int>(i));
    Bind(level, sliders_[i], &labels_[i]);
    channels.push_back(ui::Column({ui::Item(std::string(level.key), sliders_[i]), ui::Item(labels_[i])}));
  }
  default_.onClicked = [this] {
    ResetPage([](model::ParameterImage& image) { image.speakerLevel = model::kSpeakerLevelDefaults; });
  };
  SetLayout(ui::Column({ui::Row(std::move(channels)), ui::Item(default_)}));
}

std::size_t SpeakerLevelPage::indexOf(int number) const {
  const int index = number - kFirstNumber;
  return index >= 0 && index < kChannels ? static_cast<std::size_t>(index) : 0;
}

ui::LevelSlider& SpeakerLevelPage::slider(int number) { return sliders_[indexOf(number)]; }

ui::ValueLabel& SpeakerLevelPage::label(int number) { return labels_[indexOf(number)]; }

}  // namespace tw::pages
