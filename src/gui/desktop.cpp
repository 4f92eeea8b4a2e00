#include "gui/desktop.h"

#include "gui/qt_dialog_host.h"
#include "gui/qt_ui_services.h"
#include "pages/workbench.h"

namespace tw::gui {

Desktop::Desktop(pages::Workbench& bench, QtUiServices& ui, QtDialogHost& dialogs, bool demo)
    : document_(bench, ui, dialogs), window_(bench, document_, ui, dialogs) {
  if (demo) bench.SelectPort(pages::Workbench::kVirtualDevice);
  window_.show();
  if (const auto& file = bench.app().fileToOpen()) document_.OnOpenDocument(*file);
}

}  // namespace tw::gui
