#include "settings/tuner/ipod_settings.h"

#include <array>

namespace tw::settings {
namespace {

constexpr std::array<std::string_view, 2> kOffAuto = {"Off", "Auto"};
constexpr std::array<std::string_view, 3> kRepeatTexts = {"Off", "One", "All"};
constexpr std::array<std::string_view, 3> kShuffleTexts = {"Off", "Songs", "Albums"};
constexpr std::array<std::string_view, 2> kOffOn = {"Off", "On"};
// Every setting goes on the line as its value in one hex digit.
constexpr std::array<std::string_view, 3> kValueDigits = {"0", "1", "2"};

constexpr std::array<ChoiceItem, ipod::kSettingCount> kItems = {{
    {548, "Standby Charge", kOffAuto, "2960", kValueDigits},
    {549, "Repeat", kRepeatTexts, "2970", kValueDigits},
    {550, "Shaffle", kShuffleTexts, "2980", kValueDigits},
    {551, "PlayInformation Output Setting", kOffOn, "200600410", kValueDigits, CommandFrame::ExtendedUpper},
    {552, "ListInformation Output Setting", kOffOn, "200600510", kValueDigits, CommandFrame::ExtendedUpper},
}};

}  // namespace

const PageSettings& IpodSettings() {
  static const PageSettings settings = [] {
    PageSettings s("iPod");
    for (const ChoiceItem& item : kItems) s.Add(item);
    return s;
  }();
  return settings;
}

}  // namespace tw::settings
