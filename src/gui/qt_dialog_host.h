#pragma once

#include <QPointer>
#include <QWidget>
#include <map>

#include "ui/dialogs/dialog.h"

namespace tw::gui {

class DialogWindow;

// Opens a window for each dialog model the application shows, application-modal, so the
// user reaches only the newest dialog until it ends; hideDialog takes it down at once.
class QtDialogHost final : public ui::DialogHost {
 public:
  explicit QtDialogHost(QWidget* owner = nullptr) : owner_(owner) {}
  ~QtDialogHost() override;

  void setOwner(QWidget* owner) { owner_ = owner; }

  void showDialog(ui::Dialog& dialog) override;
  void hideDialog(ui::Dialog& dialog) override;

  // The window of an open dialog, or null.
  DialogWindow* windowOf(const ui::Dialog& dialog) const;

 private:
  QPointer<QWidget> owner_;
  std::map<const ui::Dialog*, QPointer<DialogWindow>> windows_;
};

}  // namespace tw::gui
