#pragma once

#include <string>

#include "gui/main_window.h"
#include "session/configuration_document.h"

namespace tw::session {
class Workbench;
}

namespace tw::gui {

class QtDialogHost;
class QtUiServices;

// What the program shows once the workbench has started with a window: the document over
// the workbench and the main window, shown, with the virtual receiver selected for the
// demo. The configuration file named on the command line opens once the window is up; one
// that cannot be opened is reported once, and the program goes on without it.
class Desktop {
 public:
  Desktop(session::Workbench& bench, QtUiServices& ui, QtDialogHost& dialogs, bool demo);

  session::ConfigurationDocument& document() { return document_; }
  MainWindow& window() { return window_; }

 private:
  void openAtStartUp(const std::string& path);

  QtUiServices& ui_;
  session::ConfigurationDocument document_;
  MainWindow window_;
};

}  // namespace tw::gui
