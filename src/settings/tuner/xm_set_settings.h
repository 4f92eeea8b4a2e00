#pragma once

#include <optional>
#include <string_view>

#include "settings/page_settings.h"

namespace tw::settings {

namespace xm_set {
inline constexpr int kFirstNumber = 477;
inline constexpr std::int32_t kStationMax = 255;
// A station number as a file or the number box holds it: decimal digits, nothing else.
std::optional<std::int32_t> StationNumber(std::string_view text);
}  // namespace xm_set

// XM Set (477..516): 40 XM preset station numbers 0..255, pages A..E of eight. They exist
// only on receivers with XM: without it nothing is sent.
const PageSettings& XmSetSettings();

}  // namespace tw::settings
