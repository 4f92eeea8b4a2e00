// Section "Basic Control" of configuration files and reports.

#include <array>

#include "model/parameter_access.h"
#include "ui/basic_control/basic_control_group.h"
#include "ui/basic_control/basic_lists.h"
#include "settings/value_text.h"

namespace tw::ui {
namespace {

constexpr std::string_view kOn = "ON";
constexpr std::string_view kOff = "OFF";

std::int32_t Integer(const model::ParameterImage& image, int n) {
  return image.basic[static_cast<std::size_t>(n - 1)];
}

std::string TextOfData(const ListCombo& list, std::int32_t data) {
  return list.itemText(list.findData(data));
}

}  // namespace

BasicItemText BasicControlGroup::DescribeBasicItem(const model::ParameterImage& image, int number) const {
  const std::int32_t value = number >= 1 && number <= 14 ? Integer(image, number) : 0;
  const auto item = [](std::string_view key, std::string text) {
    return BasicItemText{std::string(basic::kSection), std::string(key), std::move(text)};
  };
  switch (number) {
    case 1:
      return item("Input", input.itemText(value));
    case 2:
      return item("Audio Select", TextOfData(audioSelect, value));
    case 3:
      return item("Decoder Mode", TextOfData(decoder, value));
    case 4:
      if (value == basic::kStraightProgram) return item("DSP Program", std::string(basic::kStraight));
      // The enhancer follows from the program value itself, so that the text never
      // disagrees with the command the value sends.
      if (value >= basic::kFirstEnhancerProgram) {
        return item("DSP Program", enhancer.itemText(value - basic::kFirstEnhancerProgram));
      }
      return item("DSP Program", program.itemText(value));
    case 6:
      return item("EXTD SUR", surround.itemText(value));
    case 7:
      return item("Night Mode", nightMode.itemText(value));
    case 8:
      return item("Night Mode Parameter", nightParameter.buttonText(value));
    case 9:
      return item("Main Volume", VolumeText(value));
    case 10:
      return item(mute.text(), std::string(value != 0 ? kOn : kOff));
    default:
      return {};
  }
}

bool BasicControlGroup::ParseBasicItem(model::ParameterImage& image, int number,
                                       std::string_view text) const {
  std::optional<std::int32_t> value;
  const auto index = [](int found) { return found >= 0 ? std::optional<std::int32_t>(found) : std::nullopt; };
  switch (number) {
    case 1:
      value = index(input.findStringExact(text));
      break;
    case 2:
    case 3: {
      const ListCombo& list = number == 2 ? audioSelect : decoder;
      const int found = list.findStringExact(text);
      if (found >= 0) value = static_cast<std::int32_t>(list.itemData(found));
      break;
    }
    case 4: {
      const int enhancerIndex = enhancer.findStringExact(text);
      if (enhancerIndex >= 0) {
        // The enhancer index travels with the program value (integer 11 names it).
        model::SetParameter(image, 11, enhancerIndex);
        value = enhancerIndex + basic::kFirstEnhancerProgram;
      } else if (text == basic::kStraight) {
        value = basic::kStraightProgram;
      } else {
        value = index(program.findStringExact(text));
      }
      break;
    }
    case 6:
      value = index(surround.findStringExact(text));
      break;
    case 7:
      value = index(nightMode.findStringExact(text));
      break;
    case 8:
      for (int i = 0; i < nightParameter.count(); ++i) {
        if (nightParameter.buttonText(i) == text) value = i;
        if (value) break;
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
    default:
      break;
  }
  return value && model::SetParameter(image, number, *value);
}

}  // namespace tw::ui
