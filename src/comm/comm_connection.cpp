// Connection attempts as the main view runs them: Open, Upload and Download with the
// Initialize dialog, the retry and port-scan rule, the end of a connect attempt and of a
// command list, and the routing of the link's timers.

#include "comm/comm_class.h"
#include "comm/link_log.h"
#include "comm/link_view.h"
#include "comm/scheduler.h"
#include "comm/serial_port.h"

namespace tw::comm {
namespace {

constexpr int kFixedPortAttempts = 5;
constexpr int kScanAttemptsPerPort = 3;

}  // namespace

void CCommClass::takeUploadBackup() {
  uploadBackup_ = std::make_unique<std::array<model::ParameterImage, model::kImageCount>>(images_.All());
}

void CCommClass::restoreUploadBackup() {
  if (!uploadBackup_) return;
  images_.All() = *uploadBackup_;
  uploadBackup_.reset();
  // One stopped while it read a memory would leave that memory's image in use, so that the
  // pages and a download would work on it.
  images_.SelectInUse(0);
}

void CCommClass::Open(const PortChoice& ports) { beginOperation(linkMode_, {}, PendingOperation::None, ports); }

void CCommClass::Upload(const PortChoice& ports) {
  beginOperation(model::kLinkUpload, "Async Mode Upload Start", PendingOperation::Upload, ports);
}

void CCommClass::Download(const PortChoice& ports) {
  beginOperation(model::kLinkDownload, "Async Mode Download Start", PendingOperation::Download, ports);
}

void CCommClass::beginOperation(int mode, std::string_view comment, PendingOperation operation, const PortChoice& ports) {
  if (operation != PendingOperation::None) {
    linkMode_ = mode;
    if (log_) log_->BeginTransferLog(linkMode_);
    logComment(comment);
    if (operation == PendingOperation::Upload) takeUploadBackup();
  }
  pending_ = operation;
  forgetInterruption();

  // Open
  if (linkMode_ == model::kLinkIdle) linkMode_ = model::kLinkRealTime;
  if (log_) log_->BeginTransferLog(linkMode_);
  logComment("RealTime Mode Start");
  retryCount_ = 0;
  ports_ = ports;
  portIndex_ = ports.scan && !ports.ports.empty() ? 1 : -1;
  connectWithDialog(true);
}

void CCommClass::connectWithDialog(bool firstAttempt) {
  if (firstAttempt) {
    savedLinkOperation_ = linkMode_;
  } else {
    linkMode_ = savedLinkOperation_;
  }
  attemptRunning_ = true;
  initDialogOpen_ = true;
  view_->OpenInitializeDialog(model::kTableLength);

  std::string device = ports_.fixed;
  if (portIndex_ >= 1) {
    const auto position = static_cast<std::size_t>(portIndex_ - 1);
    device = position < ports_.ports.size() ? ports_.ports[position] : std::string();
  }
  // The dialog opens the port once it is showing.
  const unsigned attempt = ++attemptSerial_;
  std::weak_ptr<bool> alive = alive_;
  scheduler_.post([this, alive, attempt, device] {
    if (alive.expired() || attempt != attemptSerial_ || !initDialogOpen_) return;
    openPortForAttempt(device);
  });
}

void CCommClass::openPortForAttempt(const std::string& device) {
  if (PortOpen(device)) return;
  logComment("[CInitializeDlg::OnUserInit] ポートOpen 失敗\n");
  if (portIndex_ == -1) {
    view_->ShowMessage(kMsgPortError);
    FinishConnect(true);
    return;
  }
  // Scanning: this port is done with; the next retry moves on.
  retryCount_ = kScanAttemptsPerPort;
  view_->EnableControl(kPortListControl, false);
  view_->EnableControl(kOpenButton, false);
  view_->EnableControl(kCloseButton, true);
  view_->EnableControl(kDataReloadGroup, true);
  view_->EnableControl(kReloadButton, true);
  scheduler_.setTimer(kRetryTimer, kRetryIntervalMs);
}

void CCommClass::onRetryTimer() {
  ++retryCount_;
  // Everything up to the next attempt belongs to the same connection: its log and the
  // upload backup stay.
  inRetryStep_ = true;
  FinishConnect(true);

  bool giveUp = false;
  if (portIndex_ == -1) {
    giveUp = retryCount_ >= kFixedPortAttempts;
  } else if (retryCount_ >= kScanAttemptsPerPort) {
    ++portIndex_;
    const int entries = static_cast<int>(ports_.ports.size()) + 1;  // "Auto" first
    if (portIndex_ >= entries) {
      giveUp = true;
    } else {
      retryCount_ = 0;
    }
  }

  if (giveUp) {
    inRetryStep_ = false;
    scheduler_.killTimer(kRetryTimer);
    retryCount_ = 0;
    Close();
    view_->ShowMessage(kMsgInitFailed);
    endAttempt(false);
    return;
  }
  logComment("初期化リトライ");
  OnReplyTimeout({});
  Close();
  inRetryStep_ = false;
  connectWithDialog(false);
}

void CCommClass::FinishConnect(bool failed) {
  if (initDialogOpen_) {
    initDialogOpen_ = false;
    view_->CloseInitializeDialog();
  }
  if (linkMode_ == model::kLinkRealTime) view_->UpdateCapabilities();
  if (!failed) {
    view_->EnableControl(kDataReloadGroup, true);
    view_->EnableControl(kReloadButton, true);
    startKeepAliveTimer();
    view_->SetStatusText(LinkText(kTextConnected));
  } else {
    const int mode = linkMode_;
    PortClose();
    scheduler_.killTimer(kStartupReadTimer);
    if (mode == model::kLinkRealTime) {
      ResetImage(0);
      view_->RefreshAllPages();
    }
  }
  // A failure inside the retry step is not the end of the attempt yet.
  if (!inRetryStep_) endAttempt(!failed);
}

void CCommClass::endAttempt(bool connected) {
  if (!attemptRunning_) return;
  attemptRunning_ = false;
  const PendingOperation operation = pending_;
  pending_ = PendingOperation::None;
  // Nothing changed the images while no connection was made: the backup is of no use.
  if (!connected) uploadBackup_.reset();
  view_->ConnectFinished(connected);
  if (!connected || operation == PendingOperation::None) return;

  // The list starts once the connect has fully ended, as the dialog's loop would return.
  std::weak_ptr<bool> alive = alive_;
  scheduler_.post([this, alive, operation] {
    if (alive.expired() || linkState_ < kStateConnected) return;
    if (operation == PendingOperation::Upload) BuildUploadList(false);
    if (operation == PendingOperation::Download) BuildDownloadList(false);
  });
}

void CCommClass::Close() {
  scheduler_.killTimer(kKeepAliveTimer);
  // A keep-alive answer still awaited no longer matters once the user closed.
  scheduler_.killTimer(kKeepAliveReplyTimer);
  const int mode = linkMode_;
  PortClose();
  if (mode == model::kLinkRealTime) view_->UpdateCapabilities();
}

void CCommClass::CancelInitialize() {
  // A cancelled connect is not connected, whatever it had reached: the port closes, the
  // upload backup goes back, and in Real Time Mode the pages show the factory settings.
  scheduler_.killTimer(kStartupReadTimer);
  scheduler_.killTimer(kRetryTimer);
  scheduler_.killTimer(kReplyTimer);
  ClearCommandList();
  pending_ = PendingOperation::None;  // a cancelled upload or download does not start its list
  restoreUploadBackup();
  FinishConnect(true);
  view_->RefreshAllPages();
}

void CCommClass::CancelCommands() {
  scheduler_.killTimer(kStartupReadTimer);
  scheduler_.killTimer(kRetryTimer);
  scheduler_.killTimer(kReplyTimer);
  restoreUploadBackup();
  ClearCommandList();
  FinishCommands(0);
}

void CCommClass::RunCommandDialog() {
  if (savedLinkOperation_ == model::kLinkRealTime || linkMode_ != model::kLinkIdle) {
    scheduler_.killTimer(kKeepAliveTimer);
    commandDialogOpen_ = true;
    view_->OpenCommandDialog(GetCommandCount());
    return;
  }
  PortClose();
  FinishCommands(0);
}

void CCommClass::FinishCommands(int result) {
  scheduler_.killTimer(kReplyTimer);
  const int operation = linkMode_;
  const int failed = listFailures_;
  const int total = listFailures_ + listAnswers_;
  // An upload that read everything keeps what it read even when some of its write-back was
  // given up; any other upload that did not complete leaves the images as they were before it.
  const bool writeBackOnly = operation == model::kLinkUpload && result == 1 &&
                             failed == static_cast<int>(writeBackFailures_.size());
  // A cancelled upload has put its backup back already.
  uploadReadEverything_ = operation == model::kLinkUpload && (result == 0 || writeBackOnly) && uploadBackup_;
  // A cable error after a memory load leaves the receiver running that memory.
  if (result == 2 && operation == model::kLinkUpload) reportUnrestored(UploadInterruption::Cause::CableError);
  if (result != 0 && !writeBackOnly) restoreUploadBackup();
  if (commandDialogOpen_) {
    commandDialogOpen_ = false;
    view_->CloseCommandDialog();
    if (operation == model::kLinkUpload) view_->RefreshAllPages();
    if (mode_ == WorkingMode::Async) PortClose();
  }
  if (result == 0) {
    resumeKeepAlive();
    view_->RestoreFocus();
  } else if (result == 1) {
    ShowErrorText();
    resumeKeepAlive();
    if (writeBackOnly) {
      view_->ShowFailedWriteBack(writeBackFailures_, total);
    } else if (operation == model::kLinkUpload || operation == model::kLinkDownload) {
      view_->ShowFailedTransfer(operation, failed, total);
    }
  } else if (result == 2) {
    view_->ShowMessage(kMsgCableCheck);
    Close();
  }
  uploadBackup_.reset();
  forgetInterruption();
  view_->CommandsFinished(result);
}

void CCommClass::OnTimer(int id) {
  switch (id) {
    case kGuardTextTimer:
    case kErrorTextTimer:
      scheduler_.killTimer(id);
      view_->SetStatusBarText("");
      break;
    case kFrameTimer:
      scheduler_.killTimer(kFrameTimer);
      logComment("[CQAmpToolView::OnTimer] ETX受信タイムアウト\n");
      ResetReceiveBuffer();
      break;
    case kStartupReadTimer:
      scheduler_.killTimer(kStartupReadTimer);
      if (pacer_.readReserved()) {
        // A row read with reply pacing went unanswered: read it again with the full pauses
        // before giving up, since the receiver may have dropped a request that came too soon.
        fallBackToFullPauses();
        SendNextStartupRow();
        break;
      }
      view_->ShowMessage(kMsgInitFailed);
      logComment("[CQAmpToolView::OnTimer] 初期値読み込みタイムアウト");
      FinishConnect(true);
      break;
    case kRetryTimer:
      onRetryTimer();
      break;
    case kReplyTimer:
      OnReplyTimeout({});
      break;
    case kKeepAliveTimer:
      SendKeepAlive();
      scheduler_.setTimer(kKeepAliveReplyTimer, kKeepAliveReplyMs);
      break;
    case kKeepAliveReplyTimer:
      scheduler_.killTimer(kKeepAliveReplyTimer);
      // A list still on the line ends with the connection, or its dialog would stay open.
      if (!commands_.empty() || commandDialogOpen_) failRealTimeList();
      Close();
      view_->ShowMessage(kMsgConnectionCheck);
      break;
    default:
      break;
  }
}

}  // namespace tw::comm
