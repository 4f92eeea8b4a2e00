// Command sender of the link: the command list, the batch start, the reply watch with its
// resends and give-up rules, the keep-alive and the status words.

#include "comm/command_sender.h"
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

int CommandSender::SendPacket(std::string_view text, int number) {
  if (link_.linkState_ < LinkState::Connected) {
    link_.logComment(LogComment::NotConnected);
    return 0;
  }
  if (!text.empty() && text.front() == STX && link_.mode_ == WorkingMode::RealTime) {
    if (!link_.Write(text)) return 0;
    watchInputSelection(text);
    return 1;
  }
  if (text.empty()) {
    if (commands_.empty()) return 1;
    writeFirstPending();
    startReplyTimer();
    link_.engine_.StartSendingCommands();
    return 1;
  }
  commands_.add(std::string(text), number, model::FindRowForCommand(text, ModelLinkMode(link_.linkMode_)));
  return 1;
}

void CommandSender::writeFirstPending() {
  if (const auto pending = commands_.firstPending()) writeOnLine(commands_.at(*pending).text);
}

void CommandSender::writeOnLine(const std::string& text) {
  reportedSinceWrite_.clear();
  link_.engine_.noteMemoryLoad(text);
  link_.Write(text);
}

void CommandSender::startReplyTimer() {
  link_.scheduler_.setTimer(kReplyTimer, link_.linkMode_ == LinkMode::Upload ? kUploadReplyTimeoutMs : kReplyTimeoutMs);
}

void CommandSender::startKeepAliveTimer() {
  if (link_.mode_ == WorkingMode::RealTime) link_.scheduler_.setTimer(kKeepAliveTimer, kKeepAliveIntervalMs);
}

void CommandSender::resumeKeepAlive() {
  if (link_.channel_.isOpen() && link_.linkState_ >= LinkState::Connected) startKeepAliveTimer();
}

int CommandSender::OnReplyTimeout(std::string_view frame) {
  const auto pending = commands_.firstPending();
  if (!pending) return 0;
  const std::size_t index = *pending;
  const EntryStatus status = commands_.at(index).status;

  if (status == EntryStatus::Pending && commands_.at(index).resends < kMaxResends) {
    if (link_.channel_.pacer().readReserved()) link_.fallBackToFullPauses();
    link_.logComment(LogComment::Resend);
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
    link_.restoreUnconfirmed({commands_.at(index).number});
    if (commands_.firstPending()) {
      writeFirstPending();
      startReplyTimer();
    } else {
      link_.engine_.endList();
    }
    return 0;
  }

  // Third resend unanswered.
  if (link_.linkState_ == LinkState::WaitStatus) return 1;
  const CommandEntry entry = commands_.at(index);

  if (link_.mode_ == WorkingMode::Async) {
    link_.logError(entry.text, entry.number);
    link_.logComment(LogComment::SendFailed);
    // A port that went away (adapter pulled) has no CTS either.
    if (!link_.channel_.isOpen() || !link_.channel_.ctsOn()) {
      commands_.clear();
      link_.engine_.FinishCommands(ListResult::CableError);
      link_.observer_->RefreshAllPages();
      return 1;
    }
    // Skipped: the list goes on as after an answer, so that the macros behind the command
    // (a memory switch, the rebuild at "@CURR") still take effect.
    link_.engine_.noteGivenUp(entry);
    TransferEngine::FrameVerdict verdict;
    link_.engine_.finishEntry(index, verdict);
    link_.engine_.continueList(verdict);
    return 0;
  }

  const model::CommandRow* row = entry.tableRow();
  if (IsGuard(frame) && row) {
    link_.logComment(LogComment::Read);
    ShowGuardText();
    link_.Write(CompleteExtended(row->request));
    startReplyTimer();
    commands_.at(index).status = EntryStatus::Rereading;
    return 0;
  }
  if (IsParameterError(frame) && row && (row->flags & model::kErrorTolerated)) {
    link_.logError(entry.text, entry.number);
    if (isTolerantControlOut(entry.number)) {
      model::SetParameter(*link_.images_.Image(0), entry.number, 1);
      link_.observer_->RefreshActiveItems({entry.number});
    }
    return 1;
  }
  link_.failRealTimeList();
  return 0;
}

bool CommandSender::isInputSelection(std::string_view text) {
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
void CommandSender::watchInputSelection(std::string_view text) {
  if (!isInputSelection(text)) return;
  inputWatch_ = {std::string(text), 0, false, inputWatch_.generation + 1};
  armInputWatch();
}

void CommandSender::armInputWatch() {
  std::weak_ptr<bool> alive = link_.alive_;
  link_.scheduler_.callAfter(kReplyTimeoutMs, [this, alive, watch = inputWatch_.generation] {
    if (alive.expired() || watch != inputWatch_.generation || inputWatch_.programReported) return;
    if (!link_.channel_.isOpen() || link_.linkState_ < LinkState::Connected) return;
    if (inputWatch_.resends == kInputSelectionResends) {
      ShowErrorText();
      return;
    }
    ++inputWatch_.resends;
    link_.logComment(LogComment::Resend);
    if (link_.Write(inputWatch_.text)) armInputWatch();
  });
}

void CommandSender::notePossibleProgramReport(std::string_view frame) {
  if (IsStandard(frame) && frame.size() == 8 && frame.substr(3, 2) == "28") inputWatch_.programReported = true;
}

void CommandSender::SendKeepAlive() {
  link_.Write(MakeStandard("FFFFF"));
  link_.Write(CompleteExtended(model::kCommandTable[model::kPollRow].request));
}

void CommandSender::ShowGuardText() {
  link_.observer_->StatusWordChanged(StatusWord::Guard);
  link_.scheduler_.setTimer(kGuardTextTimer, kStatusWordMs);
}

void CommandSender::ShowErrorText() {
  link_.observer_->StatusWordChanged(StatusWord::Error);
  link_.scheduler_.setTimer(kErrorTextTimer, kStatusWordMs);
}

int CommandSender::BuildOperationCommand(const BasicBlock& basic, int number) {
  const std::string frame = tw::comm::BuildOperationCommand(basic, number);
  if (frame.empty()) return 0;
  return SendPacket(frame, number);
}

void CommandSender::QueueBasicControls(const model::ParameterImage& image) {
  int count = 0;
  const auto numbers = BasicDownloadNumbers(image.basic, count);
  for (int i = 0; i < count; ++i) BuildOperationCommand(image.basic, numbers[static_cast<std::size_t>(i)]);
}

}  // namespace tw::comm
