// Serial channel of the link: opening and closing the port, assembling received bytes into
// frames, and writing frames with the pause that paces the receiver.

#include "comm/comm_class.h"
#include "comm/link_log.h"
#include "comm/link_observer.h"
#include "comm/page_source.h"
#include "comm/protocol.h"
#include "comm/reply_decoder.h"
#include "comm/scheduler.h"
#include "comm/serial_port.h"

#include <algorithm>
#include <exception>
#include <new>

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

CCommClass::CCommClass(SerialPort& port, Scheduler& scheduler, WorkingMode mode)
    : port_(port), scheduler_(scheduler), mode_(mode), observer_(&nobodyWatching()), pages_(&noPages()),
      decoder_(&ModelReplyDecoder()), images_(model::kDefaultTunerRegion), tunerRegion_(model::kDefaultTunerRegion),
      pacer_(scheduler) {
  scheduler_.setTimerHandler([this](int id) { OnTimer(id); });
  port_.setReadyReadHandler([this] { OnReceive(); });
}

CCommClass::~CCommClass() {
  port_.setReadyReadHandler(nullptr);
  scheduler_.setTimerHandler(nullptr);
  if (port_.isOpen()) port_.close();
}

void CCommClass::setObserver(LinkObserver* observer) { observer_ = observer ? observer : &nobodyWatching(); }
void CCommClass::setPages(PageSource* pages) { pages_ = pages ? pages : &noPages(); }
void CCommClass::setLog(LinkLog* log) { log_ = log; }
void CCommClass::setDecoder(const ReplyDecoder* decoder) { decoder_ = decoder ? decoder : &ModelReplyDecoder(); }

void CCommClass::ResetImage(int index) { images_.Reset(index, tunerRegion_); }

bool CCommClass::isPortOpen() const { return port_.isOpen(); }

void CCommClass::logComment(std::string_view text) {
  if (log_) log_->WriteTrace(text, false, false);
}

void CCommClass::logFrame(std::string_view frame, bool sent) {
  if (log_) log_->WriteTrace(frame, true, sent);
}

void CCommClass::logError(std::string_view text, int number) {
  if (log_) log_->WriteErrorLog(text, number);
}

bool CCommClass::PortOpen(const std::string& portName) {
  logComment("PortOpen " + portName);
  if (portName.empty() || port_.isOpen()) return false;

  scheduler_.killTimer(kStartupReadTimer);
  scheduler_.killTimer(kRetryTimer);
  scheduler_.killTimer(kReplyTimer);
  linkState_ = LinkState::WaitStatus;
  rx_.clear();
  pacingFellBack_ = false;
  if (!port_.open(portName)) {
    logComment("open failed: " + port_.lastError());
    return false;
  }

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

void CCommClass::PortClose() {
  // A retry closes the port between attempts of one connection: its log goes on.
  if (log_ && !inRetryStep_) log_->EndTransferLog();
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

void CCommClass::closeDevice() {
  if (port_.isOpen()) port_.close();
  linkState_ = LinkState::WaitStatus;
  scheduler_.killTimer(kFrameTimer);
  rx_.clear();
  receiveWaiting_ = false;
}

bool CCommClass::Write(std::string_view frame) {
  if (!port_.isOpen()) return false;
  pacer_.WaitForLine();
  // The frame is text: it ends at its first NUL, if any.
  const std::string_view text = frame.substr(0, frame.find('\0'));
  const bool written = port_.write(text);
  lastWriteAt_ = scheduler_.now();
  logFrame(text, true);
  if (!written) return false;

  const std::optional<int> wait = waitAfterCommandOnLine();
  const int pause = LinePacer::PauseAfter(text, wait);
  if (!wait && pacesByReply(text)) {
    pacer_.Reserve(pause);
    return true;
  }
  pacer_.Hold(pause);
  if (receiveWaiting_) {
    // What arrived during the pause is read after it, as a separate event.
    receiveWaiting_ = false;
    std::weak_ptr<bool> alive = alive_;
    scheduler_.post([this, alive] {
      if (!alive.expired()) OnReceive();
    });
  }
  return true;
}

// Reply pacing applies to the reads of an upload and of the start-up read: an extended
// frame that is exactly a command-table row's request.
bool CCommClass::pacesByReply(std::string_view frame) const {
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
void CCommClass::answerArrived() { pacer_.AnswerArrived(kReplySettleMs); }

// A paced read went unanswered: the receiver may need the pauses, so this connection goes
// on with them (its resend included).
void CCommClass::fallBackToFullPauses() {
  if (!replyPacingActive()) return;
  pacingFellBack_ = true;
  pacer_.AnswerArrived(0);
  logComment("reply pacing: a read went unanswered; the full pauses apply from here on");
}

// The "@WAIT" entry right after the command on the line lengthens the pause after this
// write; nothing when there is none.
std::optional<int> CCommClass::waitAfterCommandOnLine() {
  const auto pending = commands_.firstPending();
  if (!pending || *pending + 1 >= commands_.size()) return std::nullopt;
  const CommandEntry& next = commands_.at(*pending + 1);
  if (!IsMacro(next.text, kMacroWait)) return std::nullopt;
  logComment(std::string(kMacroWait) + std::string(MacroArgumentText(next.text)));
  return std::max(0, MacroArgument(next.text));
}

int CCommClass::OnReceive() {
  if (!port_.isOpen()) return 0;
  // While the link holds the line after a write, nothing received is handled: the bytes
  // stay with the port until the pause is over.
  if (pacer_.holding()) {
    receiveWaiting_ = true;
    return 0;
  }
  std::string bytes;
  try {
    bytes = port_.readAll();
  } catch (const std::bad_alloc&) {
    logComment("the out-of-memory exception");
    return 0;
  } catch (const std::exception&) {
    logComment("Handle all other types of exceptions");
    return 0;
  }

  // The frames of this burst were on hand at this time, whatever the link writes meanwhile.
  const std::optional<std::int64_t> outerReadAt = chunkReadAt_;
  chunkReadAt_ = scheduler_.now();
  for (char byte : bytes) {
    // A frame handled below may end the connection; what is left of the burst then
    // belongs to no connection.
    if (!port_.isOpen()) break;
    const FrameAssembler::Step step = rx_.push(byte);
    if (step.restartTimer) scheduler_.setTimer(kFrameTimer, kFrameTimeoutMs);
    if (step.stopTimer) scheduler_.killTimer(kFrameTimer);
    if (step.frameReady) deliverFrame(rx_.frame());
    if (step.overflowed) logComment("バッファ領域のリセット：" + rx_.discarded());
  }
  chunkReadAt_ = outerReadAt;
  return static_cast<int>(bytes.size());
}

void CCommClass::deliverFrame(std::string frame) {
  NormaliseFrame(frame);
  logFrame(frame, false);
  OnFrame(frame, linkState_ < LinkState::Connected);
}

void CCommClass::ResetReceiveBuffer() { logComment("バッファ領域のリセット：" + rx_.reset()); }

}  // namespace tw::comm
