#pragma once

#include <array>

#include "settings/page_settings.h"

namespace tw::settings {

namespace display_set {
inline constexpr int kOsdShift = 520;
inline constexpr int kDimmer = 525;
// The radio groups' parameters, in file order.
inline constexpr std::array<int, 7> kChoices = {517, 518, 519, 521, 526, 527, 528};
}  // namespace display_set

// Display Set (517..528): seven choices and two levels (Dimmer, OSD Shift).
const PageSettings& DisplaySetSettings();

}  // namespace tw::settings
