#pragma once

#include "ui/controls/button.h"
#include "ui/controls/progress_bar.h"
#include "ui/controls/static_text.h"
#include "ui/dialogs/dialog.h"

#include <string>
#include <string_view>

namespace tw::comm {
class Link;
}

namespace tw::ui {

class UiServices;

// What the two dialogs that run while the link works share: a text, a progress bar whose
// range is set before DoModal, and a Cancel button whose question box is captioned
// "<caption> is Cancel" so that the end of the work can close it unanswered.
class ProgressDialog : public Dialog {
 public:
  static constexpr int kProgressBar = 1240;
  static constexpr int kCancelButton = 1246;

  // Before DoModal: the range of the bar.
  void setRange(int low, int high);
  // Before DoModal: a line under the text that says where the work goes (empty: none).
  void setTargetNote(std::string note);
  const std::string& targetNote() const { return target_.text(); }

  // The link ended the work: a Cancel question still open closes unanswered, then the
  // dialog ends with OK.
  void OnOK();

  ProgressBar& progress() { return progress_; }
  Button& cancelButton() { return cancel_; }
  // The caption of the Cancel question, empty before any Cancel.
  const std::string& cancelCaption() const { return cancelCaption_; }

 protected:
  ProgressDialog(int templateId, std::string caption, std::string_view text, comm::Link& link,
                 UiServices& ui);

  // The Cancel button: names the question's caption, then the dialog's own handling.
  void cancelPressed();
  virtual void OnCancelButton() = 0;
  // Starts a new run: no Cancel question yet.
  void resetCancel() { cancelCaption_.clear(); }

  comm::Link& link_;
  UiServices& ui_;
  int low_ = 0;
  int high_ = 0;
  ProgressBar progress_;

 private:
  std::string cancelCaption_;
  StaticText text_;
  StaticText target_;
  Button cancel_;
};

}  // namespace tw::ui
