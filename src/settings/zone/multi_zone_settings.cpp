#include "settings/zone/multi_zone_settings.h"

#include "model/parameter_access.h"
#include "settings/zone/zone_values.h"

namespace tw::settings {
namespace {

using multi_zone::kZones;

constexpr std::array<std::string_view, 12> kInputTexts = {"PHONO", "CD",   "TUNER", "CD-R", "MD/TAPE",  "DVD",
                                                          "DTV",   "CBL/SAT", "VCR1", "DVR/VCR2", "V-AUX", "XM"};
constexpr std::array<std::string_view, 12> kZone2InputCodes = {"D0", "D1", "D2", "D4", "D3", "CD",
                                                               "D9", "CC", "D6", "D7", "D8", "B8"};
constexpr std::array<std::string_view, 12> kZone3InputCodes = {"F1", "F2", "F3", "F5", "F4", "FC",
                                                               "F6", "F7", "F9", "FA", "F0", "B9"};
constexpr std::array<std::string_view, 4> kAmplifierTexts = {"External", "INT:Speaker[1]", "INT:Speaker[2]",
                                                             "INT:Both"};
constexpr std::array<std::string_view, 4> kIndexCodes = {"0", "1", "2", "3"};
constexpr std::array<std::string_view, 2> kVolumeOutTexts = {"VAR", "FIX"};
// The main form's Mute check box writes the same texts.
constexpr std::array<std::string_view, 2> kMuteTexts = {"OFF", "ON"};
constexpr std::array<std::string_view, 2> kZone2MuteCodes = {"1", "0"};
constexpr std::array<std::string_view, 2> kZone3MuteCodes = {"66", "26"};

// Everything that differs between the two zones.
struct ZoneItems {
  ChoiceItem input;
  ChoiceItem amplifier;
  ChoiceItem volumeOut;
  LevelItem volume;
  ChoiceItem mute;
  LevelItem balance;
};

constexpr ZoneItems MakeZone(int index) {
  const bool two = index == 0;
  const multi_zone::Zone& numbers = kZones[static_cast<std::size_t>(index)];
  const Needs needs = two ? Needs::Zone2 : Needs::Zone3;
  return {
      .input = {.number = numbers.input,
                .key = two ? "Zone2 Input" : "Zone3 Input",
                .texts = kInputTexts,
                .address = "07A",
                .codes = two ? std::span<const std::string_view>(kZone2InputCodes) : kZone3InputCodes,
                .needs = needs},
      .amplifier = {.number = numbers.amplifier,
                    .key = two ? "Zone2 Amplifier" : "Zone3 Amplifier",
                    .texts = kAmplifierTexts,
                    .address = two ? "23E0" : "23F0",
                    .codes = kIndexCodes,
                    .needs = needs},
      .volumeOut = {.number = numbers.volumeOut,
                    .key = two ? "Zone2 Volume Out" : "Zone3 Volume Out",
                    .texts = kVolumeOutTexts,
                    .address = two ? "2660" : "26B0",
                    .codes = std::span(kIndexCodes).first(2),
                    .needs = needs},
      .volume = {.number = numbers.volume,
                 .key = two ? "Zone2 Volume" : "Zone3 Volume",
                 .min = zone::kVolumeMin,
                 .max = zone::kVolumeMax,
                 .step = zone::kVolumeStep,
                 .unit = "dB",
                 .address = two ? "231" : "234",
                 .encode = zone::VolumeData,
                 .format = VolumeText,
                 .needs = needs},
      .mute = {.number = numbers.mute,
               .key = two ? "Zone2 Volume Mute" : "Zone3 Volume Mute",
               .texts = kMuteTexts,
               .address = two ? "07EA" : "07E",
               .codes = two ? std::span<const std::string_view>(kZone2MuteCodes) : kZone3MuteCodes,
               .needs = needs},
      .balance = {.number = numbers.balance,
                  .key = two ? "Zone2 Balance" : "Zone3 Balance",
                  .min = zone::kBalanceMin,
                  .max = zone::kBalanceMax,
                  .address = two ? "2AD" : "2AE",
                  .encode = zone::BalanceData,
                  .format = BalanceText,
                  .needs = needs},
  };
}

constexpr std::array<ZoneItems, 2> kItems = {MakeZone(0), MakeZone(1)};

// A download sends each zone's Volume Out after its volume and mute.
constexpr std::array<int, 12> kSendOrder = {15, 16, 18, 19, 17, 25, 20, 21, 23, 24, 22, 26};

// The zone (0 Zone2, 1 Zone3) whose amplifier is `number`, or -1.
int AmplifierZone(int number) {
  for (int zone = 0; zone < 2; ++zone) {
    if (kZones[static_cast<std::size_t>(zone)].amplifier == number) return zone;
  }
  return -1;
}

const ChoiceItem& OtherAmplifier(int zone) { return kItems[zone == 0 ? 1 : 0].amplifier; }

class MultiZone final : public PageSettings {
 public:
  MultiZone() : PageSettings("Multi Zone") {
    for (const ZoneItems& items : kItems) {
      Add(items.input, true);
      Add(items.amplifier, true);
      Add(items.volumeOut, true);
      Add(items.volume);
      Add(items.mute);
      Add(items.balance);
    }
    SetSendOrder({kSendOrder.begin(), kSendOrder.end()});
  }

  bool Accepts(const model::ParameterImage& image, int number, int /*subIndex*/,
               std::int32_t value) const override {
    const int zone = AmplifierZone(number);
    if (zone < 0) return true;
    const auto other = ReadValue(image, nullptr, OtherAmplifier(zone).number, -1);
    return other && zone::AmplifierAllowed(value, *other);
  }

  std::string RefusalReason(const model::ParameterImage& image, int number, int subIndex,
                            std::string_view text) const override {
    if (const int zone = AmplifierZone(number); zone >= 0) {
      const ChoiceItem& other = OtherAmplifier(zone);
      const auto value = Choice(number).Parse(text, true);
      const auto otherValue = ReadValue(image, nullptr, other.number, -1);
      if (value && otherValue && !Accepts(image, number, subIndex, *value)) {
        return std::string(other.key) + " is \"" + std::string(other.Text(*otherValue)) +
               "\", and the two zones cannot share an internal amplifier output";
      }
    }
    return PageSettings::RefusalReason(image, number, subIndex, text);
  }

  // A pair that is sound as a whole is stored first; each amplifier is then read again on
  // its own with the others (a refused one stays as it was).
  void BeforeLoad(model::ParameterImage& image, const files::Profile& profile) const override {
    std::array<std::optional<std::int32_t>, 2> pair;
    for (int zone = 0; zone < 2; ++zone) {
      const ChoiceItem& item = kItems[static_cast<std::size_t>(zone)].amplifier;
      const std::string text = profile.GetString(caption(), std::string(item.key), "");
      pair[static_cast<std::size_t>(zone)] =
          text.empty() ? ReadValue(image, nullptr, item.number, -1) : item.Parse(text, true);
    }
    if (!pair[0] || !pair[1] || !zone::AmplifierAllowed(*pair[0], *pair[1])) return;
    model::SetParameter(image, kItems[0].amplifier.number, *pair[0]);
    model::SetParameter(image, kItems[1].amplifier.number, *pair[1]);
  }
};

}  // namespace

const PageSettings& MultiZoneSettings() {
  static const MultiZone settings;
  return settings;
}

}  // namespace tw::settings
