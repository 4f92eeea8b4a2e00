#include "ui/dialogs/confirm_down_dlg.h"

namespace tw::ui {

ConfirmDownloadDialog::ConfirmDownloadDialog()
    : Dialog(kTemplate, "Notice", true),
      line1_(0, "The current data of the receiver will be overwritten."),
      line2_(0, "(Tunewright will download the configuration.)"),
      ok_(kIdOk, "OK"),
      cancel_(kIdCancel, "Cancel"),
      dontShowBox_(kDontShowBox, "Don't show this message again.") {
  ok_.onClicked = [this] { EndDialog(kIdOk); };
  cancel_.onClicked = [this] { EndDialog(kIdCancel); };
  // The member follows the box at once, so whatever ends the dialog finds it current.
  dontShowBox_.onClicked = [this] { dontShow_ = dontShowBox_.checked(); };
  setLayout(Column({Item(line1_), Item(line2_), Row({Item(ok_), Item(cancel_)}), Item(dontShowBox_)}));
}

void ConfirmDownloadDialog::OnInitDialog() { dontShowBox_.setChecked(dontShow_); }

}  // namespace tw::ui
