#include "settings/system/other_settings.h"

#include <array>

namespace tw::settings {
namespace {

constexpr std::array<std::string_view, 2> kAutoLast = {"Auto", "Last"};
constexpr std::array<std::string_view, 2> kSupportTexts = {"TQ-N4400", "Other"};
constexpr std::array<std::string_view, 2> kCodes = {"0", "1"};

constexpr std::array<ChoiceItem, 3> kItems = {{
    {.number = 532, .key = "Audio Select Set", .texts = kAutoLast, .address = "2600", .codes = kCodes},
    {.number = 533, .key = "Decoder Mode Set", .texts = kAutoLast, .address = "25F0", .codes = kCodes},
    {.number = 534, .key = "Support Audio", .texts = kSupportTexts, .address = "28F0", .codes = kCodes},
}};

}  // namespace

const PageSettings& OtherSettings() {
  static const PageSettings settings = [] {
    PageSettings s("Other");
    for (const ChoiceItem& item : kItems) s.Add(item);
    return s;
  }();
  return settings;
}

}  // namespace tw::settings
