#pragma once

#include "settings/page_settings.h"

namespace tw::settings {

namespace ipod {
inline constexpr int kFirstNumber = 548;
inline constexpr int kSettingCount = 5;
}  // namespace ipod

// iPod (548..552): the dock's five settings, each one hex digit on the line. The dock
// operations and what the receiver reports while the dock plays are the page's own.
const PageSettings& IpodSettings();

}  // namespace tw::settings
