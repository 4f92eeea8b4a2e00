#pragma once

#include "ui/dialogs/progress_dialog.h"

namespace tw::ui {

// Runs while a connection attempt is made; the link opens the port, runs the handshake and
// the start-up read, moves the bar and ends the dialog (through the view) with OK.
// Its "Cancel" stops the attempt but keeps the port (the link counts as connected, the
// image shows factory defaults or the upload backup); Esc ends the attempt as failed.
class InitializeDialog final : public ProgressDialog {
 public:
  static constexpr int kTemplate = 153;

  InitializeDialog(comm::Link& link, UiServices& ui);

  void setProgress(int position) { progress_.setPosition(position); }

 private:
  void OnInitDialog() override;
  void OnCancel() override;
  void OnCancelButton() override;
};

}  // namespace tw::ui
