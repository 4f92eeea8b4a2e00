#include "ui/dialogs/user_memo_dlg.h"

namespace tw::ui {

UserMemoDialog::UserMemoDialog(std::string memo)
    : Dialog(kTemplate, "User Memo"), memo_(std::move(memo)), edit_(kMemoEdit, kMaxMemoLength), ok_(kIdOk, "OK"),
      cancel_(1246, "Cancel") {
  edit_.setMultiLine(true);
  // The memo is the user's own text, in whatever script it is typed.
  edit_.setUtf8(true);
  ok_.onClicked = [this] {
    memo_ = edit_.text();
    EndDialog(kIdOk);
  };
  cancel_.onClicked = [this] { EndDialog(kIdCancel); };
  setLayout(Column({Item(edit_), Row({Item(ok_), Item(cancel_)})}));
}

void UserMemoDialog::OnInitDialog() { edit_.setText(memo_); }

}  // namespace tw::ui
