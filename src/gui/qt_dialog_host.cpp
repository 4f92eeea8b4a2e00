#include "gui/qt_dialog_host.h"

#include <QApplication>

#include "gui/dialog_window.h"

namespace tw::gui {

QtDialogHost::~QtDialogHost() {
  for (auto& [dialog, window] : windows_) {
    if (window) {
      window->retire();
      delete window.data();
    }
  }
}

void QtDialogHost::showDialog(ui::Dialog& dialog) {
  hideDialog(dialog);
  QWidget* parent = QApplication::activeModalWidget();
  if (parent == nullptr) parent = owner_.data();
  auto* window = new DialogWindow(dialog, parent);
  windows_[&dialog] = window;
  window->show();
  window->raise();
  window->activateWindow();
}

void QtDialogHost::hideDialog(ui::Dialog& dialog) {
  const auto found = windows_.find(&dialog);
  if (found == windows_.end()) return;
  QPointer<DialogWindow> window = found->second;
  windows_.erase(found);
  if (window) window->retire();
}

DialogWindow* QtDialogHost::windowOf(const ui::Dialog& dialog) const {
  const auto found = windows_.find(&dialog);
  return found == windows_.end() ? nullptr : found->second.data();
}

}  // namespace tw::gui
