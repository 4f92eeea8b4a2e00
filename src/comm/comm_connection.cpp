// What the user starts (Open, Upload, Download, Close, cancelling), the connection attempts
// with their retry and port-scan rule, and the routing of the link's timers.

#include "comm/connection_attempts.h"
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

void Link::Open(const PortChoice& ports) { beginOperation(linkMode_, {}, Operation::None, ports); }

void Link::Upload(const PortChoice& ports) {
  beginOperation(LinkMode::Upload, "Async Mode Upload Start", Operation::Upload, ports);
}

void Link::Download(const PortChoice& ports) {
  beginOperation(LinkMode::Download, "Async Mode Download Start", Operation::Download, ports);
}

void Link::beginOperation(LinkMode mode, std::string_view comment, Operation operation, const PortChoice& ports) {
  if (operation != Operation::None) {
    linkMode_ = mode;
    if (channel_.log()) channel_.log()->BeginTransferLog(linkMode_);
    logComment(comment);
    if (operation == Operation::Upload) engine_.takeUploadBackup();
  }
  engine_.forgetInterruption();

  // Open
  if (linkMode_ == LinkMode::Idle) linkMode_ = LinkMode::RealTime;
  if (channel_.log()) channel_.log()->BeginTransferLog(linkMode_);
  logComment("RealTime Mode Start");
  attempts_.begin(ports, operation);
}

void ConnectionAttempts::begin(const PortChoice& ports, Operation operation) {
  pending_ = operation;
  retryCount_ = 0;
  ports_ = ports;
  portIndex_ = ports.scan && !ports.ports.empty() ? 1 : -1;
  startAttempt(true);
}

void ConnectionAttempts::startAttempt(bool firstAttempt) {
  if (firstAttempt) {
    savedLinkOperation_ = link_.linkMode_;
  } else {
    link_.linkMode_ = savedLinkOperation_;
  }
  attemptRunning_ = true;
  connecting_ = true;
  link_.observer_->ActivityChanged(LinkActivity::Connecting, model::kTableLength);

  std::string device = ports_.fixed;
  if (portIndex_ >= 1) {
    const auto position = static_cast<std::size_t>(portIndex_ - 1);
    device = position < ports_.ports.size() ? ports_.ports[position] : std::string();
  }
  // The port opens once the attempt has been shown.
  const unsigned attempt = ++attemptSerial_;
  std::weak_ptr<bool> alive = link_.alive_;
  link_.scheduler_.post([this, alive, attempt, device] {
    if (alive.expired() || attempt != attemptSerial_ || !connecting_) return;
    openPortForAttempt(device);
  });
}

void ConnectionAttempts::openPortForAttempt(const std::string& device) {
  if (link_.PortOpen(device)) return;
  link_.logComment(LogComment::PortOpenFailed);
  if (portIndex_ == -1) {
    link_.observer_->MessageRaised(LinkMessage::PortError);
    FinishConnect(true);
    return;
  }
  // Scanning: this port is done with; the next retry moves on.
  retryCount_ = kScanAttemptsPerPort;
  link_.observer_->ConnectionChanged(ConnectionState::WaitingForNextPort);
  link_.scheduler_.setTimer(kRetryTimer, kRetryIntervalMs);
}

void ConnectionAttempts::onRetryTimer() {
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
    link_.scheduler_.killTimer(kRetryTimer);
    retryCount_ = 0;
    link_.Close();
    link_.observer_->MessageRaised(LinkMessage::InitFailed);
    endAttempt(false);
    return;
  }
  link_.logComment(LogComment::ConnectRetry);
  link_.sender_.OnReplyTimeout({});
  link_.Close();
  inRetryStep_ = false;
  startAttempt(false);
}

void ConnectionAttempts::FinishConnect(bool failed) {
  if (connecting_) {
    connecting_ = false;
    link_.observer_->ActivityChanged(LinkActivity::None, 0);
  }
  if (link_.linkMode_ == LinkMode::RealTime) link_.observer_->UpdateCapabilities();
  if (!failed) {
    link_.sender_.startKeepAliveTimer();
    link_.observer_->ConnectionChanged(ConnectionState::Connected);
  } else {
    const LinkMode mode = link_.linkMode_;
    link_.PortClose();
    link_.scheduler_.killTimer(kStartupReadTimer);
    if (mode == LinkMode::RealTime) {
      link_.ResetImage(0);
      link_.observer_->RefreshAllPages();
    }
  }
  // A failure inside the retry step is not the end of the attempt yet.
  if (!inRetryStep_) endAttempt(!failed);
}

void ConnectionAttempts::endAttempt(bool connected) {
  if (!attemptRunning_) return;
  attemptRunning_ = false;
  const Operation operation = pending_;
  pending_ = Operation::None;
  if (!connected) link_.engine_.forgetUploadBackup();
  link_.observer_->ConnectFinished(connected);
  if (!connected || operation == Operation::None) return;

  // The list starts once the connect has fully ended.
  std::weak_ptr<bool> alive = link_.alive_;
  link_.scheduler_.post([this, alive, operation] {
    if (alive.expired() || link_.linkState_ < LinkState::Connected) return;
    if (operation == Operation::Upload) link_.engine_.BuildUploadList(false);
    if (operation == Operation::Download) link_.engine_.BuildDownloadList(false);
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
  attempts_.dropOperation();
  engine_.restoreUploadBackup();
  FinishConnect(true);
  observer_->RefreshAllPages();
}

void Link::CancelCommands() {
  scheduler_.killTimer(kStartupReadTimer);
  scheduler_.killTimer(kRetryTimer);
  scheduler_.killTimer(kReplyTimer);
  engine_.restoreUploadBackup();
  ClearCommandList();
  engine_.FinishCommands(ListResult::Completed);
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
      channel_.resetReceiveBuffer();
      break;
    case kStartupReadTimer:
      scheduler_.killTimer(kStartupReadTimer);
      if (channel_.pacer().readReserved()) {
        // A row read with reply pacing went unanswered: read it again with the full pauses
        // before giving up, since the receiver may have dropped a request that came too soon.
        fallBackToFullPauses();
        handshake_.SendNextStartupRow();
        break;
      }
      observer_->MessageRaised(LinkMessage::InitFailed);
      logComment(LogComment::StartupReadTimeout);
      FinishConnect(true);
      break;
    case kRetryTimer:
      attempts_.onRetryTimer();
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
      if (!sender_.list().empty() || engine_.isSendingCommands()) failRealTimeList();
      Close();
      observer_->MessageRaised(LinkMessage::ConnectionCheck);
      break;
    default:
      break;
  }
}

}  // namespace tw::comm
