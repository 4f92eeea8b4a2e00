// Command sender of the link: the command list, the batch start, the reply watch with its
// resends and give-up rules, the keep-alive and the status words.

#include "comm/link.h"
#include "comm/link_observer.h"
#include "comm/protocol.h"
#include "comm/scheduler.h"
#include "comm/serial_port.h"
#include "model/parameter_access.h"

namespace tw::comm {
namespace {

// CONTROL OUT numbers that a tolerated parameter error sets to 1 (345 is no trigger value).
bool isTolerantControlOut(int number) { return number >= 308 && number <= 382 && number != 345; }

constexpr int kInputSelectionResends = 3;  // as many as a list command gets

}  // namespace

int Link::SendPacket(std::string_view text, int number) {
  if (linkState_ < LinkState::Connected) {
    logComment(LogComment::NotConnected);
    return 0;
  }
  if (!text.empty() && text.front() == STX && mode_ == WorkingMode::RealTime) {
    if (!Write(text)) return 0;
    watchInputSelection(text);
    return 1;
  }
  if (text.empty()) {
    if (commands_.empty()) return 1;
    listFailures_ = 0;
    listAnswers_ = 0;
    writeBackFailures_.clear();
    lastAnswer_.clear();
    writeFirstPending();
    startReplyTimer();
    StartSendingCommands();
    return 1;
  }
  commands_.add(std::string(text), number, model::FindRowForCommand(text, ModelLinkMode(linkMode_)));
  return 1;
}

void Link::writeFirstPending() {
  if (const auto pending = commands_.firstPending()) writeOnLine(commands_.at(*pending).text);
}

// Writes the command on the line (again); what the receiver reports from now on may answer it.
void Link::writeOnLine(const std::string& text) {
  reportedSinceWrite_.clear();
  noteMemoryLoad(text);
  Write(text);
}

void Link::ClearCommandList() { commands_.clear(); }

void Link::startReplyTimer() {
  scheduler_.setTimer(kReplyTimer, linkMode_ == LinkMode::Upload ? kUploadReplyTimeoutMs : kReplyTimeoutMs);
}

void Link::startKeepAliveTimer() {
  if (mode_ == WorkingMode::RealTime) scheduler_.setTimer(kKeepAliveTimer, kKeepAliveIntervalMs);
}

// After a list, whatever its end: a Real Time connection that is still up is watched again.
void Link::resumeKeepAlive() {
  if (channel_.isOpen() && linkState_ >= LinkState::Connected) startKeepAliveTimer();
}

int Link::OnReplyTimeout(std::string_view frame) {
  const auto pending = commands_.firstPending();
  if (!pending) return 0;
  const std::size_t index = *pending;
  const EntryStatus status = commands_.at(index).status;

  if (status == EntryStatus::Pending && commands_.at(index).resends < kMaxResends) {
    if (channel_.pacer().readReserved()) fallBackToFullPauses();
    logComment(LogComment::Resend);
    const std::string text = commands_.at(index).text;
    writeOnLine(text);
    startReplyTimer();
    ++commands_.at(index).resends;
    return 0;
  }

  if (status == EntryStatus::Rereading) {
    // The re-read after a guard went unanswered too: the receiver refused the value, so the
    // one it held before comes back. The next command is written at once rather than one
    // reply period later; a list with nothing left ends here.
    commands_.at(index).status = EntryStatus::Done;
    restoreUnconfirmed({commands_.at(index).number});
    if (commands_.firstPending()) {
      writeFirstPending();
      startReplyTimer();
    } else {
      endList();
    }
    return 0;
  }

  // Third resend unanswered.
  if (linkState_ == LinkState::WaitStatus) return 1;
  const CommandEntry entry = commands_.at(index);

  if (mode_ == WorkingMode::Async) {
    logError(entry.text, entry.number);
    logComment(LogComment::SendFailed);
    // A port that went away (adapter pulled) has no CTS either.
    if (!channel_.isOpen() || !channel_.ctsOn()) {
      ClearCommandList();
      FinishCommands(ListResult::CableError);
      observer_->RefreshAllPages();
      return 1;
    }
    // Skipped: the list goes on as after an answer, so that the macros behind the command
    // (a memory switch, the rebuild at "@CURR") still take effect.
    noteGivenUp(entry);
    FrameVerdict verdict;
    finishEntry(index, verdict);
    continueList(verdict);
    return 0;
  }

  const model::CommandRow* row = entry.row >= 0 && entry.row < model::kRowCount ? &model::kCommandTable[static_cast<std::size_t>(entry.row)] : nullptr;
  if (IsGuard(frame) && row) {
    logComment(LogComment::Read);
    ShowGuardText();
    Write(CompleteExtended(row->request));
    startReplyTimer();
    commands_.at(index).status = EntryStatus::Rereading;
    return 0;
  }
  if (IsParameterError(frame) && row && (row->flags & model::kErrorTolerated)) {
    logError(entry.text, entry.number);
    if (isTolerantControlOut(entry.number)) {
      model::SetParameter(*images_.Image(0), entry.number, 1);
      observer_->RefreshActiveItems({entry.number});
    }
    return 1;
  }
  failRealTimeList();
  return 0;
}

bool Link::isInputSelection(std::string_view text) {
  for (int r = 0; r < model::kRowCount; ++r) {
    const model::CommandRow& row = model::kCommandTable[static_cast<std::size_t>(r)];
    if ((row.flags & model::kAltReplyInRepeat) && text == row.request) return true;
  }
  return false;
}

// The receiver answers an input selection with the program it switched to, then the input.
// Other commands of the Basic Control group are answered with the value they set, which the
// screen already shows; but without the program report the screen would keep the previous
// input's program. So an input selection is written again (it selects the same input) until
// the program report comes, at most three times, and then "ERROR" is shown.
void Link::watchInputSelection(std::string_view text) {
  if (!isInputSelection(text)) return;
  inputWatch_ = {std::string(text), 0, false, inputWatch_.generation + 1};
  armInputWatch();
}

void Link::armInputWatch() {
  std::weak_ptr<bool> alive = alive_;
  scheduler_.callAfter(kReplyTimeoutMs, [this, alive, watch = inputWatch_.generation] {
    if (alive.expired() || watch != inputWatch_.generation || inputWatch_.programReported) return;
    if (!channel_.isOpen() || linkState_ < LinkState::Connected) return;
    if (inputWatch_.resends == kInputSelectionResends) {
      ShowErrorText();
      return;
    }
    ++inputWatch_.resends;
    logComment(LogComment::Resend);
    if (Write(inputWatch_.text)) armInputWatch();
  });
}

void Link::notePossibleProgramReport(std::string_view frame) {
  if (IsStandard(frame) && frame.size() == 8 && frame.substr(3, 2) == "28") inputWatch_.programReported = true;
}

void Link::SetConnected() {
  // Connected before the observer hears of it, so that it may queue commands right away.
  linkState_ = LinkState::Connected;
  confirmAll();
  FinishConnect(false);
}

void Link::SendKeepAlive() {
  Write(MakeStandard("FFFFF"));
  Write(CompleteExtended(model::kCommandTable[model::kPollRow].request));
}

void Link::ShowGuardText() {
  observer_->StatusWordChanged(StatusWord::Guard);
  scheduler_.setTimer(kGuardTextTimer, kStatusWordMs);
}

void Link::ShowErrorText() {
  observer_->StatusWordChanged(StatusWord::Error);
  scheduler_.setTimer(kErrorTextTimer, kStatusWordMs);
}

int Link::BuildOperationCommand(const BasicBlock& basic, int number) {
  const std::string frame = tw::comm::BuildOperationCommand(basic, number);
  if (frame.empty()) return 0;
  return SendPacket(frame, number);
}

void Link::QueueBasicControls(const model::ParameterImage& image) {
  int count = 0;
  const auto numbers = BasicDownloadNumbers(image.basic, count);
  for (int i = 0; i < count; ++i) BuildOperationCommand(image.basic, numbers[static_cast<std::size_t>(i)]);
}

}  // namespace tw::comm
