#include "settings/speaker/speaker_values.h"

#include <cstdlib>

#include "settings/setting_items.h"
#include "settings/value_text.h"

namespace tw::settings::speaker {
namespace {

constexpr std::string_view kDb = "dB";

bool IsDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// "-12.5" with exactly `decimals` digits after the one point.
bool IsFixedPoint(std::string_view text, int decimals) {
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);
  const std::size_t point = text.find('.');
  if (point == std::string_view::npos) return false;
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction = text.substr(point + 1);
  return IsDigits(whole) && IsDigits(fraction) && fraction.size() == static_cast<std::size_t>(decimals);
}

}  // namespace

std::string LevelData(std::int32_t level) { return Hex((std::int64_t{level} + 200) / 5, 2, HexCase::Lower); }

std::string LevelLabel(std::int32_t level) { return " " + LevelText(level, kDb); }

DistanceRange RangeOfUnit(int unit) {
  if (unit == kUnitMeter) return {30, 2400, 10, 2};
  return {10, 800, 5, 1};
}

std::string DistanceText(std::int32_t distance, int unit) {
  const int decimals = RangeOfUnit(unit).decimals;
  const std::int64_t scale = decimals == 2 ? 100 : 10;
  const std::int64_t magnitude = std::llabs(std::int64_t{distance});
  std::string fraction = std::to_string(magnitude % scale);
  fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
  return (distance < 0 ? "-" : "") + std::to_string(magnitude / scale) + "." + fraction;
}

std::optional<std::int32_t> ParseDistanceText(std::string_view text, int unit) {
  const DistanceRange range = RangeOfUnit(unit);
  if (!IsFixedPoint(text, range.decimals)) return std::nullopt;
  const auto value = ParseLevelText(text, 0);
  if (!value || !InRangeAndStep(*value, range.min, range.max, range.step)) return std::nullopt;
  return value;
}

std::string DistanceCommand(char channelCode, int unit, std::int32_t distance) {
  std::string body = "20090411";
  body += channelCode;
  body += Hex(unit, 1, HexCase::Lower);
  body += Hex(distance, 3, HexCase::Lower);
  return MakeCommand(CommandFrame::ExtendedLower, body);
}

}  // namespace tw::settings::speaker
