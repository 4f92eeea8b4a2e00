#pragma once

#include <QDialog>

#include "ui/dialogs/dialog.h"

namespace tw::gui {

class FormWidget;

// The window of one open dialog model: its form, caption and placement. Esc and the
// title-bar close box go to the model (pressEscape); only the model ends the dialog, and the
// host then takes the window down.
class DialogWindow final : public QDialog {
 public:
  DialogWindow(ui::Dialog& dialog, QWidget* parent);

  FormWidget& formWidget() const { return *form_; }
  ui::Dialog* dialog() const { return dialog_; }
  // The model has ended: forget it, hide, and go at the next turn of the event loop.
  void retire();

 protected:
  void reject() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  ui::Dialog* dialog_;
  FormWidget* form_;
};

}  // namespace tw::gui
