#pragma once

#include "settings/page_settings.h"

namespace tw::settings {

// Other (532..534): three choices in number order.
const PageSettings& OtherSettings();

}  // namespace tw::settings
