#pragma once

#include "ui/controls/button.h"
#include "ui/controls/static_text.h"
#include "ui/dialogs/dialog.h"

namespace tw::ui {

// The notice before a download, with "Don't show this message again.". OK and Cancel keep
// their usual meaning; the caller reads dontShow() whatever ended it.
class ConfirmDownloadDialog final : public Dialog {
 public:
  static constexpr int kTemplate = 167;
  static constexpr int kDontShowBox = 1291;

  ConfirmDownloadDialog();

  Button& okButton() { return ok_; }
  Button& cancelButton() { return cancel_; }
  CheckBox& dontShowBox() { return dontShowBox_; }
  int dontShow() const { return dontShow_; }

 private:
  void OnInitDialog() override;

  int dontShow_ = 0;
  StaticText line1_;
  StaticText line2_;
  Button ok_;
  Button cancel_;
  CheckBox dontShowBox_;
};

}  // namespace tw::ui
