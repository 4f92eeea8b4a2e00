#pragma once

#include "ui/controls/button.h"
#include "ui/controls/edit_box.h"
#include "ui/dialogs/dialog.h"

#include <string>

namespace tw::ui {

// Edits the user memo kept with the configuration (at most 1024 characters).
class UserMemoDialog final : public Dialog {
 public:
  static constexpr int kTemplate = 155;
  static constexpr int kMemoEdit = 1249;
  static constexpr std::size_t kMaxMemoLength = 1024;

  explicit UserMemoDialog(std::string memo = {});

  EditBox& memoEdit() { return edit_; }
  Button& okButton() { return ok_; }
  Button& cancelButton() { return cancel_; }
  // The memo: the initial text, and after OK the edited one.
  const std::string& memo() const { return memo_; }

 private:
  void OnInitDialog() override;

  std::string memo_;
  EditBox edit_;
  Button ok_;
  Button cancel_;
};

}  // namespace tw::ui
