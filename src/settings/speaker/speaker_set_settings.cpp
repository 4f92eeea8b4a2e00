#include "settings/speaker/speaker_set_settings.h"

#include <array>

namespace tw::settings {
namespace {

constexpr std::array<std::string_view, 2> kFrontTexts = {"Small", "Large"};
constexpr std::array<std::string_view, 2> kFrontCodes = {"1", "0"};
constexpr std::array<std::string_view, 3> kPresentTexts = {"None", "Small", "Large"};
constexpr std::array<std::string_view, 3> kPresentCodes = {"2", "1", "0"};
constexpr std::array<std::string_view, 5> kSurroundBackTexts = {"None", "Small x 1", "Small x 2", "Large x 1",
                                                                "Large x 2"};
constexpr std::array<std::string_view, 5> kSurroundBackCodes = {"4", "3", "2", "1", "0"};
constexpr std::array<std::string_view, 2> kPresenceTexts = {"None", "Yes"};
constexpr std::array<std::string_view, 2> kPrSbTexts = {"Surround Back", "Presence"};
constexpr std::array<std::string_view, 2> kOneZeroCodes = {"1", "0"};
constexpr std::array<std::string_view, 3> kLfeTexts = {"SWFR", "Front", "Both"};
constexpr std::array<std::string_view, 3> kLfeCodes = {"0", "1", "2"};
constexpr std::array<std::string_view, 9> kCrossOverTexts = {"40Hz",  "60Hz",  "80Hz",  "90Hz", "100Hz",
                                                             "110Hz", "120Hz", "160Hz", "200Hz"};
constexpr std::array<std::string_view, 9> kCrossOverCodes = {"0", "1", "2", "3", "4", "5", "6", "7", "8"};
constexpr std::array<std::string_view, 2> kPhaseTexts = {"Normal", "Reverse"};
constexpr std::array<std::string_view, 2> kPhaseCodes = {"00", "10"};

// In number order (also the send and file order).
constexpr std::array<ChoiceItem, 9> kItems = {{
    {427, "Front", kFrontTexts, "2710", kFrontCodes},
    {428, "Center", kPresentTexts, "2700", kPresentCodes},
    {429, "Surround", kPresentTexts, "2720", kPresentCodes},
    {430, "Surround Back", kSurroundBackTexts, "2730", kSurroundBackCodes},
    {431, "Presence", kPresenceTexts, "2740", kOneZeroCodes},
    {432, "PR/SB Select", kPrSbTexts, "27D0", kOneZeroCodes},
    {433, "LFE/Bass Out", kLfeTexts, "2750", kLfeCodes},
    {434, "SW Cross Over", kCrossOverTexts, "27E0", kCrossOverCodes},
    {435, "SW Phase", kPhaseTexts, "276", kPhaseCodes},
}};

}  // namespace

const PageSettings& SpeakerSetSettings() {
  static const PageSettings settings = [] {
    PageSettings s("Speaker Set");
    for (const ChoiceItem& item : kItems) s.Add(item);
    return s;
  }();
  return settings;
}

}  // namespace tw::settings
