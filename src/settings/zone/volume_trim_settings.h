#pragma once

#include "settings/page_settings.h"

namespace tw::settings {

// Volume Trim (383..396): the level trim of each input, in number order (also the send
// order).
const PageSettings& VolumeTrimSettings();

}  // namespace tw::settings
