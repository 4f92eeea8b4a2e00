#include "settings/value_text.h"

#include <climits>
#include <string>

namespace tw::settings {

std::optional<std::int32_t> ParseDecimal(std::string_view text) {
  bool negative = false;
  if (!text.empty() && text.front() == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  std::int64_t magnitude = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > std::int64_t{INT_MAX} + 1) return std::nullopt;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > INT_MAX || value < INT_MIN) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> ParseLevelText(std::string_view text, std::size_t unitLength) {
  if (text.size() <= unitLength) return std::nullopt;
  text.remove_suffix(unitLength);
  std::string digits;
  for (char c : text) {
    if (c != '.') digits += c;
  }
  return ParseDecimal(digits);
}

bool InRangeAndStep(std::int32_t value, std::int32_t min, std::int32_t max, std::int32_t step) {
  if (step < 1) step = 1;
  return value >= min && value <= max && value % step == 0;
}

}  // namespace tw::settings
