#include "gui/desktop.h"

#include <QTimer>
#include <filesystem>
#include <fstream>

#include "gui/qt_dialog_host.h"
#include "gui/qt_ui_services.h"
#include "session/workbench.h"

namespace tw::gui {
namespace {

// Why `path` cannot be read as a configuration file; empty when it can.
std::string Unreadable(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return "there is no such file";
  if (!std::filesystem::is_regular_file(path, error)) return "it is not a file";
  if (!std::ifstream(path, std::ios::binary).is_open()) return "it cannot be read";
  return {};
}

}  // namespace

Desktop::Desktop(session::Workbench& bench, QtUiServices& ui, QtDialogHost& dialogs, bool demo)
    : ui_(ui), document_(bench, ui, dialogs), window_(bench, document_, ui, dialogs) {
  if (demo) bench.SelectPort(session::Workbench::kVirtualDevice);
  window_.show();
  // After the window has come up, so that a message about the file has a window under it.
  if (const auto& file = bench.app().fileToOpen()) {
    QTimer::singleShot(0, &window_, [this, path = *file] { openAtStartUp(path); });
  }
}

void Desktop::openAtStartUp(const std::string& path) {
  if (const std::string reason = Unreadable(path); !reason.empty()) {
    ui_.messageBox("The configuration file " + path + " cannot be opened: " + reason +
                       ".\nTunewright goes on without it; use File > Open to choose another.",
                   ui::kApplicationTitle, ui::MessageIcon::Exclamation, ui::MessageButtons::Ok);
    return;
  }
  document_.OnOpenDocument(path);
}

}  // namespace tw::gui
