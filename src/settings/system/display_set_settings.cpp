#include "settings/system/display_set_settings.h"

#include <array>

namespace tw::settings {
namespace {

constexpr std::array<std::string_view, 2> kOffOn = {"Off", "On"};
constexpr std::array<std::string_view, 2> kOffAuto = {"Off", "Auto"};
constexpr std::array<std::string_view, 3> kShortMessageTexts = {"Off", "On", "Full"};
constexpr std::array<std::string_view, 3> kOnScreenTexts = {"Always", "10s", "30s"};
constexpr std::array<std::int32_t, 3> kOnScreenValues = {3, 1, 2};
constexpr std::array<std::string_view, 3> kOnScreenCodes = {"3", "1", "2"};
constexpr std::array<std::string_view, 2> kScrollTexts = {"Continue", "Once"};
constexpr std::array<std::string_view, 3> kIndexCodes = {"0", "1", "2"};

// The receiver takes OSD Shift as one digit 0..A and the dimmer as two digits 00..04.
std::string OsdShiftData(std::int32_t value) { return Hex(value + 5, 1, HexCase::Upper); }
std::string DimmerData(std::int32_t value) { return Hex(value + 4, 2, HexCase::Upper); }

constexpr LevelItem kDimmer{.number = 525,
                            .key = "Dimmer",
                            .min = -4,
                            .max = 0,
                            .address = "261",
                            .encode = DimmerData,
                            .format = PlainText};
constexpr LevelItem kOsdShift{.number = 520,
                              .key = "OSD Shift",
                              .min = -5,
                              .max = 5,
                              .address = "2620",
                              .encode = OsdShiftData,
                              .format = PlainText};

constexpr std::span<const std::string_view> kTwoCodes{kIndexCodes.data(), 2};

constexpr std::array<ChoiceItem, 7> kChoices = {{
    {.number = 517, .key = "Video Conversion", .texts = kOffOn, .address = "2690", .codes = kTwoCodes},
    {.number = 518, .key = "Component I/P", .texts = kOffOn, .address = "2850", .codes = kTwoCodes},
    {.number = 519, .key = "Gray Back", .texts = kOffAuto, .address = "2630", .codes = kTwoCodes},
    {.number = 521, .key = "HDMI I/P", .texts = kOffOn, .address = "2860", .codes = kTwoCodes},
    // "Full" is a setting of the receiver that this page does not offer.
    {.number = 526, .key = "Short Message", .texts = kShortMessageTexts, .address = "07EB", .codes = kIndexCodes,
     .shown = 2},
    {.number = 527, .key = "On Screen", .texts = kOnScreenTexts, .address = "2930", .codes = kOnScreenCodes,
     .values = kOnScreenValues},
    {.number = 528, .key = "FL Scroll", .texts = kScrollTexts, .address = "2670", .codes = kTwoCodes},
}};

constexpr std::array<int, 9> kSendOrder = {517, 518, 520, 519, 521, 525, 526, 527, 528};

}  // namespace

const PageSettings& DisplaySetSettings() {
  static const PageSettings settings = [] {
    PageSettings s("Display Set");
    // The file order: 517, 518, 519, 520 (OSD Shift), 521, 525 (Dimmer), 526, 527, 528.
    s.Add(kChoices[0]);
    s.Add(kChoices[1]);
    s.Add(kChoices[2]);
    s.Add(kOsdShift);
    s.Add(kChoices[3]);
    s.Add(kDimmer);
    for (std::size_t i = 4; i < kChoices.size(); ++i) s.Add(kChoices[i]);
    s.SetSendOrder({kSendOrder.begin(), kSendOrder.end()});
    return s;
  }();
  return settings;
}

}  // namespace tw::settings
