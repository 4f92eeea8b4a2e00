#include "ui/dialogs/start_mode_dlg.h"

namespace tw::ui {

StartModeDialog::StartModeDialog()
    : Dialog(kTemplate, "Start Mode"),
      welcome_(0,
               "\"Welcome to Tunewright, How would you like to work? Asynchronous mode for downloading later or "
               "Real-time Mode.\""),
      async_(kAsyncButton, "Async Mode"),
      realTime_(kRealTimeButton, "Real Time Mode"),
      cancel_(kCancelButton, "Cancel") {
  async_.onClicked = [this] { EndDialog(kAsyncButton); };
  realTime_.onClicked = [this] { EndDialog(kRealTimeButton); };
  cancel_.onClicked = [this] { EndDialog(kIdCancel); };
  setLayout(Column({Item(welcome_), Row({Item(async_), Item(realTime_), Item(cancel_)})}), true);
}

}  // namespace tw::ui
