#include "settings/zone/volume_trim_settings.h"

#include <array>

#include "settings/zone/zone_values.h"

namespace tw::settings {
namespace {

constexpr LevelItem Trim(int number, std::string_view key, std::string_view address, Needs needs = Needs::Nothing) {
  return {.number = number,
          .key = key,
          .min = zone::kTrimMin,
          .max = zone::kTrimMax,
          .step = zone::kTrimStep,
          .address = address,
          .encode = zone::TrimData,
          .frame = CommandFrame::ExtendedLower,
          .format = TenthsDbText,
          .label = Spaced<TenthsDbText>,
          .parse = zone::ParseTrimText,
          .needs = needs};
}

// The receiver without XM has no XM trim (its read needs XM as well), so that trim is never
// sent to it.
constexpr std::array<LevelItem, 14> kTrims = {{
    Trim(383, "PHONO", "2008012100"),
    Trim(384, "CD", "2008012101"),
    Trim(385, "TUNER", "2008012102"),
    Trim(386, "CD-R", "2008012103"),
    Trim(387, "MD/TAPE", "2008012104"),
    Trim(388, "DVD", "2008012105"),
    Trim(389, "DTV", "2008012106"),
    Trim(390, "CBL/SAT", "2008012107"),
    Trim(391, "VCR1", "2008012109"),
    Trim(392, "DVR/VCR2", "200801210A"),
    Trim(393, "V-AUX", "200801210C"),
    Trim(394, "MULTI CH", "2008012110"),
    Trim(395, "XM", "200801210E", Needs::Xm),
    Trim(396, "DOCK", "2008012120"),
}};

}  // namespace

const PageSettings& VolumeTrimSettings() {
  static const PageSettings settings = [] {
    PageSettings s("Volume Trim");
    for (const LevelItem& item : kTrims) s.Add(item);
    return s;
  }();
  return settings;
}

}  // namespace tw::settings
