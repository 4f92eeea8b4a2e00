#include "settings/basic/basic_control_settings.h"

#include <span>

#include "comm/operation_command.h"
#include "model/ascii.h"
#include "model/parameter_access.h"
#include "settings/basic/basic_lists.h"
#include "settings/setting_items.h"

namespace tw::settings {
namespace {

// The numbers files and reports carry, in their order.
constexpr int kFileNumbers[] = {1, 2, 3, 4, 6, 7, 8, 9, 10};
constexpr std::array<std::string_view, 3> kNightParameters = {"Min", "Mid", "Max"};
constexpr std::string_view kOn = "ON";
constexpr std::string_view kOff = "OFF";

std::string TextAt(std::span<const std::string_view> texts, std::int32_t value) {
  return value >= 0 && static_cast<std::size_t>(value) < texts.size() ? std::string(texts[value]) : std::string();
}

// The list index of `text`, letter case aside, as the group's lists find it.
std::optional<std::int32_t> IndexOf(std::span<const std::string_view> texts, std::string_view text) {
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (model::EqualsIgnoringCase(texts[i], text)) return static_cast<std::int32_t>(i);
  }
  return std::nullopt;
}

std::string ProgramText(std::int32_t value) {
  if (value == basic::kStraightProgram) return std::string(basic::kStraight);
  // The enhancer follows from the program value itself, so that the text never disagrees
  // with the command the value sends.
  if (value >= basic::kFirstEnhancerProgram) return TextAt(basic::kEnhancers, value - basic::kFirstEnhancerProgram);
  return TextAt(basic::kPrograms, value);
}

class BasicSettings final : public PageSettings {
 public:
  BasicSettings() : PageSettings("Basic Control") {}

  std::vector<PageItem> ListItems(bool forFile, const SettingContext& context, int group) const override;
  ItemText DescribeItem(const model::ParameterImage& image, int number, int subIndex,
                        bool forReport) const override;
  bool ParseItem(model::ParameterImage& image, int number, int subIndex, std::string_view text) const override;
  std::string RefusalReason(const model::ParameterImage&, int, int, std::string_view) const override { return {}; }
  std::vector<std::string> Commands(const model::ParameterImage& image, int number, int subIndex,
                                    const SettingContext& context) const override;
};

}  // namespace

std::vector<PageItem> BasicSettings::ListItems(bool, const SettingContext&, int) const {
  std::vector<PageItem> items;
  for (int number : kFileNumbers) items.push_back({number, -1});
  return items;
}

ItemText BasicSettings::DescribeItem(const model::ParameterImage& image, int number, int, bool) const {
  const std::int32_t value = number >= 1 && number <= 14 ? image.basic[static_cast<std::size_t>(number - 1)] : 0;
  const auto item = [](std::string_view key, std::string text) {
    return ItemText{std::string(basic::kSection), std::string(key), std::move(text)};
  };
  switch (number) {
    case 1: return item("Input", TextAt(basic::kInputs, value));
    case 2: return item("Audio Select", TextAt(basic::kAudioSelect, value));
    case 3: return item("Decoder Mode", TextAt(basic::kDecoderModes, value));
    case 4: return item("DSP Program", ProgramText(value));
    case 6: return item("EXTD SUR", TextAt(basic::kSurround, value));
    case 7: return item("Night Mode", TextAt(basic::kNightModes, value));
    case 8: return item("Night Mode Parameter", TextAt(kNightParameters, value));
    case 9: return item("Main Volume", VolumeText(value));
    case 10: return item("Mute", std::string(value != 0 ? kOn : kOff));
    default: return {};
  }
}

bool BasicSettings::ParseItem(model::ParameterImage& image, int number, int, std::string_view text) const {
  std::optional<std::int32_t> value;
  switch (number) {
    case 1: value = IndexOf(basic::kInputs, text); break;
    case 2: value = IndexOf(basic::kAudioSelect, text); break;
    case 3: value = IndexOf(basic::kDecoderModes, text); break;
    case 4:
      if (const auto enhancer = IndexOf(basic::kEnhancers, text)) {
        // The enhancer index travels with the program value (integer 11 names it).
        model::SetParameter(image, 11, *enhancer);
        value = *enhancer + basic::kFirstEnhancerProgram;
      } else if (text == basic::kStraight) {
        value = basic::kStraightProgram;
      } else {
        value = IndexOf(basic::kPrograms, text);
      }
      break;
    case 6: value = IndexOf(basic::kSurround, text); break;
    case 7: value = IndexOf(basic::kNightModes, text); break;
    case 8:
      // The radio buttons' own texts, letter case and all.
      for (std::size_t i = 0; i < kNightParameters.size() && !value; ++i) {
        if (kNightParameters[i] == text) value = static_cast<std::int32_t>(i);
      }
      break;
    case 9:
      // Only the texts the volume control writes ("Mute", "-30.0dB"): "-30dB" would
      // otherwise read as -3.0 dB.
      for (std::int32_t v = basic::kVolumeMin; v <= basic::kVolumeMax && !value; v += basic::kVolumeStep) {
        if (VolumeText(v) == text) value = v;
      }
      break;
    case 10:
      if (text == kOn) value = 1;
      if (text == kOff) value = 0;
      break;
    default: break;
  }
  return value && model::SetParameter(image, number, *value);
}

std::vector<std::string> BasicSettings::Commands(const model::ParameterImage& image, int number, int,
                                                        const SettingContext&) const {
  std::string command = comm::BuildOperationCommand(image.basic, number);
  if (command.empty()) return {};
  return {std::move(command)};
}

const PageSettings& BasicControlSettings() {
  static const BasicSettings settings;
  return settings;
}

}  // namespace tw::settings
