#pragma once

#include <QString>

namespace tw::pages {
class CQAmpToolDoc;
class Workbench;
}  // namespace tw::pages

namespace tw::gui {

class MainWindow;
class QtDialogHost;

// Writes PNGs of the main window with each page active and of the dialogs a user opens
// from it, into `folder` (created when missing), names prefixed by the working mode.
// Returns the number of files written.
int WriteScreenshots(MainWindow& window, pages::Workbench& bench, pages::CQAmpToolDoc& document,
                     QtDialogHost& dialogs, const QString& folder);

}  // namespace tw::gui
