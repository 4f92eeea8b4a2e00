#pragma once

#include "ui/dialogs/progress_dialog.h"

namespace tw::ui {

// Runs while the link works off a command list, and blocks the user meanwhile. With a
// single command it opens as an invisible 1 by 1 pixel window without progress.
class CommandSendingDialog final : public ProgressDialog {
 public:
  static constexpr int kTemplate = 154;

  CommandSendingDialog(comm::Link& link, UiServices& ui);

  // Moves the bar, only when the dialog shows progress.
  void setProgress(int position);
  bool withProgress() const { return withProgress_; }
  // An interrupted upload writes the receiver's own settings back: the bar follows list
  // entries first..first + count, and a line says so.
  void showWriteBack(int first, int count);

  static constexpr std::string_view kWriteBackNote =
      "Interrupted: writing the receiver's own settings back. Cancel again to stop at once.";

 private:
  void OnInitDialog() override;
  void OnCancel() override;
  void OnCancelButton() override;

  bool withProgress_ = false;
};

}  // namespace tw::ui
