#include "ui/dialogs/dialog.h"

namespace tw::ui {

Dialog::Dialog(int templateId, std::string caption, bool systemMenu)
    : templateId_(templateId), templateCaption_(caption), caption_(std::move(caption)), systemMenu_(systemMenu),
      form_(std::make_unique<Form>(templateCaption_, Column({}))) {}

Dialog::~Dialog() {
  // A dialog destroyed while shown must not leave a window behind that points at it.
  if (shown_ && host_ != nullptr) host_->hideDialog(*this);
}

void Dialog::setLayout(LayoutNode root, bool consumesArrowKeys) {
  form_ = std::make_unique<Form>(templateCaption_, std::move(root), consumesArrowKeys);
}

bool Dialog::DoModal(DialogHost& host, std::function<void(int result)> onEnd) {
  if (open_) return false;
  host_ = &host;
  onEnd_ = std::move(onEnd);
  caption_ = templateCaption_;
  placement_ = DialogPlacement::Centered;
  result_ = 0;
  open_ = true;
  OnInitDialog();
  // The initialisation may already have ended it.
  if (open_) {
    shown_ = true;
    host.showDialog(*this);
  }
  return true;
}

void Dialog::pressEscape() {
  if (open_) OnCancel();
}

void Dialog::EndDialog(int result) {
  if (!open_) return;
  open_ = false;
  result_ = result;
  if (shown_ && host_ != nullptr) {
    shown_ = false;
    host_->hideDialog(*this);
  }
  // The continuation may destroy this dialog: nothing of it is touched afterwards.
  std::function<void(int)> onEnd = std::move(onEnd_);
  onEnd_ = nullptr;
  if (onEnd) onEnd(result);
}

}  // namespace tw::ui
