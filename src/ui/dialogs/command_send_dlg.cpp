#include "ui/dialogs/command_send_dlg.h"

#include "comm/link.h"
#include "model/command_table.h"
#include "ui/ui_services.h"

namespace tw::ui {

CommandSendingDialog::CommandSendingDialog(comm::Link& link, UiServices& ui)
    : ProgressDialog(kTemplate, "Comannd Sending", "Command Sending...", link, ui) {}

void CommandSendingDialog::OnInitDialog() {
  resetCancel();
  withProgress_ = high_ > 1;
  setPlacement(withProgress_ ? DialogPlacement::Centered : DialogPlacement::HiddenCorner);
  if (withProgress_) {
    progress_.setRange(low_, high_);
    progress_.setPosition(low_);
  }
  if (link_.linkMode() == comm::LinkMode::Upload) setCaption("Upload " + caption());
  if (link_.linkMode() == comm::LinkMode::Download) setCaption("Download " + caption());
}

void CommandSendingDialog::setProgress(int position) {
  if (withProgress_) progress_.setPosition(position);
}

void CommandSendingDialog::OnCancelButton() {
  const bool agreed = AskOkCancel(ui_, msg::kInterruptTransmission, cancelCaption());
  // A list that ended while the question was open closed the question with the dialog.
  if (!agreed || !isOpen()) return;
  // An upload that loaded a memory writes the receiver's own settings back first.
  link_.InterruptCommands();
}

void CommandSendingDialog::showWriteBack(int first, int count) {
  // Said after the note on where the commands go.
  setTargetNote(targetNote().empty() ? std::string(kWriteBackNote) : targetNote() + " " + std::string(kWriteBackNote));
  withProgress_ = count > 0;
  progress_.setRange(first, first + count);
  progress_.setPosition(first);
}

// Esc asks the same question as the button: ending the dialog alone would leave the list
// running with nothing to block the user or to show its end.
void CommandSendingDialog::OnCancel() { cancelPressed(); }

}  // namespace tw::ui
