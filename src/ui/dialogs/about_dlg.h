#pragma once

#include "ui/controls/button.h"
#include "ui/controls/static_text.h"
#include "ui/dialogs/dialog.h"

namespace tw::ui {

// The About box of the Help menu.
class AboutDialog final : public Dialog {
 public:
  static constexpr int kTemplate = 100;

  // `logFolder`: where the communication logs go, said on a line of its own (none when empty).
  explicit AboutDialog(std::string logFolder = {});

  Button& okButton() { return ok_; }

 private:
  StaticText version_;
  StaticText year_;
  StaticText logs_;
  Button ok_;
};

}  // namespace tw::ui
