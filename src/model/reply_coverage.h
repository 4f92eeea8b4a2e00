#pragma once

#include <string_view>

#include "model/setting_key.h"

namespace tw::model {

// The settings that a report beginning with `prefix` can fill, whatever values the receiver
// completes it with: every entry of the reply decoding table that may decode such a frame
// (the first whose prefix `prefix` already begins, and every earlier one that extends
// `prefix`), each decoded from frames completed with every accepted value and applied to a
// factory image as an upload applies them. A setting no such report fills is left out.
SettingKeys SettingsReportedBy(std::string_view prefix);

}  // namespace tw::model
