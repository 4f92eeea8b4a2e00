#include "settings/tuner/tuner_set_settings.h"

#include "settings/tuner/preset_keys.h"
#include "settings/tuner/tuner_frequencies.h"

namespace tw::settings {
namespace {

using tuner_set::kCurrentNumber;
using tuner_set::kFirstPresetNumber;

constexpr std::size_t kKeyLength = 13;  // "PageA Preset1"
constexpr PresetKeyTable<kKeyLength> kPresetKeys = MakePresetKeys<kKeyLength>(kPresetNames);

// DC4 "200D0501", "00" for the current frequency or the page and preset digits, the band
// digit and the six characters. A text that is no frequency is not sent.
std::vector<std::string> FrequencyCommand(const model::ParameterImage& image, int number, int /*subIndex*/) {
  const std::string text = ReadText(image, number).value_or("");
  if (!tuner::IsFrequencyText(text)) return {};
  std::string body = "200D0501";
  if (number == kCurrentNumber) {
    body += "00";
  } else {
    const int preset = number - kFirstPresetNumber;
    body += static_cast<char>('1' + preset / kPresetsPerPage);
    body += static_cast<char>('1' + preset % kPresetsPerPage);
  }
  body += tuner::BandDigit(text);
  body += text;
  return {MakeCommand(CommandFrame::ExtendedUpper, body)};
}

// Files and `set` take a frequency in the form the page writes it ("FM 90.1MHz") or as the
// receiver's six characters ("090.10"), so that a value cut short ("FM 90.", "AM 10") is
// refused rather than read as another frequency.
std::optional<std::string> FrequencyFromFile(std::string_view shown) {
  if (tuner::IsFrequencyText(shown)) return std::string(shown);
  auto text = tuner::FrequencyFromDisplay(shown);
  if (!text || tuner::DisplayForm(*text) != shown) return std::nullopt;
  return text;
}

constexpr TextItem Frequency(int number, std::string_view key) {
  return {.number = number,
          .key = key,
          .maxLength = tuner::kFrequencyLength,
          .format = tuner::DisplayForm,
          .parse = FrequencyFromFile,
          .build = FrequencyCommand};
}

class TunerSet final : public PageSettings {
 public:
  TunerSet() : PageSettings("Tuner Set") {
    // The file order: the current frequency ("Current " with its trailing blank), then A1..E8.
    Add(Frequency(kCurrentNumber, "Current "));
    std::vector<int> sendOrder;
    for (int i = 0; i < kPresetCount; ++i) {
      Add(Frequency(kFirstPresetNumber + i, KeyOf(kPresetKeys, static_cast<std::size_t>(i))));
      sendOrder.push_back(kFirstPresetNumber + i);
    }
    sendOrder.push_back(kCurrentNumber);
    SetSendOrder(std::move(sendOrder));
  }

  // What a frequency text looks like.
  std::string RefusalReason(const model::ParameterImage& /*image*/, int number, int /*subIndex*/,
                            std::string_view /*text*/) const override {
    if (number < kCurrentNumber || number > tuner_set::kLastNumber) return {};
    return "allowed: an FM frequency in MHz with its decimal point (\"FM 87.5MHz\") or an AM frequency in kHz "
           "(\"AM 630kHz\")";
  }

  // A frequency outside the tuner region's band is taken, but the receiver may not tune it.
  std::string AdviceOn(const model::ParameterImage& image, int number, int /*subIndex*/,
                       const SettingContext& context) const override {
    if (number < kCurrentNumber || number > tuner_set::kLastNumber) return {};
    const std::string text = ReadText(image, number).value_or("");
    const int region = context.tunerRegion;
    if (!tuner::IsFrequencyText(text) || tuner::RegionName(region).empty() || tuner::IsInRegionList(region, text)) {
      return {};
    }
    const char* band = tuner::BandDigit(text) == '1' ? "FM" : "AM";
    return tuner::DisplayForm(text) + " is not in the " + band + " band of tuner region " + std::to_string(region) +
           " (" + std::string(tuner::RegionName(region)) + "); the receiver may not tune it";
  }
};

}  // namespace

const PageSettings& TunerSetSettings() {
  static const TunerSet settings;
  return settings;
}

}  // namespace tw::settings
