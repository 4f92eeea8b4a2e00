#pragma once

#include <string_view>
#include <vector>

#include "comm/link_constants.h"
#include "comm/upload_interruption.h"

namespace tw::comm {

// Where the connection stands, as the user sees it.
enum class ConnectionState {
  NotConnected,  // no port open
  Connecting,    // the port is open and the handshake runs
  // Scanning: this port could not be opened; the scan moves on to the next one at the next
  // retry, and may be stopped meanwhile.
  WaitingForNextPort,
  Connected,
};

// The word the status bar shows for a second.
enum class StatusWord { None, Guard, Error };

// What the link has to tell the user; the link goes on once it has been told.
enum class LinkMessage {
  InitFailed,       // the connection could not be made
  PortError,        // the port could not be opened
  ConnectionCheck,  // the keep-alive went unanswered: the connection is closed
  CableCheck,       // the cable or the port went away during a list
};

// What the link is running, with its progress: a connection attempt (its position is the
// start-up row answered, of the command table's rows) or a command list (its position is
// the index of the entry answered, of the list's entries).
enum class LinkActivity { None, Connecting, SendingCommands };

// What the link publishes. The link runs the connection, the command lists and their timers
// itself; an observer only shows what happens and tells its pages.
// Every operation has an empty default, so a front end (the command-line tool, a test)
// overrides only what it shows. All calls come on the user-interface thread, from inside
// the link's own event handling: an implementation must not block, and may call back into
// the link (for example Close()) only where this header says so.
class LinkObserver {
 public:
  virtual ~LinkObserver() = default;

  // --- connection ---
  virtual void ConnectionChanged(ConnectionState /*state*/) {}
  // "GUARD" or "ERROR" for one second, then nothing again.
  virtual void StatusWordChanged(StatusWord /*word*/) {}
  virtual void MessageRaised(LinkMessage /*message*/) {}

  // --- activity and progress ---
  // An activity begins with the progress range 0..range, or ends (None). A list with a range
  // of 1 or less shows no progress but still holds the user off.
  virtual void ActivityChanged(LinkActivity /*activity*/, int /*range*/) {}
  virtual void ProgressChanged(LinkActivity /*activity*/, int /*position*/) {}

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

  // --- results ---
  // An upload or download ended without every command acknowledged: `failed` of the
  // `total` commands it sent were given up (each one is in the error log).
  virtual void TransferFailed(LinkMode /*mode*/, int /*failed*/, int /*total*/) {}
  // An upload read every setting and memory, but of the `total` commands it sent, the
  // write-back commands of `numbers` (parameter numbers) were given up: the images keep what
  // was read, and the receiver may not hold those settings as before.
  virtual void WriteBackFailed(const std::vector<int>& /*numbers*/, int /*total*/) {}
  // An upload that had loaded a System Memory was interrupted or failed: the write-back of
  // the settings read begins (its entries follow in the list's progress), completed, or the
  // receiver could not be restored. Comes before the list's CommandsFinished.
  virtual void UploadInterrupted(const UploadInterruption& /*what*/) {}

  // --- continuations ---
  // A connection attempt (Open, and the connect of an Upload or Download), with all its
  // retries, has ended; `connected` tells how. An upload or download list starts after this.
  virtual void ConnectFinished(bool /*connected*/) {}
  // A command list has ended.
  virtual void CommandsFinished(ListResult /*result*/) {}
};

}  // namespace tw::comm
