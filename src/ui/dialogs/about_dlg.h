#pragma once

#include "ui/controls/button.h"
#include "ui/controls/static_text.h"
#include "ui/dialogs/dialog.h"

namespace tw::ui {

// The About box of the Help menu.
class CAboutDlg final : public Dialog {
 public:
  static constexpr int kTemplate = 100;

  CAboutDlg();

  Button& okButton() { return ok_; }

 private:
  StaticText version_;
  StaticText year_;
  Button ok_;
};

}  // namespace tw::ui
