#pragma once

#include <array>
#include <string_view>

#include "settings/page_settings.h"

namespace tw::settings {

namespace graphic_eq {
inline constexpr int kChannelCount = 10;
inline constexpr int kFirstBand = 398;
inline constexpr int kBandCount = 7;
// In record order, which is also the order of the page's Channel list.
inline constexpr std::array<std::string_view, kChannelCount> kChannelNames = {
    "Center",          "Front L",    "Front R",    "Surround L", "Surround R",
    "Surround Back L", "Surround Back R", "Presence L", "Presence R", "Subwoofer"};
}  // namespace graphic_eq

// Graphic EQ (398..404): seven band gains for each of ten channels (one record per
// channel, whose code is 397). The Subwoofer's bands 3..7 are sent, but neither filed nor
// reported.
const PageSettings& GraphicEqSettings();

}  // namespace tw::settings
