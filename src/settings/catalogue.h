#pragma once

#include <span>

#include "settings/page_settings.h"

namespace tw::settings {

// The settings of the pages that have joined the catalogue, in sheet order.
std::span<const PageSettings* const> Catalogue();

}  // namespace tw::settings
