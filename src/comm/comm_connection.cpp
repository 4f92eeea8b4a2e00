// Connection attempts: Open, Upload and Download with their progress, the retry and port-scan rule, the end of a connect attempt and of a
// command list, and the routing of the link's timers.

#include "comm/link.h"
#include "comm/link_log.h"
#include "comm/link_observer.h"
#include "comm/scheduler.h"
#include "comm/serial_port.h"

namespace tw::comm {
namespace {

constexpr int kFixedPortAttempts = 5;
constexpr int kScanAttemptsPerPort = 3;

}  // namespace

void Link::takeUploadBackup() {
  uploadBackup_ = std::make_unique<std::array<model::ParameterImage, model::kImageCount>>(images_.All());
}

void Link::restoreUploadBackup() {
  if (!uploadBackup_) return;
  images_.All() = *uploadBackup_;
  uploadBackup_.reset();
  // One stopped while it read a memory would leave that memory's image in use, so that the
  // pages and a download would work on it.
  images_.SelectInUse(0);
}

void Link::Open(const PortChoice& ports) { beginOperation(linkMode_, {}, PendingOperation::None, ports); }

void Link::Upload(const PortChoice& ports) {
  beginOperation(LinkMode::Upload, "Async Mode Upload Start", PendingOperation::Upload, ports);
}

void Link::Download(const PortChoice& ports) {
  beginOperation(LinkMode::Download, "Async Mode Download Start", PendingOperation::Download, ports);
}

void Link::beginOperation(LinkMode mode, std::string_view comment, PendingOperation operation, const PortChoice& ports) {
  if (operation != PendingOperation::None) {
    linkMode_ = mode;
    if (channel_.log()) channel_.log()->BeginTransferLog(linkMode_);
    logComment(comment);
    if (operation == PendingOperation::Upload) takeUploadBackup();
  }
  pending_ = operation;
  forgetInterruption();

  // Open
  if (linkMode_ == LinkMode::Idle) linkMode_ = LinkMode::RealTime;
  if (channel_.log()) channel_.log()->BeginTransferLog(linkMode_);
  logComment("RealTime Mode Start");
  retryCount_ = 0;
  ports_ = ports;
  portIndex_ = ports.scan && !ports.ports.empty() ? 1 : -1;
  startAttempt(true);
}

void Link::startAttempt(bool firstAttempt) {
  if (firstAttempt) {
    savedLinkOperation_ = linkMode_;
  } else {
    linkMode_ = savedLinkOperation_;
  }
  attemptRunning_ = true;
  connecting_ = true;
  observer_->ActivityChanged(LinkActivity::Connecting, model::kTableLength);

  std::string device = ports_.fixed;
  if (portIndex_ >= 1) {
    const auto position = static_cast<std::size_t>(portIndex_ - 1);
    device = position < ports_.ports.size() ? ports_.ports[position] : std::string();
  }
  // The port opens once the attempt has been shown.
  const unsigned attempt = ++attemptSerial_;
  std::weak_ptr<bool> alive = alive_;
  scheduler_.post([this, alive, attempt, device] {
    if (alive.expired() || attempt != attemptSerial_ || !connecting_) return;
    openPortForAttempt(device);
  });
}

void Link::openPortForAttempt(const std::string& device) {
  if (PortOpen(device)) return;
  logComment(LogComment::PortOpenFailed);
  if (portIndex_ == -1) {
    observer_->MessageRaised(LinkMessage::PortError);
    FinishConnect(true);
    return;
  }
  // Scanning: this port is done with; the next retry moves on.
  retryCount_ = kScanAttemptsPerPort;
  observer_->ConnectionChanged(ConnectionState::WaitingForNextPort);
  scheduler_.setTimer(kRetryTimer, kRetryIntervalMs);
}

void Link::onRetryTimer() {
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
    observer_->MessageRaised(LinkMessage::InitFailed);
    endAttempt(false);
    return;
  }
  logComment(LogComment::ConnectRetry);
  sender_.OnReplyTimeout({});
  Close();
  inRetryStep_ = false;
  startAttempt(false);
}

void Link::FinishConnect(bool failed) {
  if (connecting_) {
    connecting_ = false;
    observer_->ActivityChanged(LinkActivity::None, 0);
  }
  if (linkMode_ == LinkMode::RealTime) observer_->UpdateCapabilities();
  if (!failed) {
    sender_.startKeepAliveTimer();
    observer_->ConnectionChanged(ConnectionState::Connected);
  } else {
    const LinkMode mode = linkMode_;
    PortClose();
    scheduler_.killTimer(kStartupReadTimer);
    if (mode == LinkMode::RealTime) {
      ResetImage(0);
      observer_->RefreshAllPages();
    }
  }
  // A failure inside the retry step is not the end of the attempt yet.
  if (!inRetryStep_) endAttempt(!failed);
}

void Link::endAttempt(bool connected) {
  if (!attemptRunning_) return;
  attemptRunning_ = false;
  const PendingOperation operation = pending_;
  pending_ = PendingOperation::None;
  // Nothing changed the images while no connection was made: the backup is of no use.
  if (!connected) uploadBackup_.reset();
  observer_->ConnectFinished(connected);
  if (!connected || operation == PendingOperation::None) return;

  // The list starts once the connect has fully ended.
  std::weak_ptr<bool> alive = alive_;
  scheduler_.post([this, alive, operation] {
    if (alive.expired() || linkState_ < LinkState::Connected) return;
    if (operation == PendingOperation::Upload) BuildUploadList(false);
    if (operation == PendingOperation::Download) BuildDownloadList(false);
  });
}

void Link::Close() {
  scheduler_.killTimer(kKeepAliveTimer);
  // A keep-alive answer still awaited no longer matters once the user closed.
  scheduler_.killTimer(kKeepAliveReplyTimer);
  const LinkMode mode = linkMode_;
  PortClose();
  if (mode == LinkMode::RealTime) observer_->UpdateCapabilities();
}

void Link::CancelInitialize() {
  // A cancelled connect is not connected, whatever it had reached: the port closes, the
  // upload backup goes back, and in Real Time Mode the pages show the factory settings.
  scheduler_.killTimer(kStartupReadTimer);
  scheduler_.killTimer(kRetryTimer);
  scheduler_.killTimer(kReplyTimer);
  ClearCommandList();
  pending_ = PendingOperation::None;  // a cancelled upload or download does not start its list
  restoreUploadBackup();
  FinishConnect(true);
  observer_->RefreshAllPages();
}

void Link::CancelCommands() {
  scheduler_.killTimer(kStartupReadTimer);
  scheduler_.killTimer(kRetryTimer);
  scheduler_.killTimer(kReplyTimer);
  restoreUploadBackup();
  ClearCommandList();
  FinishCommands(ListResult::Completed);
}

void Link::StartSendingCommands() {
  listFailures_ = 0;
  listAnswers_ = 0;
  writeBackFailures_.clear();
  lastAnswer_.clear();
  if (savedLinkOperation_ == LinkMode::RealTime || linkMode_ != LinkMode::Idle) {
    scheduler_.killTimer(kKeepAliveTimer);
    sendingCommands_ = true;
    observer_->ActivityChanged(LinkActivity::SendingCommands, GetCommandCount());
    return;
  }
  PortClose();
  FinishCommands(ListResult::Completed);
}

void Link::FinishCommands(ListResult result) {
  scheduler_.killTimer(kReplyTimer);
  const LinkMode operation = linkMode_;
  const int failed = listFailures_;
  const int total = listFailures_ + listAnswers_;
  // An upload that read everything keeps what it read even when some of its write-back was
  // given up; any other upload that did not complete leaves the images as they were before it.
  const bool writeBackOnly = operation == LinkMode::Upload && result == ListResult::Failed &&
                             failed == static_cast<int>(writeBackFailures_.size());
  // A cancelled upload has put its backup back already.
  uploadReadEverything_ = operation == LinkMode::Upload && (result == ListResult::Completed || writeBackOnly) && uploadBackup_;
  // A cable error after a memory load leaves the receiver running that memory.
  if (result == ListResult::CableError && operation == LinkMode::Upload) reportUnrestored(UploadInterruption::Cause::CableError);
  if (result != ListResult::Completed && !writeBackOnly) restoreUploadBackup();
  if (sendingCommands_) {
    sendingCommands_ = false;
    observer_->ActivityChanged(LinkActivity::None, 0);
    if (operation == LinkMode::Upload) observer_->RefreshAllPages();
    if (mode_ == WorkingMode::Async) PortClose();
  }
  if (result == ListResult::Completed) {
    sender_.resumeKeepAlive();
    observer_->RestoreFocus();
  } else if (result == ListResult::Failed) {
    sender_.ShowErrorText();
    sender_.resumeKeepAlive();
    if (writeBackOnly) {
      observer_->WriteBackFailed(writeBackFailures_, total);
    } else if (operation == LinkMode::Upload || operation == LinkMode::Download) {
      observer_->TransferFailed(operation, failed, total);
    }
  } else if (result == ListResult::CableError) {
    observer_->MessageRaised(LinkMessage::CableCheck);
    Close();
  }
  uploadBackup_.reset();
  forgetInterruption();
  observer_->CommandsFinished(result);
}

void Link::OnTimer(int id) {
  switch (id) {
    case kGuardTextTimer:
    case kErrorTextTimer:
      scheduler_.killTimer(id);
      observer_->StatusWordChanged(StatusWord::None);
      break;
    case kFrameTimer:
      scheduler_.killTimer(kFrameTimer);
      logComment(LogComment::FrameTimeout);
      ResetReceiveBuffer();
      break;
    case kStartupReadTimer:
      scheduler_.killTimer(kStartupReadTimer);
      if (channel_.pacer().readReserved()) {
        // A row read with reply pacing went unanswered: read it again with the full pauses
        // before giving up, since the receiver may have dropped a request that came too soon.
        fallBackToFullPauses();
        SendNextStartupRow();
        break;
      }
      observer_->MessageRaised(LinkMessage::InitFailed);
      logComment(LogComment::StartupReadTimeout);
      FinishConnect(true);
      break;
    case kRetryTimer:
      onRetryTimer();
      break;
    case kReplyTimer:
      sender_.OnReplyTimeout({});
      break;
    case kKeepAliveTimer:
      sender_.SendKeepAlive();
      scheduler_.setTimer(kKeepAliveReplyTimer, kKeepAliveReplyMs);
      break;
    case kKeepAliveReplyTimer:
      scheduler_.killTimer(kKeepAliveReplyTimer);
      // A list still on the line ends with the connection, or it would stay running.
      if (!sender_.list().empty() || sendingCommands_) failRealTimeList();
      Close();
      observer_->MessageRaised(LinkMessage::ConnectionCheck);
      break;
    default:
      break;
  }
}

}  // namespace tw::comm
