#include "ui/dialogs/progress_dialog.h"

#include "ui/ui_services.h"

namespace tw::ui {

ProgressDialog::ProgressDialog(int templateId, std::string caption, std::string_view text,
                               comm::Link& link, UiServices& ui)
    : Dialog(templateId, std::move(caption)),
      link_(link),
      ui_(ui),
      progress_(kProgressBar),
      text_(0, std::string(text)),
      target_(0),
      cancel_(kCancelButton, "Cancel") {
  cancel_.onClicked = [this] { cancelPressed(); };
  target_.setVisible(false);
  setLayout(Column({Item(text_), Item(target_), Item(progress_), Row({Item(cancel_)})}));
}

void ProgressDialog::setTargetNote(std::string note) {
  target_.setVisible(!note.empty());
  target_.setText(std::move(note));
}

void ProgressDialog::cancelPressed() {
  cancelCaption_ = caption() + " is Cancel";
  OnCancelButton();
}

void ProgressDialog::setRange(int low, int high) {
  low_ = low;
  high_ = high;
}

void ProgressDialog::OnOK() {
  if (!cancelCaption_.empty()) ui_.closeMessageBox(cancelCaption_);
  EndDialog(kIdOk);
}

}  // namespace tw::ui
