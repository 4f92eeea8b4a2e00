#pragma once

#include <string_view>

#include "settings/page_settings.h"

namespace tw::settings {

namespace io_assign {
inline constexpr int kFirstNumber = 254;
inline constexpr int kConnectorCount = 14;
inline constexpr int kInputCount = 13;
// Whether input `input` (0..12) may be assigned to connector `connector` (0..13).
bool IsAllowed(int connector, int input);
// The connector as the page's list shows it ("[A] Component IN 1", HDMI names indented).
std::string_view ListName(int connector);
}  // namespace io_assign

// I/O Assign (254..267): which input each digital, component and HDMI connector belongs
// to. A forbidden pair never reaches the receiver: a file that names one is refused, and a
// stored one is not sent. The report names each connector as the list does; the file
// writes its brackets as parentheses, without the list's indent.
const PageSettings& IoAssignSettings();

}  // namespace tw::settings
