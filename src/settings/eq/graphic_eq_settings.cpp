#include "settings/eq/graphic_eq_settings.h"

#include <algorithm>

#include "model/parameter_access.h"
#include "model/parameter_defaults.h"

namespace tw::settings {
namespace {

using graphic_eq::kFirstBand;

constexpr int kChannelNumber = 397;  // a record's channel code
constexpr int kSubwooferRecord = 9;
constexpr int kLastFiledSubwooferBand = 399;  // the Subwoofer files bands 1 and 2 only

constexpr std::array<std::string_view, graphic_eq::kChannelCount> kKeyPrefixes = {
    "(Center) ",          "(Front L) ",    "(Front R) ",    "(Surround L) ", "(Surround R) ",
    "(Surround Back L) ", "(Surround Back R) ", "(Presence L) ", "(Presence R) ", "(Subwoofer) "};

constexpr Records kChannelRecords{graphic_eq::kChannelCount, model::GetGraphicEqValue, model::SetGraphicEqValue,
                                  kKeyPrefixes};

// DC4 "20080301", the channel code as one lower-case digit (the Subwoofer, code 10, is
// "a", though the receiver's reports write "A"), the band code (0, 2, .. C), (gain + 75) / 5
// as two lower-case digits, the checksum in lower case. A record whose code is not one of
// the ten channels' sends nothing rather than reach another channel.
std::vector<std::string> BandCommand(const model::ParameterImage& image, int number, int record) {
  const auto code = model::GetGraphicEqValue(image, record, kChannelNumber);
  const auto gain = model::GetGraphicEqValue(image, record, number);
  if (!code || !gain ||
      std::find(model::kGraphicEqChannelIds.begin(), model::kGraphicEqChannelIds.end(), *code) ==
          model::kGraphicEqChannelIds.end()) {
    return {};
  }
  std::string body = "20080301";
  body += Hex(*code, 1, HexCase::Lower);
  body += Hex(2 * (number - kFirstBand), 1, HexCase::Upper);
  body += Hex((std::int64_t{*gain} + 75) / 5, 2, HexCase::Lower);
  return {MakeCommand(CommandFrame::ExtendedLower, body)};
}

// One value per channel.
constexpr LevelItem Band(int number, std::string_view key) {
  LevelItem band = HalfDbGain(number, key);
  band.build = BandCommand;
  band.records = &kChannelRecords;
  return band;
}

constexpr std::array<LevelItem, graphic_eq::kBandCount> kBands = {{
    Band(398, "Band 1 (63Hz) Gain"),
    Band(399, "Band 2 (160Hz) Gain"),
    Band(400, "Band 3 (400Hz) Gain"),
    Band(401, "Band 4 (1kHz) Gain"),
    Band(402, "Band 5 (2.5kHz) Gain"),
    Band(403, "Band 6 (6.3kHz) Gain"),
    Band(404, "Band 7 (16kHz) Gain"),
}};

class GraphicEq final : public PageSettings {
 public:
  GraphicEq() : PageSettings("Graphic EQ") {
    for (const LevelItem& band : kBands) Add(band);
  }

 protected:
  bool IsListed(const PageItem& item, bool forFile, const SettingContext& /*context*/) const override {
    return !forFile || item.subIndex != kSubwooferRecord || item.number <= kLastFiledSubwooferBand;
  }
};

}  // namespace

const PageSettings& GraphicEqSettings() {
  static const GraphicEq settings;
  return settings;
}

}  // namespace tw::settings
