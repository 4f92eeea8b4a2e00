#include "settings/system/advanced_setup_settings.h"

#include <array>

namespace tw::settings {
namespace {

using namespace advanced_setup;

constexpr std::array<std::string_view, 2> kImpedanceTexts = {"8 ohm", "6 ohm"};
constexpr std::array<std::string_view, 2> kCancelReset = {"Cancel", "Reset"};
constexpr std::array<std::string_view, 2> kOnOff = {"On", "Off"};
constexpr std::array<std::string_view, 2> kNoYes = {"No", "Yes"};
constexpr std::array<std::string_view, 2> kIds = {"ID 1", "ID 2"};
constexpr std::array<std::string_view, 2> kFanTexts = {"Auto", "Cont."};
constexpr std::array<std::string_view, 2> kStepTexts = {"AM10/FM100", "AM9/FM50"};
constexpr std::array<std::string_view, 2> kCancelYes = {"Cancel", "Yes"};
constexpr std::array<std::string_view, 2> kCodes = {"0", "1"};

constexpr std::array<ChoiceItem, 11> kItems = {{
    {.number = 535, .key = "Speaker Impedance", .texts = kImpedanceTexts, .address = "2B30", .codes = kCodes},
    {.number = 536, .key = "User Preset", .texts = kCancelReset, .address = "2B70", .codes = kCodes},
    {.number = 537, .key = "Remote Sensor", .texts = kOnOff, .address = "2B90", .codes = kCodes},
    {.number = 538, .key = "Wake on 232C Access", .texts = kNoYes, .address = "2BD0", .codes = kCodes},
    {.number = 539, .key = "Remote Control Amplifier ID", .texts = kIds, .address = "2B10", .codes = kCodes},
    {.number = 540, .key = "Remote Control Tuner ID", .texts = kIds, .address = "2B50", .codes = kCodes},
    {.number = 541, .key = "Remote Control XM ID", .texts = kIds, .address = "2BA0", .codes = kCodes},
    // "Cont." is a setting of the receiver that this page does not offer.
    {.number = 542, .key = "Fan Mode", .texts = kFanTexts, .address = "2B20", .codes = kCodes, .shown = 1},
    {.number = 543, .key = "Tuner Frequency Step", .texts = kStepTexts, .address = "2B40", .codes = kCodes},
    {.number = 544, .key = "Bi-Amplifier", .texts = kOnOff, .address = "2BB0", .codes = kCodes},
    {.number = 545, .key = "Video Reset", .texts = kCancelYes, .address = "2B80", .codes = kCodes},
}};

class AdvancedSetup final : public PageSettings {
 public:
  AdvancedSetup() : PageSettings("Advanced Setup") {
    for (const ChoiceItem& item : kItems) Add(item);
  }

 protected:
  bool IsListed(const PageItem& item, bool forFile, const SettingContext& context) const override {
    const int region = context.tunerRegion;
    switch (item.number) {
      case kUserPreset:
      case kVideoReset:
        // Actions, not settings: a download (or the write-back that ends an upload) must never
        // reset the receiver because an image holds "Reset" or "Yes". Only a click sends them.
        return forFile;
      case kSpeakerImpedance:
        return region != 0;
      case kXmId:
        return region == 1;
      case kTunerFrequencyStep:
        return region == 2 || region == 3;
      default:
        return true;
    }
  }
};

}  // namespace

const PageSettings& AdvancedSetupSettings() {
  static const AdvancedSetup settings;
  return settings;
}

}  // namespace tw::settings
