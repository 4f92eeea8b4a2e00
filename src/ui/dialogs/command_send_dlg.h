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

// Runs while the link works off a command list, and blocks the user meanwhile. With a
// single command it opens as an invisible 1 by 1 pixel window without progress.
class CCommandSendDlg final : public Dialog {
 public:
  static constexpr int kTemplate = 154;
  static constexpr int kProgressBar = 1240;
  static constexpr int kCancelButton = 1246;

  CCommandSendDlg(comm::CCommClass& link, UiServices& ui);

  // Before DoModal: the range of the bar (0 .. the number of commands).
  void setRange(int low, int high);
  // Moves the bar, only when the dialog shows progress.
  void setProgress(int position);
  bool withProgress() const { return withProgress_; }

  // The list ended: a Cancel question still open closes unanswered, then the dialog ends.
  void OnOK();

  ProgressBar& progress() { return progress_; }
  Button& cancelButton() { return cancel_; }
  const std::string& cancelCaption() const { return cancelCaption_; }

 private:
  void OnInitDialog() override;
  void OnCancel() override;
  void OnCancelButton();

  comm::CCommClass& link_;
  UiServices& ui_;
  int low_ = 0;
  int high_ = 0;
  bool withProgress_ = false;
  std::string cancelCaption_;
  StaticText text_;
  ProgressBar progress_;
  Button cancel_;
};

}  // namespace tw::ui
