// Real Time Mode: what the receiver is known to hold. The pages store an edit in image 0
// before it is sent, so when a command fails the image would show a value the receiver
// never took; the link keeps the values the receiver reported or acknowledged and puts
// them back for the commands that failed.

#include "comm/link.h"
#include "comm/link_observer.h"
#include "comm/reply_decoder.h"
#include "model/parameter_access.h"

#include <algorithm>

namespace tw::comm {

bool Link::tracksConfirmed() const {
  return confirmed_.has_value() && linkMode_ == LinkMode::RealTime && images_.InUseIndex() == 0;
}

void Link::confirmAll() {
  if (mode_ == WorkingMode::RealTime && linkMode_ == LinkMode::RealTime) confirmed_ = *images_.Image(0);
}

void Link::confirmReport(std::string_view frame) {
  if (tracksConfirmed()) DecodeAndApplyReply(*confirmed_, frame, linkMode_);
}

// The echo of a write carries what the receiver stored; an echo the decoder does not know
// confirms the value the command wrote.
void Link::confirmWrite(const CommandEntry& entry, std::string_view echo) {
  if (!tracksConfirmed()) return;
  const auto info = DecodeAndApplyReply(*confirmed_, echo, linkMode_);
  const bool covered = info && std::find(info->numbers.begin(), info->numbers.end(), entry.number) != info->numbers.end();
  if (!covered) model::CopyParameter(*images_.Image(0), *confirmed_, entry.number);
}

void Link::restoreUnconfirmed(const std::vector<int>& numbers) {
  if (!tracksConfirmed() || numbers.empty()) return;
  for (int number : numbers) model::CopyParameter(*confirmed_, *images_.Image(0), number);
  observer_->RefreshActiveItems(numbers);
}

void Link::failRealTimeList() {
  std::vector<int> unanswered;
  for (std::size_t i = 0; i < sender_.list().size(); ++i) {
    const CommandEntry& entry = sender_.list().at(i);
    if (!entry.isMacro() && entry.status != EntryStatus::Done) unanswered.push_back(entry.number);
  }
  restoreUnconfirmed(unanswered);
  ClearCommandList();
  engine_.FinishCommands(ListResult::Failed);
}

}  // namespace tw::comm
