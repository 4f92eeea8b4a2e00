#pragma once

#include <QString>

#include "gui/startup.h"

namespace tw::session {
class ConfigurationDocument;
class Workbench;
}  // namespace tw::session

namespace tw::gui {

class MainWindow;
class QtDialogHost;
class QtUiServices;

// Writes PNGs into `folder` (created when missing), names prefixed by the working mode and
// the window size: the main window with each page active, a search with its results, and
// every dialog of this working mode. `size` empty: the window keeps its own size.
// Returns the number of files written.
int WriteScreenshots(MainWindow& window, session::Workbench& bench, session::ConfigurationDocument& document,
                     QtUiServices& ui, QtDialogHost& dialogs, WindowSize size, const QString& folder);

}  // namespace tw::gui
