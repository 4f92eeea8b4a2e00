#pragma once

#include <string_view>
#include <vector>

#include "comm/upload_interruption.h"

namespace tw::comm {

// What the link asks of the main view. The link runs the connection, the command lists
// and their timers itself; the view only shows what happens and tells its pages.
// Every operation has an empty default, so a front end (the command-line tool, a test)
// overrides only what it shows. All calls come on the user-interface thread, from inside
// the link's own event handling: an implementation must not block, and may call back into
// the link (for example Close()) only where this header says so.
class LinkView {
 public:
  virtual ~LinkView() = default;

  // --- connection status ---
  // The connection status line; one of LinkText(301/302/303).
  virtual void SetStatusText(std::string_view /*text*/) {}
  // Enables or disables one of the connection controls (kPortListControl, kOpenButton,
  // kCloseButton, kDataReloadGroup, kReloadButton).
  virtual void EnableControl(int /*controlId*/, bool /*enabled*/) {}
  // The status bar's message text: "GUARD" or "ERROR" for one second, then "" again.
  virtual void SetStatusBarText(std::string_view /*text*/) {}
  // A message box with the stop icon and an OK button; the text is LinkText(id)
  // (201, 202, 203 or 205). The link goes on when this returns.
  virtual void ShowMessage(int /*id*/) {}

  // --- the two progress dialogs (modeless here: the link ends them) ---
  // The Initialize dialog opens when a connection attempt begins, with the range
  // 0..rangeHigh (the command table length); its position is the start-up row answered.
  virtual void OpenInitializeDialog(int /*rangeHigh*/) {}
  virtual void SetInitializeProgress(int /*position*/) {}
  virtual void CloseInitializeDialog() {}
  // The Command Sending dialog runs while a command list is worked off; its range is
  // 0..rangeHigh (the number of list entries), its position the index of the entry answered.
  // With a range of 1 or less it shows nothing but still blocks user input.
  virtual void OpenCommandDialog(int /*rangeHigh*/) {}
  virtual void SetCommandProgress(int /*position*/) {}
  virtual void CloseCommandDialog() {}

  // --- refreshes (the images changed under the controls) ---
  // The Basic Control group and every page show the image in use again.
  virtual void RefreshAllPages() {}
  // One item of the Basic Control group (numbers 1..14); `update` pushes it to the screen.
  virtual void RefreshBasicItem(int /*number*/, bool /*update*/) {}
  // Up to five parameter numbers of the active page: RefreshItem for each, the update flag
  // on the last one, then the page's and the form's focus restore.
  virtual void RefreshActiveItems(const std::vector<int>& /*numbers*/) {}
  // After a Real Time connect attempt: the capabilities may have changed (decoder list,
  // Zone 2 / Zone 3 power boxes, every page's UpdateAvailability).
  virtual void UpdateCapabilities() {}
  // A list completed: the form and the active page put the focus back.
  virtual void RestoreFocus() {}
  // An upload or download (`linkMode` 2 or 3) ended without every command acknowledged:
  // `failed` of the `total` commands it sent were given up (each one is in the error log).
  virtual void ShowFailedTransfer(int /*linkMode*/, int /*failed*/, int /*total*/) {}
  // An upload read every setting and memory, but of the `total` commands it sent, the
  // write-back commands of `numbers` (parameter numbers) were given up: the images keep what
  // was read, and the receiver may not hold those settings as before.
  virtual void ShowFailedWriteBack(const std::vector<int>& /*numbers*/, int /*total*/) {}

  // An upload that had loaded a System Memory was interrupted or failed: the write-back of
  // the settings read begins (its entries follow in the command dialog), completed, or the
  // receiver could not be restored. Comes before the list's CommandsFinished.
  virtual void UploadInterrupted(const UploadInterruption& /*what*/) {}

  // --- continuations ---
  // A connection attempt (Open, and the connect of an Upload or Download), with all its
  // retries, has ended; `connected` tells how. An upload or download list starts after this.
  virtual void ConnectFinished(bool /*connected*/) {}
  // A command list has ended: 0 completed, 1 failed, 2 cable error.
  virtual void CommandsFinished(int /*result*/) {}
};

}  // namespace tw::comm
