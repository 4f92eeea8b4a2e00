#include "pages/speaker/speaker_distance_page.h"

#include <variant>

#include "model/parameter_access.h"
#include "model/parameter_defaults.h"
#include "pages/radio_buttons.h"
#include "settings/speaker/speaker_distance_settings.h"
#include "ui/controls/control_array.h"

namespace tw::pages {
namespace {

using settings::speaker_distance::kChannels;

constexpr int kUnitFrameId = 1500;
constexpr int kFirstSliderId = 1510;
constexpr int kFirstLabelId = 1530;
constexpr int kDefaultButtonId = 1550;

std::int32_t ValueIn(const model::ParameterImage& image, int number) {
  const auto value = model::GetParameter(image, number);
  const auto* integer = value ? std::get_if<std::int32_t>(&*value) : nullptr;
  return integer != nullptr ? *integer : 0;
}

bool IsDistance(int number) { return number >= kChannels.front().number && number <= kChannels.back().number; }

}  // namespace

SpeakerDistancePage::SpeakerDistancePage(const PageContext& context)
    : BasePage(context, settings::SpeakerDistanceSettings()),
      range_(speaker::RangeOfUnit(speaker::kUnitMeter)),
      // The view says so at start-up as well; the mode never changes afterwards.
      async_(!context.link.isRealTime()),
      unitButtons_(kUnitFrameId, "Unit", Buttons(settings().Choice(kUnitNumber), kUnitFrameId + 1)),
      sliders_(ui::MakeControls<ui::LevelSlider, 10>(kFirstSliderId)),
      labels_(ui::MakeControls<ui::ValueLabel, 10>(kFirstLabelId)),
      default_(kDefaultButtonId, "Default") {
  takeUnit(pageImage().speakerDistance.unit);
  unitButtons_.onClicked = [this](int index) { onUnitClicked(index); };
  default_.onClicked = [this] { onDefault(); };
  std::vector<ui::LayoutNode> channels;
  for (std::size_t i = 0; i < kChannels.size(); ++i) {
    sliders_[i].onDragged = [this, i] { onSliderDraw(i); };
    const int number = kChannels[i].number;
    sliders_[i].onReleased = [this, number] { SendItem(number); };
    channels.push_back(
        ui::Column({ui::Item(std::string(kChannels[i].key), sliders_[i]), ui::Item(labels_[i])}));
  }
  SetLayout(ui::Column({ui::Item(unitButtons_), ui::Row(std::move(channels)), ui::Item(default_)}));
}

void SpeakerDistancePage::takeUnit(int unit) {
  unit_ = unit;
  range_ = speaker::RangeOfUnit(unit);
}

void SpeakerDistancePage::SetModeAndUnit(bool async, int unit) {
  async_ = async;
  takeUnit(unit);
  EnableButtons(unitButtons_, async_);
}

std::size_t SpeakerDistancePage::indexOf(int number) const {
  const int index = number - kChannels.front().number;
  return index >= 0 && index < static_cast<int>(kChannels.size()) ? static_cast<std::size_t>(index) : 0;
}

ui::LevelSlider& SpeakerDistancePage::slider(int number) { return sliders_[indexOf(number)]; }

ui::ValueLabel& SpeakerDistancePage::label(int number) { return labels_[indexOf(number)]; }

void SpeakerDistancePage::showDistance(std::size_t index) {
  const std::int32_t distance = ValueIn(pageImage(), kChannels[index].number);
  sliders_[index].SetValue(distance);
  labels_[index].setText(" " + speaker::DistanceText(distance, unit_));
}

void SpeakerDistancePage::RefreshAll() {
  takeUnit(pageImage().speakerDistance.unit);
  unitButtons_.setSelected(unit_);
  EnableButtons(unitButtons_, async_);
  for (std::size_t i = 0; i < kChannels.size(); ++i) {
    sliders_[i].Setup(nullptr, "", range_.min, range_.max, range_.step,
                      ValueIn(pageImage(), kChannels[i].number), ui::LevelStyle::Plain);
    showDistance(i);
  }
}

void SpeakerDistancePage::RefreshItem(int number, bool update) {
  if (!isActive() || !hasWindow()) return;
  if (IsDistance(number)) {
    if (pageImage().speakerDistance.unit != unit_) {
      RefreshAll();
    } else {
      showDistance(indexOf(number));
    }
  }
  if (update) unitButtons_.setSelected(unit_);
}

void SpeakerDistancePage::RestoreFocus() { RestoreRadioFocus(unitButtons_); }

void SpeakerDistancePage::onDefault() {
  ResetPage([](model::ParameterImage& image) { model::WriteSpeakerDistanceDefaults(image.speakerDistance); });
  RefreshAll();
}

void SpeakerDistancePage::onUnitClicked(int index) {
  // Distances are not converted: a new unit starts from its own defaults. Clicking the unit
  // already in force is no change, so the distances stay.
  if (index == pageImage().speakerDistance.unit) return;
  pageImage().speakerDistance.unit = index;
  onDefault();
}

void SpeakerDistancePage::onSliderDraw(std::size_t index) {
  if (!mayStoreSliderValue()) return;
  const std::int32_t distance = sliders_[index].GetValue();
  model::SetParameter(pageImage(), kChannels[index].number, distance);
  labels_[index].setText(" " + speaker::DistanceText(distance, unit_));
}

}  // namespace tw::pages
