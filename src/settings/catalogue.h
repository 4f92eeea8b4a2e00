#pragma once

#include <span>
#include <string_view>

#include "settings/page_settings.h"

namespace tw::settings {

// Every setting of the program as data: the settings of the nineteen sheet pages in sheet
// order. The Basic Control group's are apart (BasicControlSettings).
std::span<const PageSettings* const> Catalogue();

// The settings of the page captioned `caption` exactly, the Basic Control group's
// included; null when there is none.
const PageSettings* FindPageSettings(std::string_view caption);

}  // namespace tw::settings
