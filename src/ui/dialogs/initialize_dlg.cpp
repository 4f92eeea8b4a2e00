#include "ui/dialogs/initialize_dlg.h"

#include "comm/comm_class.h"
#include "model/command_table.h"
#include "ui/ui_services.h"

namespace tw::ui {

CInitializeDlg::CInitializeDlg(comm::CCommClass& link, UiServices& ui)
    : Dialog(kTemplate, "Initialize"),
      link_(link),
      ui_(ui),
      text_(0, "Tunewright Initializing..."),
      progress_(kProgressBar),
      cancel_(kCancelButton, "Cancel") {
  cancel_.onClicked = [this] { OnCancelButton(); };
  setLayout(Column({Item(text_), Item(progress_), Row({Item(cancel_)})}));
}

void CInitializeDlg::setRange(int low, int high) {
  low_ = low;
  high_ = high;
}

void CInitializeDlg::OnInitDialog() {
  cancelCaption_.clear();
  progress_.setRange(low_, high_);
  progress_.setPosition(low_);
}

void CInitializeDlg::OnCancelButton() {
  cancelCaption_ = caption() + " is Cancel";
  if (link_.linkMode() == model::kLinkRealTime) {
    const bool agreed = AskOkCancel(ui_, msg::kStopInitialization, cancelCaption_);
    // The attempt may have ended while the question was open; then there is nothing left
    // to cancel.
    if (!agreed || !isOpen()) return;
  }
  link_.CancelInitialize();
}

void CInitializeDlg::OnCancel() { link_.FinishConnect(true); }

void CInitializeDlg::OnOK() {
  if (!cancelCaption_.empty()) ui_.closeMessageBox(cancelCaption_);
  EndDialog(kIdOk);
}

}  // namespace tw::ui
