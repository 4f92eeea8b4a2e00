#pragma once

#include "ui/controls/button.h"
#include "ui/controls/static_text.h"
#include "ui/dialogs/dialog.h"

namespace tw::ui {

// Asks at start-up how to work. Ends with 1244 (Async Mode), 1245 (Real Time Mode) or
// 2 (its Cancel button, or Esc).
class StartModeDialog final : public Dialog {
 public:
  static constexpr int kTemplate = 145;
  static constexpr int kAsyncButton = 1244;
  static constexpr int kRealTimeButton = 1245;
  static constexpr int kCancelButton = 1246;

  StartModeDialog();

  Button& asyncButton() { return async_; }
  Button& cancelButton() { return cancel_; }

 private:
  StaticText welcome_;
  Button async_;
  Button realTime_;
  Button cancel_;
};

}  // namespace tw::ui
