// Transfer engine of the link: the frame processor that matches received frames to the
// command on the line, applies reported values, walks the list's macros and writes the
// next command.

#include "comm/link.h"
#include "comm/link_observer.h"
#include "comm/memory_commands.h"
#include "comm/page_source.h"
#include "comm/protocol.h"
#include "comm/reply_decoder.h"
#include "comm/scheduler.h"
#include "comm/transfer_engine.h"
#include "model/ascii.h"
#include "model/decode_table.h"
#include "model/parameter_access.h"

#include <algorithm>

namespace tw::comm {
namespace {

bool lists(const std::vector<int>& numbers, int number) {
  return std::find(numbers.begin(), numbers.end(), number) != numbers.end();
}

// Straight (5) and the Music Enhancer program (11) have commands but no report of their
// own: the receiver answers them with the sound program report (4).
constexpr int kSoundProgramNumber = 4;
constexpr int kCommandOnlyProgramNumbers[] = {5, 11};

constexpr int kInputNumber = 1;  // the Basic Control item an input selection sets

// Input DSP's items (212, 214, .., 234) go out as the main form's input selection and sound
// program commands, so the receiver answers them with its input and program reports.
constexpr int kFirstInputDspNumber = 212;
constexpr int kLastInputDspNumber = 239;

int answeringNumber(const CommandEntry& entry) {
  if (entry.number < kFirstInputDspNumber || entry.number > kLastInputDspNumber) return entry.number;
  return SelectedValue(kInputNumber, entry.text) ? kInputNumber : kSoundProgramNumber;
}

bool answersNumber(const std::vector<int>& reported, int number) {
  if (lists(reported, number)) return true;
  const bool commandOnly = std::find(std::begin(kCommandOnlyProgramNumbers), std::end(kCommandOnlyProgramNumbers),
                                     number) != std::end(kCommandOnlyProgramNumbers);
  return commandOnly && lists(reported, kSoundProgramNumber);
}

std::int32_t dspProgram(const model::ParameterImage& image) { return image.basic[3]; }  // parameter 4

// Upload reads the receiver answers with two reports: the data, then the report that
// confirms the command. A memory's volume part reports the volume, then "loaded" with the
// memory's number; an input selection reports its sound program, then the input.
struct PairedRead {
  int commandNumber;  // the load command of a memory's volume part
  int part;
  int dataNumber;     // the volume it reports first
};
constexpr PairedRead kMemoryVolumeParts[] = {{558, kMemoryMainVolume, kMainVolumeNumber},
                                             {560, kMemoryZone2Volume, kZone2VolumeNumber},
                                             {562, kMemoryZone3Volume, kZone3VolumeNumber}};

const PairedRead* memoryVolumePart(int number) {
  for (const PairedRead& read : kMemoryVolumeParts) {
    if (read.commandNumber == number) return &read;
  }
  return nullptr;
}

// The two value characters of a standard report as a number, or -1.
int reportValue(std::string_view frame) {
  if (frame.size() != 8) return -1;
  return model::HexValue(frame.substr(5, 2), model::HexLetters::UpperOnly);
}

}  // namespace

CommandList& TransferEngine::commands() { return link_.sender_.list(); }

bool TransferEngine::learnCapability(std::string_view frame) {
  for (int r = model::kZone2Row; r <= model::kCapabilityRow; ++r) {
    const std::string_view prefix = model::kCommandTable[static_cast<std::size_t>(r)].replyPrefix;
    if (!StartsWith(frame, prefix)) continue;
    const std::string_view rest = frame.substr(prefix.size());
    if (r == model::kCapabilityRow) {
      // A count digit, then that many (item, value) pairs; item "3" is AAC.
      if (!rest.empty() && rest[0] >= '0' && rest[0] <= '9') {
        const std::size_t pairs = static_cast<std::size_t>(rest[0] - '0');
        for (std::size_t i = 0; i < pairs && 2 + 2 * i < rest.size(); ++i) {
          if (rest[1 + 2 * i] == '3') {
            link_.caps_.aac = rest[2 + 2 * i] != '0' ? 1 : 0;
            break;
          }
        }
      }
    } else if (!rest.empty()) {
      const int available = rest[0] != '0' ? 1 : 0;
      if (r == model::kZone2Row) link_.caps_.zone2 = available;
      if (r == model::kZone3Row) link_.caps_.zone3 = available;
      if (r == model::kXmRow) link_.caps_.xm = available;
    }
    return true;
  }
  return false;
}

void TransferEngine::expandStatusInto(std::string_view statusFrame) {
  std::string inputReport;
  ExpandStatusFrame(StatusData(statusFrame), [&](const std::string& report) {
    OnFrame(report, true);
    if (report.compare(1, 4, "0021") == 0) inputReport = report;
  });
  // A status frame gives the input before the program, and during an upload an input report
  // records the program in place as that input's own: it is applied once more, with the
  // frame's program in place, so that what it records does not depend on the image before.
  if (link_.linkMode_ == LinkMode::Upload && !inputReport.empty()) {
    if (const auto info = DecodeAndApplyReply(link_.imageInUse(), inputReport, link_.linkMode_)) noteUploadRead(*info);
  }
}

void TransferEngine::readUploadStatus(std::string_view statusFrame) {
  savedBasic_ = {};
  uploadRead_.clear();
  expandStatusInto(statusFrame);
  for (std::size_t i = 0; i < savedBasic_.size(); ++i) savedBasic_[i] = link_.imageInUse().basic[i];
}

// Only what lands in image 0 is the receiver's current settings; a memory's reads go to
// its own image.
void TransferEngine::noteUploadRead(const ReplyInfo& info) {
  if (link_.linkMode_ == LinkMode::Upload && &link_.imageInUse() == link_.images_.Image(0)) {
    uploadRead_.insert(info.stored.begin(), info.stored.end());
  }
}

bool TransferEngine::decodeListsNumber(std::string_view frame, int number) const {
  const auto info = DecodeReply(frame);
  return info && answersNumber(info->numbers, number);
}

void TransferEngine::saveZoneItems() {
  const model::ParameterImage& current = *link_.images_.Image(0);
  for (std::size_t i = 0; i < kUploadSavedZoneItems.size(); ++i) {
    const auto value = model::GetParameter(current, kUploadSavedZoneItems[i].number);
    if (value && std::holds_alternative<std::int32_t>(*value)) savedZoneItems_[i] = std::get<std::int32_t>(*value);
  }
}

// Walks on from the answered entry: macros act, and while a memory image is in use the
// DSP reads of other sound programs are passed over.
void TransferEngine::walkAfterAnswer(std::size_t answered, FrameVerdict& verdict) {
  for (std::size_t i = answered + 1; i < commands().size(); ++i) {
    CommandEntry& entry = commands().at(i);
    if (entry.isMacro()) {
      if (IsMacro(entry.text, kMacroMemory)) {
        verdict.memory = MacroArgument(entry.text);
        link_.logComment(std::string(kMacroMemory) + std::string(MacroArgumentText(entry.text)));
      } else if (IsMacro(entry.text, kMacroCurrent)) {
        verdict.rebuild = true;
      } else if (IsMacro(entry.text, kMacroVolumeOut)) {
        saveZoneItems();
      }
      continue;
    }
    if (entry.status == EntryStatus::Done) continue;
    const model::CommandRow* row = entry.tableRow();
    if (!row || link_.images_.InUseIndex() == 0 || row->programGroup == -1 || row->programGroup == dspProgram(link_.imageInUse())) {
      return;
    }
    entry.status = EntryStatus::Done;
  }
}

// Whether the echo of a write names the parameter written, not only its block: an echo of
// another parameter of the block, late after a resend, would otherwise acknowledge this
// write and leave every later one answered by its predecessor's echo. Without a row, the
// parameters the echo reports decide; an echo no report entry knows is taken.
bool TransferEngine::echoNamesParameter(std::string_view echo, const CommandEntry& entry,
                                    const model::CommandRow* row) const {
  if (row) return MatchesReplyPrefix(echo, *row, false);
  if (entry.number == kNoParameter) return true;
  const auto info = DecodeReply(echo);
  return !info || answersNumber(info->numbers, entry.number);
}

// Whether `frame` confirms the paired read `entry` (see PairedRead): its data came since the
// command was last written, and the frame names what the command asked for. True for any
// other command.
bool TransferEngine::confirmsPairedRead(std::string_view frame, const CommandEntry& entry,
                                    const model::CommandRow* row) const {
  if (row && (row->flags & model::kAltReplyInRepeat)) {
    const auto input = SelectedValue(kInputNumber, entry.text);
    model::ParameterImage reported = link_.images_.InUse();
    const auto info = DecodeAndApplyReply(reported, frame, link_.linkMode_);
    return link_.sender_.reportedSinceWrite().count(kSoundProgramNumber) && input && info && reported.basic[0] == *input;
  }
  if (const PairedRead* read = memoryVolumePart(entry.number)) {
    if (!link_.sender_.reportedSinceWrite().count(read->dataNumber)) return false;
    for (int memory = 1; memory <= kMemoryCount; ++memory) {
      if (link_.pages_->MemoryCommand(memory, read->part, true) == entry.text) return reportValue(frame) == memory;
    }
    return false;
  }
  return true;
}

void TransferEngine::finishEntry(std::size_t index, FrameVerdict& verdict) {
  link_.answerArrived();
  if (sendingCommands_ && commands().size() > 1) link_.observer_->ProgressChanged(LinkActivity::SendingCommands, static_cast<int>(index));
  commands().at(index).status = EntryStatus::Done;
  if (link_.linkMode_ == LinkMode::Upload || link_.linkMode_ == LinkMode::Download) walkAfterAnswer(index, verdict);
  if (const auto next = commands().firstPending()) {
    verdict.nextText = commands().at(*next).text;
  } else {
    verdict.finished = true;
  }
}

// What follows an answer (or a command given up): the memory switch and the rebuild that
// the walk met, then the next command or the end of the list.
void TransferEngine::continueList(const FrameVerdict& answered) {
  FrameVerdict verdict = answered;
  // An interrupted upload writes back once the command on the line is done (the reports a
  // status frame expands into answer nothing and belong to the memory being loaded).
  if (writeBackRequested_ && (verdict.finished || !verdict.nextText.empty())) startWriteBack(verdict);
  if (verdict.memory) link_.images_.SelectInUse(*verdict.memory);
  std::string nextText = verdict.nextText;
  if (verdict.rebuild) {
    if (link_.linkMode_ == LinkMode::Upload) BuildUploadList(true);
    if (link_.linkMode_ == LinkMode::Download) BuildDownloadList(true);
    // The rebuild may have set aside the command that was to follow.
    if (!verdict.finished && !nextText.empty()) {
      const auto next = commands().firstPending();
      nextText = next ? commands().at(*next).text : std::string();
    }
    if (link_.linkMode_ == LinkMode::Upload && uploadPhase_ == 2) failuresBeforeWriteBack_ = listFailures_;
  }

  if (verdict.finished || (verdict.rebuild && !commands().firstPending())) {
    endList();
  } else if (!nextText.empty()) {
    link_.sender_.writeOnLine(nextText);
    link_.sender_.startReplyTimer();
  } else if (commands().firstPending() &&
             (link_.linkMode_ != LinkMode::RealTime || !link_.scheduler_.isTimerActive(kReplyTimer))) {
    // The pending command stays watched; in Real Time Mode a frame that answered nothing
    // leaves its watch running as it was.
    link_.sender_.startReplyTimer();
  }
}

// The bytes of `frame` were read sooner than any answer to `command`, written last, could
// have come: the command's and the answer's time on the line at 9600 baud.
bool TransferEngine::cameBeforeAnswerPossible(std::string_view command, std::string_view frame) const {
  const auto lineMs = [](std::size_t bytes) { return static_cast<std::int64_t>(bytes) * 10 * 1000 / 9600; };
  const std::int64_t readAt = link_.channel_.readAt();
  return readAt < link_.channel_.lastWriteAt() + lineMs(command.size()) + lineMs(frame.size());
}

// Phase 2 of an upload writes the receiver's own settings back; everything before it reads.
bool TransferEngine::inUploadWriteBack() const {
  return link_.linkMode_ == LinkMode::Upload && uploadPhase_ == 2 && link_.linkState_ == LinkState::UploadRest;
}

void TransferEngine::noteGivenUp(const CommandEntry& entry) {
  ++listFailures_;
  if (inUploadWriteBack()) writeBackFailures_.push_back(entry.number);
}

void TransferEngine::endList() {
  if (endWriteBack()) return;
  const ListResult result = listFailures_ > 0 ? ListResult::Failed : ListResult::Completed;
  link_.ClearCommandList();
  FinishCommands(result);
}

// Upload reads (before the write-back): the answer is the report of what was read.
TransferEngine::Answer TransferEngine::matchUploadRead(std::string_view text, const CommandEntry& entry, const model::CommandRow* row,
                                   FrameVerdict& verdict) {
  if (uploadPhase_ == 1 && link_.linkState_ == LinkState::UploadRest && row && (row->flags & model::kAltReplyInRepeat)) {
    verdict.apply = true;
    const bool confirmed = row->altReplyPrefix && StartsWith(text, row->altReplyPrefix) && confirmsPairedRead(text, entry, row);
    return confirmed ? Answer::Answered : Answer::None;
  }
  if (entry.isStandard()) return matchStandardRead(text, entry, verdict);
  if (!entry.isExtended() || !row) return Answer::None;
  if (MatchesReplyPrefix(text, *row)) {
    verdict.apply = true;
    return Answer::Answered;
  }
  if (entry.status == EntryStatus::Pending && entry.resends < kMaxResends) {
    link_.sender_.OnReplyTimeout(text);
    return Answer::None;
  }
  link_.logError(entry.text, entry.number);
  link_.logComment(LogComment::SendFailedNextCommand);
  return Answer::GivenUp;
}

TransferEngine::Answer TransferEngine::matchStandardRead(std::string_view text, const CommandEntry& entry, FrameVerdict& verdict) {
  if (entry.number == kNoParameter) return Answer::Answered;
  if (entry.number == kSystemLoadNumber) {
    if (!IsStatusFrame(text)) return Answer::None;
    expandStatusInto(text);
    return Answer::Answered;
  }
  const auto info = DecodeReply(text);
  if (!info) return Answer::None;
  verdict.apply = true;
  const bool answers = answersNumber(info->numbers, answeringNumber(entry)) && confirmsPairedRead(text, entry, nullptr);
  return answers ? Answer::Answered : Answer::None;
}

// Writes (a download, an upload's write-back) and Real Time Mode: the answer is the echo.
TransferEngine::Answer TransferEngine::matchEcho(std::string_view text, const CommandEntry& entry, const model::CommandRow* row,
                             FrameVerdict& verdict) {
  const bool realTime = link_.linkMode_ == LinkMode::RealTime;
  if (IsStatusFrame(text)) {
    // A stray status frame answers nothing; a transfer's watch was stopped and must run on,
    // or the list would wait for ever.
    if (!realTime) link_.sender_.startReplyTimer();
    return Answer::Ignored;
  }
  Answer answer = Answer::None;
  if (!IsExtended(text)) {
    if (entry.number == kNoParameter || decodeListsNumber(text, answeringNumber(entry))) answer = Answer::Answered;
    verdict.apply = true;
  } else if (entry.status == EntryStatus::Rereading) {
    answer = Answer::Answered;
    verdict.apply = true;
  } else if (AcknowledgesExtendedWrite(text, entry.text) && echoNamesParameter(text, entry, row)) {
    answer = Answer::Answered;
    link_.confirmWrite(entry, text);
  } else if (realTime && !IsGuard(text) && !IsParameterError(text)) {
    // A report the receiver sent on its own (a setting changed at its front panel):
    // shown, and the command on the line is still waited for.
    verdict.apply = true;
  } else if (link_.sender_.OnReplyTimeout(text) != 0) {
    answer = Answer::Answered;
  }
  if (!realTime) verdict.apply = false;  // our own echoes
  return answer;
}

// Matches `text` to the command on the line by what the list is doing. False when the frame
// is dropped.
bool TransferEngine::answerPending(std::size_t index, std::string_view text, FrameVerdict& verdict) {
  const CommandEntry entry = commands().at(index);
  const model::CommandRow* row = entry.tableRow();
  const unsigned generation = commands().generation();
  const bool transfer = link_.linkMode_ == LinkMode::Upload || link_.linkMode_ == LinkMode::Download;
  if (link_.linkMode_ != LinkMode::RealTime && !IsStatusFrame(text) &&
      ((entry.isStandard() && !IsStandard(text)) || (entry.isExtended() && !IsExtended(text)))) {
    link_.sender_.startReplyTimer();
    return false;
  }
  Answer answer = Answer::Answered;
  if (!learnCapability(text)) {
    const bool uploadRead = link_.linkMode_ == LinkMode::Upload && !inUploadWriteBack();
    answer = uploadRead ? matchUploadRead(text, entry, row, verdict) : matchEcho(text, entry, row, verdict);
  }
  if (answer == Answer::Ignored) return false;
  // A give-up rule may have emptied the list (and ended it) meanwhile.
  if (answer == Answer::None || commands().generation() != generation) return true;
  if (answer == Answer::GivenUp) {
    noteGivenUp(entry);
  } else {
    ++listAnswers_;
    if (transfer) {
      lastAnswer_ = std::string(text);
      lastAnswered_ = entry.text;
    }
  }
  finishEntry(index, verdict);
  return true;
}

// A transfer's frame right after an answer can be its repeat, only when it came too soon to
// answer the command written since: a memory part may well be answered exactly as the part
// before it was.
bool TransferEngine::isRepeatedAnswer(std::string_view text, std::optional<std::size_t> pending) {
  const bool repeat = pending && text == lastAnswer_ && commands().at(*pending).text != lastAnswered_ &&
                      cameBeforeAnswerPossible(commands().at(*pending).text, text);
  lastAnswer_.clear();
  return repeat;
}

void TransferEngine::applyReport(std::string_view text, bool notAReply, bool realTime) {
  const auto info = DecodeAndApplyReply(link_.imageInUse(), text, link_.linkMode_);
  if (!info) {
    if (!realTime && commands().firstPending()) link_.sender_.startReplyTimer();
    return;
  }
  link_.confirmReport(text);
  noteUploadRead(*info);
  // An upload reads each memory's trims: from now on they are the memory's own.
  if (info->group == model::kGroupVolumeTrim && link_.images_.InUseIndex() != 0) link_.imageInUse().memoryTrimsKnown = true;
  const std::size_t shown = std::min(info->numbers.size(), kMaxRefreshedItems);
  if (info->group == 1 && realTime) {
    for (std::size_t i = 0; i < shown; ++i) link_.observer_->RefreshBasicItem(info->numbers[i], i + 1 == info->numbers.size());
  } else if (info->group == 12 && !info->applied) {
    // A Graphic EQ report for a channel no record holds changed nothing; the list still
    // goes on, or a transfer would stall without a reply watch.
  } else if (info->group != 1 && realTime && !notAReply) {
    link_.observer_->RefreshActiveItems(std::vector<int>(info->numbers.begin(), info->numbers.begin() + static_cast<long>(shown)));
  }
}

int TransferEngine::OnFrame(std::string_view text, bool notAReply) {
  if (text.empty()) return 0;
  if (link_.linkState_ == LinkState::WaitStatus) return link_.handshake_.onStatusFrame(text);
  link_.sender_.notePossibleProgramReport(text);
  if (link_.linkState_ == LinkState::StartupRead) {
    bool handOn = false;
    const int consumed = link_.handshake_.onStartupFrame(text, handOn);
    if (!handOn) return consumed;
  }
  const bool realTime = link_.linkMode_ == LinkMode::RealTime;
  if (link_.linkState_ == LinkState::Connected && realTime && MatchesReplyPrefix(text, model::kCommandTable[model::kPollRow])) {
    link_.scheduler_.killTimer(kKeepAliveReplyTimer);
    return 1;
  }
  // A transfer's watch starts afresh with every frame. In Real Time Mode the receiver also
  // reports on its own: only an answer ends the watch of the pending command.
  if (!realTime) link_.scheduler_.killTimer(kReplyTimer);
  const auto pending = commands().firstPending();
  if (IsIgnoredReport(text)) {
    if (pending) link_.sender_.startReplyTimer();
    return 0;
  }
  const bool transfer = link_.linkMode_ == LinkMode::Upload || link_.linkMode_ == LinkMode::Download;
  if (transfer && !notAReply && isRepeatedAnswer(text, pending)) {
    link_.logComment("[same answer again: ignored]");
    link_.sender_.startReplyTimer();
    return 0;
  }
  if (pending && !notAReply) {
    if (const auto info = DecodeReply(text)) link_.sender_.noteReported(info->numbers);
  }
  FrameVerdict verdict;
  // A download's images are what is being sent: a frame that answers nothing (a late or
  // damaged echo) must not change them.
  if (notAReply || !pending) verdict.apply = link_.linkMode_ != LinkMode::Download;
  if (pending && !notAReply && !answerPending(*pending, text, verdict)) return 0;
  if (IsGuard(text)) link_.sender_.ShowGuardText();
  if (verdict.apply) applyReport(text, notAReply, realTime);
  continueList(verdict);
  return 0;
}

}  // namespace tw::comm
