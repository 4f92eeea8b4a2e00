#include "ui/dialogs/initialize_dlg.h"

#include "comm/link.h"
#include "model/command_table.h"
#include "ui/ui_services.h"

namespace tw::ui {

InitializeDialog::InitializeDialog(comm::Link& link, UiServices& ui)
    : ProgressDialog(kTemplate, "Initialize", "Tunewright Initializing...", link, ui) {}

void InitializeDialog::OnInitDialog() {
  resetCancel();
  progress_.setRange(low_, high_);
  progress_.setPosition(low_);
}

void InitializeDialog::OnCancelButton() {
  if (link_.linkMode() == comm::LinkMode::RealTime) {
    const bool agreed = AskOkCancel(ui_, msg::kStopInitialization, cancelCaption());
    // The attempt may have ended while the question was open; then there is nothing left
    // to cancel.
    if (!agreed || !isOpen()) return;
  }
  link_.CancelInitialize();
}

void InitializeDialog::OnCancel() { link_.FinishConnect(true); }

}  // namespace tw::ui
