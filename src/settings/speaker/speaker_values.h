#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The value encodings of the speaker pages: level data, distance ranges, distance texts and
// the distance command. Pure functions, so that every byte can be checked on its own.
namespace tw::settings::speaker {

// --- levels (tenths of a dB, -10.0 .. +10.0 in 0.5 dB steps) ---
inline constexpr std::int32_t kLevelMin = -100;
inline constexpr std::int32_t kLevelMax = 100;
inline constexpr std::int32_t kLevelStep = 5;

// The data digits of a level command: (level + 200) / 5 as two lower-case hex digits.
std::string LevelData(std::int32_t level);
// The readout beside a level slider: " -0.5dB", " 10.0dB" (a leading space).
std::string LevelLabel(std::int32_t level);

// --- distances ---
inline constexpr int kUnitMeter = 0;
inline constexpr int kUnitFeet = 1;

// The slider range of one unit, and how its texts are written: metres in hundredths (two
// decimals), feet in tenths (one decimal).
struct DistanceRange {
  std::int32_t min = 0;
  std::int32_t max = 0;
  std::int32_t step = 1;
  int decimals = 0;
  friend bool operator==(const DistanceRange&, const DistanceRange&) = default;
};

// Metres 30..2400 step 10 for unit 0; feet 10..800 step 5 for any other unit (the
// block's rule for its defaults as well).
DistanceRange RangeOfUnit(int unit);

// The value text of a distance in `unit`: "3.00" (metres), "10.0" (feet). The label beside
// the slider is the same text after one space.
std::string DistanceText(std::int32_t distance, int unit);
// A distance text of `unit` read back: only the unit's own form (digits, a point and the
// unit's number of decimals) inside the unit's range and on its step. A distance written
// in the other unit is refused rather than read ten times off.
std::optional<std::int32_t> ParseDistanceText(std::string_view text, int unit);

// The extended command that sets one distance: DC4 "20090411", the channel code, the unit
// as one lower-case hex digit, the distance as three lower-case hex digits, the checksum of
// those characters in lower case, ETX.
std::string DistanceCommand(char channelCode, int unit, std::int32_t distance);

}  // namespace tw::settings::speaker
