#include "pages/speaker/speaker_level_page.h"

#include "model/parameter_defaults.h"
#include "settings/speaker/speaker_level_settings.h"

namespace tw::pages {
namespace {

constexpr int kFirstNumber = 268;
constexpr int kChannels = 10;

constexpr int kFirstSliderId = 1400;
constexpr int kFirstLabelId = 1420;
constexpr int kDefaultButtonId = 1440;

}  // namespace

SpeakerLevelPage::SpeakerLevelPage(const PageContext& context)
    : ItemPage(context, settings::SpeakerLevelSettings()), default_(kDefaultButtonId, "Default") {
  std::vector<ui::LayoutNode> channels;
  for (int i = 0; i < kChannels; ++i) {
    const int number = kFirstNumber + i;
    ui::LevelSlider& slider = MakeSlider(number, kFirstSliderId + i, kFirstLabelId + i);
    channels.push_back(ui::Column({ui::Item(std::string(settings().Level(number).key), slider), ui::Item(label(number))}));
  }
  default_.onClicked = [this] {
    ResetPage([](model::ParameterImage& image) { image.speakerLevel = model::kSpeakerLevelDefaults; });
  };
  SetLayout(ui::Column({ui::Row(std::move(channels)), ui::Item(default_)}));
}

}  // namespace tw::pages
