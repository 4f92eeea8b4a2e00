#include "settings/tuner/xm_set_settings.h"

#include <charconv>

#include "settings/tuner/preset_keys.h"

namespace tw::settings {
namespace {

using xm_set::kFirstNumber;

constexpr std::size_t kKeyLength = 10;  // "PageA No.1"
constexpr PresetKeyTable<kKeyLength> kKeys =
    MakePresetKeys<kKeyLength>({"No.1", "No.2", "No.3", "No.4", "No.5", "No.6", "No.7", "No.8"});

// DC4 "20080511", the page and preset digits and the station as two upper-case hex digits.
std::vector<std::string> StationCommand(const model::ParameterImage& image, int number, int /*subIndex*/) {
  const auto value = ReadValue(image, nullptr, number, -1);
  if (!value) return {};
  const int preset = number - kFirstNumber;
  std::string body = "20080511";
  body += static_cast<char>('1' + preset / kPresetsPerPage);
  body += static_cast<char>('1' + preset % kPresetsPerPage);
  body += Hex(*value, 2, HexCase::Upper);
  return {MakeCommand(CommandFrame::ExtendedUpper, body)};
}

constexpr std::array<LevelItem, kPresetCount> kStations = [] {
  std::array<LevelItem, kPresetCount> items{};
  for (std::size_t i = 0; i < items.size(); ++i) {
    items[i] = LevelItem{.number = kFirstNumber + static_cast<int>(i),
                         .key = KeyOf(kKeys, i),
                         .min = 0,
                         .max = xm_set::kStationMax,
                         .format = PlainText,
                         .parse = xm_set::StationNumber,
                         .needs = Needs::Xm,
                         .build = StationCommand};
  }
  return items;
}();

}  // namespace

std::optional<std::int32_t> xm_set::StationNumber(std::string_view text) {
  constexpr std::size_t kMaxDigits = 9;  // far above 255, far below overflow
  if (text.empty() || text.size() > kMaxDigits) return std::nullopt;
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.front() == '-') return std::nullopt;
  return value;
}

const PageSettings& XmSetSettings() {
  static const PageSettings settings = [] {
    PageSettings s("XM Set", Presence::RealTimeOrRegion1);
    for (const LevelItem& item : kStations) s.Add(item);
    return s;
  }();
  return settings;
}

}  // namespace tw::settings
