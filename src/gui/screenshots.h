#pragma once

#include <QString>

namespace tw::gui {

class DesktopSession;
class MainWindow;
class QtDialogHost;

// Writes PNGs of the main window with each page active and of the dialogs a user opens
// from it, into `folder` (created when missing), names prefixed by the working mode.
// Returns the number of files written.
int WriteScreenshots(MainWindow& window, DesktopSession& session, QtDialogHost& dialogs,
                     const QString& folder);

}  // namespace tw::gui
