#include "settings/speaker/speaker_distance_settings.h"

#include <variant>

#include "model/parameter_access.h"
#include "settings/speaker/speaker_values.h"

namespace tw::settings {
namespace {

using speaker_distance::Channel;
using speaker_distance::kChannels;

constexpr std::array<std::string_view, 2> kUnitTexts = {"Meter", "Feet"};
constexpr ChoiceItem kUnit{speaker_distance::kUnit, "Unit", kUnitTexts, {}, {}};

std::int32_t ValueIn(const model::ParameterImage& image, int number) {
  const auto value = model::GetParameter(image, number);
  const auto* integer = value ? std::get_if<std::int32_t>(&*value) : nullptr;
  return integer != nullptr ? *integer : 0;
}

const Channel* FindChannel(int number) {
  for (const Channel& channel : kChannels) {
    if (channel.number == number) return &channel;
  }
  return nullptr;
}

// The distances' range, texts and command depend on the unit in the image, so they are
// rules here rather than items.
class DistanceSettings final : public PageSettings {
 public:
  DistanceSettings() : PageSettings("Speaker Distance") { Add(kUnit); }

  std::vector<PageItem> ListItems(bool forFile, const SettingContext& /*context*/, int /*group*/) const override {
    std::vector<PageItem> items;
    if (forFile) items.push_back({kUnit.number, -1});
    for (const Channel& channel : kChannels) items.push_back({channel.number, -1});
    return items;
  }

  ItemText DescribeItem(const model::ParameterImage& image, int number, int subIndex,
                        bool forReport) const override {
    const Channel* channel = FindChannel(number);
    if (channel == nullptr) return PageSettings::DescribeItem(image, number, subIndex, forReport);
    return {caption(), std::string(channel->key),
            speaker::DistanceText(ValueIn(image, number), image.speakerDistance.unit)};
  }

  bool ParseItem(model::ParameterImage& image, int number, int subIndex, std::string_view text) const override {
    if (FindChannel(number) == nullptr) return PageSettings::ParseItem(image, number, subIndex, text);
    const auto value = speaker::ParseDistanceText(text, image.speakerDistance.unit);
    return value && model::SetParameter(image, number, *value);
  }

  std::vector<std::string> Commands(const model::ParameterImage& image, int number, int /*subIndex*/,
                                    const SettingContext& /*context*/) const override {
    const Channel* channel = FindChannel(number);
    if (channel == nullptr) return {};
    return {speaker::DistanceCommand(channel->code, image.speakerDistance.unit, ValueIn(image, number))};
  }
};

}  // namespace

const PageSettings& SpeakerDistanceSettings() {
  static const DistanceSettings settings;
  return settings;
}

}  // namespace tw::settings
