#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tw::settings {

// Reads a level text as the files write it ("-12.5dB"): the last `unitLength` characters
// (the unit) are dropped, every "." is removed, and the rest must be a decimal integer with
// an optional leading minus sign ("-125"). Anything else, or a value beyond int, gives
// nothing, so that a bad file entry can leave its parameter unchanged.
std::optional<std::int32_t> ParseLevelText(std::string_view text, std::size_t unitLength);

// A strict decimal integer: optional minus sign, then at least one digit and nothing else.
std::optional<std::int32_t> ParseDecimal(std::string_view text);

// True when `value` lies in min..max and is a multiple of `step` (a step below 1 counts
// as 1).
bool InRangeAndStep(std::int32_t value, std::int32_t min, std::int32_t max, std::int32_t step);

}  // namespace tw::settings
