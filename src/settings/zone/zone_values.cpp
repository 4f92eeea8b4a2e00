#include "settings/zone/zone_values.h"

#include <array>

#include "settings/setting_items.h"

namespace tw::settings::zone {
namespace {

// The internal amplifier outputs each choice takes, as bits: [1] = 1, [2] = 2.
constexpr std::array<std::int32_t, kAmplifierCount> kOutputsUsed = {0, 1, 2, 3};

std::int32_t OutputsOf(std::int32_t amplifier) {
  return amplifier >= 0 && amplifier < kAmplifierCount ? kOutputsUsed[static_cast<std::size_t>(amplifier)] : 0;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string VolumeData(std::int32_t volume) {
  if (volume <= kVolumeMin) return "00";
  return Hex(volume / kVolumeStep + 199, 2, HexCase::Upper);
}

std::string BalanceData(std::int32_t balance) { return Hex(balance, 2, HexCase::Upper); }

bool AmplifierAllowed(std::int32_t choice, std::int32_t other) { return (OutputsOf(choice) & OutputsOf(other)) == 0; }

std::string TrimData(std::int32_t trim) { return Hex((trim - kTrimMin) / kTrimStep, 2, HexCase::Lower); }

std::optional<std::int32_t> ParseTrimText(std::string_view text) {
  if (text.ends_with("dB")) text.remove_suffix(2);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  std::string_view whole = text;
  std::string_view tenth;
  if (const auto point = text.find('.'); point != std::string_view::npos) {
    whole = text.substr(0, point);
    tenth = text.substr(point + 1);
    if (tenth.size() != 1 || !IsDigit(tenth.front())) return std::nullopt;
  }
  // Two digits are enough for any trim; more could only overflow.
  if (whole.empty() || whole.size() > 2) return std::nullopt;
  std::int32_t value = 0;
  for (char c : whole) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  value = value * 10 + (tenth.empty() ? 0 : tenth.front() - '0');
  return negative ? -value : value;
}

}  // namespace tw::settings::zone
