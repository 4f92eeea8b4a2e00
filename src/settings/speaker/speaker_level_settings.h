#pragma once

#include "settings/page_settings.h"

namespace tw::settings {

// Speaker Level (268..277): the level trim of each channel, in number order.
const PageSettings& SpeakerLevelSettings();

}  // namespace tw::settings
