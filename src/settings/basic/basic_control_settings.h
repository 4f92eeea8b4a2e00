#pragma once

#include "settings/page_settings.h"

namespace tw::settings {

// The main form's Basic Control group as files, reports, System Memories and `set` see it:
// section "Basic Control", the items 1..4 and 6..10 (input, audio select, decoder mode,
// sound program, extended surround, night mode and its parameter, volume, mute). The
// values are the list indexes the group stores; a command is the group's operation
// command for the whole block.
const PageSettings& BasicControlSettings();

}  // namespace tw::settings
