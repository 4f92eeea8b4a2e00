#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw::settings::tuner {

// A tuner frequency as the block and the line hold it: six characters, FM as "087.50"
// (MHz, a decimal point at index 3), AM as "000630" (kHz, leading zeros).
enum class Band { Am, Fm };

inline constexpr std::size_t kFrequencyLength = 6;

// True for exactly the two six-character forms above.
bool IsFrequencyText(std::string_view text);
// "1" for FM (the text has a decimal point), "0" for AM: the digit before the text on the line.
char BandDigit(std::string_view text);

// The display form of files, reports and lists: "087.50" is "FM 87.5MHz", "090.00" is
// "FM 90.0MHz", "000630" is "AM 630kHz"; a text that is not six characters long stays as it is.
// Bytes outside printable ASCII show as "?".
std::string DisplayForm(std::string_view text);
// The display form back to the six-character text ("FM 87.5MHz" gives "087.50", "AM 630kHz"
// gives "000630"); a text without "FM" or "AM" is taken as it stands. Nothing when the result
// is not one of the two six-character forms.
std::optional<std::string> FrequencyFromDisplay(std::string_view display);

// The frequencies the receiver of a tuner region tunes, in ascending order; empty for a
// region outside 0..3.
std::vector<std::string> FrequencyList(int region, Band band);
bool IsInRegionList(int region, std::string_view text);

// "AM10 / FM200  (USA, Canada)" for region 1; empty outside 0..3 (a region without bands).
std::string_view RegionName(int region);

}  // namespace tw::settings::tuner
