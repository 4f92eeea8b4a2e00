#pragma once

#include "ui/controls/button.h"
#include "ui/controls/progress_bar.h"
#include "ui/controls/static_text.h"
#include "ui/dialogs/dialog.h"

#include <string>

namespace tw::comm {
class CCommClass;
}

namespace tw::ui {

class UiServices;

// Runs while a connection attempt is made; the link opens the port, runs the handshake and
// the start-up read, moves the bar and ends the dialog (through the view) with OK.
// Its "Cancel" stops the attempt but keeps the port (the link counts as connected, the
// image shows factory defaults or the upload backup); Esc ends the attempt as failed.
class CInitializeDlg final : public Dialog {
 public:
  static constexpr int kTemplate = 153;
  static constexpr int kProgressBar = 1240;
  static constexpr int kCancelButton = 1246;

  CInitializeDlg(comm::CCommClass& link, UiServices& ui);

  // Before DoModal: the range of the bar (0 .. the command table length).
  void setRange(int low, int high);
  void setProgress(int position) { progress_.setPosition(position); }

  // The link ended the attempt: a Cancel question still open closes unanswered, then the
  // dialog ends with OK.
  void OnOK();

  ProgressBar& progress() { return progress_; }
  Button& cancelButton() { return cancel_; }
  // The caption of the Cancel question ("<caption> is Cancel"), empty before any Cancel.
  const std::string& cancelCaption() const { return cancelCaption_; }

 private:
  void OnInitDialog() override;
  void OnCancel() override;
  void OnCancelButton();

  comm::CCommClass& link_;
  UiServices& ui_;
  int low_ = 0;
  int high_ = 0;
  std::string cancelCaption_;
  StaticText text_;
  ProgressBar progress_;
  Button cancel_;
};

}  // namespace tw::ui
