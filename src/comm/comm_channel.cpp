// The link's side of its serial channel: opening the connection with the opening sequence,
// closing it, and the pauses after writes that depend on the command list and reply pacing.

#include "comm/link.h"
#include "comm/link_log.h"
#include "comm/link_observer.h"
#include "comm/page_source.h"
#include "comm/protocol.h"
#include "comm/scheduler.h"

#include <algorithm>

namespace tw::comm {
namespace {

LinkObserver& nobodyWatching() {
  static LinkObserver observer;
  return observer;
}

PageSource& noPages() {
  static PageSource pages;
  return pages;
}

// The opening sequence; the image reset of Real Time Mode comes before the last command.
constexpr std::string_view kOpenFirst[] = {"20000", "07A1D", "07A1D"};
constexpr std::string_view kOpenLast = "07E82";

constexpr std::size_t kChecksumAndEtx = 3;  // what completing an extended request adds

}  // namespace

Link::Link(SerialPort& port, Scheduler& scheduler, WorkingMode mode)
    : scheduler_(scheduler), mode_(mode), observer_(&nobodyWatching()), pages_(&noPages()),
      images_(model::kDefaultTunerRegion), tunerRegion_(model::kDefaultTunerRegion),
      channel_(port, scheduler) {
  scheduler_.setTimerHandler([this](int id) { OnTimer(id); });
  channel_.setFrameHandler([this](const std::string& frame) { OnFrame(frame, linkState_ < LinkState::Connected); });
}

Link::~Link() { scheduler_.setTimerHandler(nullptr); }

void Link::setObserver(LinkObserver* observer) { observer_ = observer ? observer : &nobodyWatching(); }
void Link::setPages(PageSource* pages) { pages_ = pages ? pages : &noPages(); }
void Link::setLog(LinkLog* log) { channel_.setLog(log); }

void Link::ResetImage(int index) { images_.Reset(index, tunerRegion_); }

bool Link::isPortOpen() const { return channel_.isOpen(); }

void Link::logComment(std::string_view text) { channel_.logComment(text); }
void Link::logError(std::string_view text, int number) { channel_.logError(text, number); }

bool Link::PortOpen(const std::string& portName) {
  logComment("PortOpen " + portName);
  if (portName.empty() || channel_.isOpen()) return false;

  scheduler_.killTimer(kStartupReadTimer);
  scheduler_.killTimer(kRetryTimer);
  scheduler_.killTimer(kReplyTimer);
  linkState_ = LinkState::WaitStatus;
  pacingFellBack_ = false;
  if (!channel_.open(portName)) return false;

  observer_->ConnectionChanged(ConnectionState::Connecting);

  // A port that takes the device but refuses the opening sequence is closed again, so that
  // the next attempt can open it afresh. Only the device: the attempt's end (FinishConnect)
  // still knows what kind of connection failed, and the observer shows the image it leaves.
  for (std::string_view code : kOpenFirst) {
    if (!Write(MakeStandard(code))) {
      closeDevice();
      return false;
    }
  }
  if (mode_ == WorkingMode::RealTime) ResetImage(0);
  if (!Write(MakeStandard(kOpenLast))) {
    closeDevice();
    if (mode_ == WorkingMode::RealTime) observer_->RefreshAllPages();
    return false;
  }
  scheduler_.setTimer(kRetryTimer, kRetryIntervalMs);
  return true;
}

void Link::PortClose() {
  // A retry closes the port between attempts of one connection: its log goes on.
  if (channel_.log() && !attempts_.inRetryStep()) channel_.log()->EndTransferLog();
  observer_->ConnectionChanged(ConnectionState::NotConnected);
  scheduler_.killTimer(kStartupReadTimer);
  scheduler_.killTimer(kRetryTimer);
  scheduler_.killTimer(kReplyTimer);

  linkState_ = LinkState::WaitStatus;
  linkMode_ = LinkMode::Idle;
  caps_ = model::Capabilities{};
  confirmed_.reset();
  closeDevice();
}

void Link::closeDevice() {
  channel_.close();
  linkState_ = LinkState::WaitStatus;
}

bool Link::Write(std::string_view frame) {
  const std::optional<std::string_view> text = channel_.send(frame);
  if (!text) return false;
  const std::optional<int> wait = waitAfterCommandOnLine();
  channel_.pauseAfter(*text, wait, !wait && pacesByReply(*text));
  return true;
}

// Reply pacing applies to the reads of an upload and of the start-up read: an extended
// frame that is exactly a command-table row's request.
bool Link::pacesByReply(std::string_view frame) const {
  if (!replyPacingActive() || !IsExtended(frame)) return false;
  const bool startupRead = linkMode_ == LinkMode::RealTime && linkState_ < LinkState::Connected;
  if (linkMode_ != LinkMode::Upload && !startupRead) return false;
  for (int r = 0; r < model::kRowCount; ++r) {
    const std::string_view request = model::kCommandTable[static_cast<std::size_t>(r)].request;
    if (request.size() + kChecksumAndEtx == frame.size() && StartsWith(frame, request)) return true;
  }
  return false;
}

// The command on the line was answered: a paced read lets the next frame follow soon.
void Link::answerArrived() { channel_.pacer().AnswerArrived(kReplySettleMs); }

// A paced read went unanswered: the receiver may need the pauses, so this connection goes
// on with them (its resend included).
void Link::fallBackToFullPauses() {
  if (!replyPacingActive()) return;
  pacingFellBack_ = true;
  channel_.pacer().AnswerArrived(0);
  logComment("reply pacing: a read went unanswered; the full pauses apply from here on");
}

// The "@WAIT" entry right after the command on the line lengthens the pause after this
// write; nothing when there is none.
std::optional<int> Link::waitAfterCommandOnLine() {
  const auto pending = sender_.list().firstPending();
  if (!pending || *pending + 1 >= sender_.list().size()) return std::nullopt;
  const CommandEntry& next = sender_.list().at(*pending + 1);
  if (!IsMacro(next.text, kMacroWait)) return std::nullopt;
  logComment(std::string(kMacroWait) + std::string(MacroArgumentText(next.text)));
  return std::max(0, MacroArgument(next.text));
}

int Link::OnReceive() { return channel_.receive(); }

}  // namespace tw::comm
