// Lists of the transfer engine: the three-phase upload and the download, the upload's
// backup of the images, and the start and end of every command list.

#include "comm/link.h"
#include "comm/link_observer.h"
#include "comm/memory_commands.h"
#include "comm/page_source.h"
#include "comm/protocol.h"
#include "comm/scheduler.h"
#include "comm/transfer_engine.h"
#include "comm/upload_coverage.h"
#include "model/parameter_access.h"

namespace tw::comm {
namespace {

constexpr int kMemoryLoadWaitMs = 1000;
constexpr int kLastListedRow = model::kRowCount - 2;  // row 506, the keep-alive, is never listed

}  // namespace

void TransferEngine::queueRow(int row) {
  link_.SendPacket(CompleteExtended(model::kCommandTable[static_cast<std::size_t>(row)].request), kNoParameter);
}

void TransferEngine::queueMacro(std::string_view name, std::optional<int> argument) {
  link_.SendPacket(argument ? MacroText(name, *argument) : std::string(name), kNoParameter);
}

// The reads of an upload's first and second phase. False when the System Memory commands
// are missing, in which case the list stays unstarted.
bool TransferEngine::queueUploadReads() {
  for (int r = 0; r <= kLastListedRow; ++r) {
    if (uploadPhase_ == 0 && r == model::kCapabilityRow) queueMacro(kMacroCurrent, std::nullopt);
    if (uploadPhase_ > 0 && r <= model::kCapabilityRow) continue;
    const model::CommandRow& row = model::kCommandTable[static_cast<std::size_t>(r)];
    if ((row.flags & (model::kReadAtStart | model::kReadCurrent)) && model::IsEligible(row, link_.caps_)) queueRow(r);
  }
  if (uploadPhase_ == 1) queueMacro(kMacroVolumeOut, std::nullopt);
  if (link_.caps_.zone2) link_.SendPacket(MakeStandard("26600"), kZone2CommandNumber);
  if (link_.caps_.zone3) link_.SendPacket(MakeStandard("26B00"), kZone3CommandNumber);

  for (int memory = 1; memory <= kMemoryCount; ++memory) {
    std::array<std::string, 4> parts;
    for (int part = 0; part < 4; ++part) {
      parts[static_cast<std::size_t>(part)] = link_.pages_->MemoryCommand(memory, part, true);
      if (parts[static_cast<std::size_t>(part)].empty()) return false;
    }
    queueMemoryLoads(memory, parts);
    for (int r = 0; r <= kLastListedRow; ++r) {
      const model::CommandRow& row = model::kCommandTable[static_cast<std::size_t>(r)];
      if ((row.flags & model::kReadPerMemory) && model::IsEligible(row, link_.caps_)) queueRow(r);
    }
  }
  queueMacro(kMacroMemory, 0);
  queueMacro(kMacroCurrent, std::nullopt);
  return true;
}

void TransferEngine::queueMemoryLoads(int memory, const std::array<std::string, 4>& parts) {
  queueMacro(kMacroWait, kMemoryLoadWaitMs);
  queueMacro(kMacroMemory, memory);
  link_.SendPacket(parts[kMemorySystem], MemoryCommandNumber(kMemorySystem, true));
  queueMacro(kMacroWait, kMemoryLoadWaitMs);
  link_.SendPacket(parts[kMemoryMainVolume], MemoryCommandNumber(kMemoryMainVolume, true));
  queueMacro(kMacroWait, kMemoryLoadWaitMs);
  if (link_.caps_.zone2) {
    link_.SendPacket(parts[kMemoryZone2Volume], MemoryCommandNumber(kMemoryZone2Volume, true));
    queueMacro(kMacroWait, kMemoryLoadWaitMs);
  }
  if (link_.caps_.zone3) {
    link_.SendPacket(parts[kMemoryZone3Volume], MemoryCommandNumber(kMemoryZone3Volume, true));
    queueMacro(kMacroWait, kMemoryLoadWaitMs);
  }
}

void TransferEngine::BuildUploadList(bool continuation) {
  if (continuation) {
    link_.linkState_ = LinkState::UploadRest;
    if (const auto pending = commands().firstPending()) commands().truncateAfter(*pending);
    ++uploadPhase_;
  } else {
    if (savedBasic_[0] == 0) {
      // Input 0 is PHONO; the upload starts from another input.
      link_.imageInUse().basic[0] = 1;
      link_.BuildOperationCommand(link_.imageInUse().basic, 1);
    }
    uploadPhase_ = 0;
  }

  if (uploadPhase_ < 2 && !queueUploadReads()) return;

  const bool restoring = continuation && uploadPhase_ == 2;
  if (restoring) {
    model::ParameterImage& current = *link_.images_.Image(0);
    for (std::size_t i = 0; i < kUploadSavedZoneItems.size(); ++i) {
      const SavedZoneItem& item = kUploadSavedZoneItems[i];
      if (item.zone == 2 ? link_.caps_.zone2 : link_.caps_.zone3) model::SetParameter(current, item.number, savedZoneItems_[i]);
    }
  }
  // The write-back puts back only the page settings this upload read: one the receiver
  // never reports keeps the receiver's own value. The writes built before then (dropped at
  // "@CURR" but for the first) go by what an upload can read at all. The Basic Control
  // group is all in the status frame; its command-only items carry the sound program.
  const model::SettingFilter readBack = [this, restoring](const model::SettingKey& key) {
    return restoring ? uploadRead_.contains(key) : IsReadByUpload(key.number, key.record);
  };
  link_.pages_->QueueAll(link_.imageInUse(), readBack);
  if (restoring) {
    for (std::size_t i = 0; i < savedBasic_.size(); ++i) link_.imageInUse().basic[i] = savedBasic_[i];
  }
  link_.QueueBasicControls(link_.imageInUse());
  if (!continuation) link_.SendPacket("", kNoParameter);
}

void TransferEngine::BuildDownloadList(bool continuation) {
  if (continuation) {
    if (const auto pending = commands().firstPending()) {
      commands().truncateAfter(*pending);
      // The first call queued its zone commands before the receiver said which zones it
      // has; one for a zone it lacks may be refused, and is not written.
      CommandEntry& kept = commands().at(*pending);
      if ((kept.number == kZone2CommandNumber && !link_.caps_.zone2) ||
          (kept.number == kZone3CommandNumber && !link_.caps_.zone3)) {
        kept.status = EntryStatus::Done;
      }
    }
  } else {
    queueRow(model::kZone2Row);
    queueRow(model::kZone3Row);
    queueRow(model::kXmRow);
    queueMacro(kMacroCurrent, std::nullopt);
  }
  if (link_.caps_.zone2) link_.SendPacket(MakeStandard("26600"), kZone2CommandNumber);
  if (link_.caps_.zone3) link_.SendPacket(MakeStandard("26B00"), kZone3CommandNumber);
  for (int memory = 1; downloadSendsMemories_ && memory <= kMemoryCount; ++memory) {
    model::ParameterImage& image = *link_.images_.Image(memory);
    link_.pages_->QueueMemoryPart(memory, kMemorySystem, image);
    link_.pages_->QueueMemoryPart(memory, kMemoryMainVolume, image);
    if (link_.caps_.zone2) link_.pages_->QueueMemoryPart(memory, kMemoryZone2Volume, image);
    if (link_.caps_.zone3) link_.pages_->QueueMemoryPart(memory, kMemoryZone3Volume, image);
  }
  // Without the memories this puts back the current settings an upload read (restoring a
  // receiver an interrupted upload left): one the receiver never reports keeps its value.
  const model::SettingFilter sends = [](const model::SettingKey& key) { return IsReadByUpload(key.number, key.record); };
  link_.pages_->QueueAll(link_.imageInUse(), downloadSendsMemories_ ? model::SettingFilter{} : sends);
  link_.QueueBasicControls(link_.imageInUse());
  if (!continuation) link_.SendPacket("", kNoParameter);
}

void TransferEngine::takeUploadBackup() {
  uploadBackup_ = std::make_unique<std::array<model::ParameterImage, model::kImageCount>>(link_.images_.All());
}

void TransferEngine::restoreUploadBackup() {
  if (!uploadBackup_) return;
  link_.images_.All() = *uploadBackup_;
  uploadBackup_.reset();
  // One stopped while it read a memory would leave that memory's image in use, so that the
  // pages and a download would work on it.
  link_.images_.SelectInUse(0);
}

void TransferEngine::StartSendingCommands() {
  listFailures_ = 0;
  listAnswers_ = 0;
  writeBackFailures_.clear();
  lastAnswer_.clear();
  if (link_.attempts_.savedLinkOperation() == LinkMode::RealTime || link_.linkMode_ != LinkMode::Idle) {
    link_.scheduler_.killTimer(kKeepAliveTimer);
    sendingCommands_ = true;
    link_.observer_->ActivityChanged(LinkActivity::SendingCommands, link_.GetCommandCount());
    return;
  }
  link_.PortClose();
  FinishCommands(ListResult::Completed);
}

void TransferEngine::FinishCommands(ListResult result) {
  link_.scheduler_.killTimer(kReplyTimer);
  const LinkMode operation = link_.linkMode_;
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
    link_.observer_->ActivityChanged(LinkActivity::None, 0);
    if (operation == LinkMode::Upload) link_.observer_->RefreshAllPages();
    if (link_.mode_ == WorkingMode::Async) link_.PortClose();
  }
  if (result == ListResult::Completed) {
    link_.sender_.resumeKeepAlive();
    link_.observer_->RestoreFocus();
  } else if (result == ListResult::Failed) {
    link_.sender_.ShowErrorText();
    link_.sender_.resumeKeepAlive();
    if (writeBackOnly) {
      link_.observer_->WriteBackFailed(writeBackFailures_, total);
    } else if (operation == LinkMode::Upload || operation == LinkMode::Download) {
      link_.observer_->TransferFailed(operation, failed, total);
    }
  } else if (result == ListResult::CableError) {
    link_.observer_->MessageRaised(LinkMessage::CableCheck);
    link_.Close();
  }
  uploadBackup_.reset();
  forgetInterruption();
  link_.observer_->CommandsFinished(result);
}

}  // namespace tw::comm
