#pragma once

#include <optional>

#include "ui/controls/control.h"

namespace tw::gui {

// The model's navigation key for a Qt key code (keypad keys included), or nothing.
std::optional<ui::Key> NavigationKey(int qtKey);

}  // namespace tw::gui
