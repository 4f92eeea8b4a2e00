#pragma once

#include "settings/page_settings.h"

namespace tw::settings {

// Speaker Set (427..435): the speaker configuration, one choice each in number order.
const PageSettings& SpeakerSetSettings();

}  // namespace tw::settings
