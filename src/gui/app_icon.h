#pragma once

#include <QIcon>

namespace tw::gui {

// The program's icon, drawn from its vector image at every size a window system asks for,
// so that it stays sharp on high-density screens.
QIcon AppIcon();

}  // namespace tw::gui
