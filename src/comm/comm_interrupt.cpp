// An interrupted upload. From its first System Memory load on, the receiver runs that
// memory's settings until the write-back at the end of the upload puts its own back, so an
// interrupt runs that write-back first. What cannot be restored goes to the observer with the
// settings read, so that the receiver's own settings are never lost.

#include "comm/link.h"
#include "comm/link_log.h"
#include "comm/link_observer.h"
#include "comm/memory_commands.h"
#include "comm/transfer_engine.h"
#include "model/parameter_access.h"

namespace tw::comm {

// Called as each command is written: the System part of a memory load marks the receiver
// as running that memory (the image in use is the memory's own by then).
void TransferEngine::noteMemoryLoad(const std::string& text) {
  if (link_.linkMode_ != LinkMode::Upload) return;
  const auto pending = commands().firstPending();
  if (!pending || commands().at(*pending).number != kSystemLoadNumber || commands().at(*pending).text != text) return;
  const int memory = link_.images_.InUseIndex();
  if (memory >= 1 && memory <= kMemoryCount) loadedMemory_ = memory;
}

bool TransferEngine::InterruptCommands() {
  const bool upload = link_.linkMode_ == LinkMode::Upload && sendingCommands_;
  if (upload && loadedMemory_ > 0 && !isWritingBack()) {
    link_.logComment("[interrupted: writing back the settings read]");
    if (uploadPhase_ == 2 && link_.linkState_ == LinkState::UploadRest) {
      // The write-back is the command on the line already.
      writingBack_ = true;
      UploadInterruption what;
      what.memory = loadedMemory_;
      what.firstEntry = static_cast<int>(commands().firstPending().value_or(0));
      what.entryCount = static_cast<int>(commands().size()) - what.firstEntry;
      link_.observer_->UploadInterrupted(what);
    } else {
      // A memory load or read on the line is finished first: the receiver would not take
      // writes while it loads a memory.
      writeBackRequested_ = true;
    }
    return true;
  }
  if (upload && loadedMemory_ > 0) {
    link_.logComment("[interrupted again: write-back stopped]");
    reportUnrestored(UploadInterruption::Cause::SecondInterrupt);
  }
  link_.CancelCommands();
  return false;
}

// The command on the line is done: the rest of the list gives way to the upload's own
// write-back (its last phase, built as at the second "@CURR"), on image 0.
void TransferEngine::startWriteBack(FrameVerdict& verdict) {
  writeBackRequested_ = false;
  if (verdict.finished) return;
  if (const auto pending = commands().firstPending(); pending && *pending > 0) commands().truncateAfter(*pending - 1);
  link_.images_.SelectInUse(0);
  uploadPhase_ = 1;
  failuresBeforeWriteBack_ = listFailures_;
  const std::size_t first = commands().size();
  BuildUploadList(true);
  writingBack_ = true;

  verdict.memory.reset();
  verdict.rebuild = false;
  if (const auto next = commands().firstPending()) {
    verdict.nextText = commands().at(*next).text;
  } else {
    verdict.finished = true;
  }
  UploadInterruption what;
  what.memory = loadedMemory_;
  what.firstEntry = static_cast<int>(first);
  what.entryCount = static_cast<int>(commands().size() - first);
  link_.observer_->UploadInterrupted(what);
}

// The list of an upload that loaded memories is done. An interrupted one ends as cancelled
// (true: the list is ended here); a write-back with commands given up leaves the receiver
// unrestored either way.
bool TransferEngine::endWriteBack() {
  const bool inWriteBack = writingBack_ || (link_.linkMode_ == LinkMode::Upload && uploadPhase_ == 2 &&
                                            link_.linkState_ == LinkState::UploadRest && loadedMemory_ > 0);
  if (!inWriteBack) return false;
  if (listFailures_ > failuresBeforeWriteBack_) {
    reportUnrestored(UploadInterruption::Cause::WriteBackFailed);
  } else if (writingBack_) {
    UploadInterruption what;
    what.stage = UploadInterruption::Stage::Restored;
    what.memory = loadedMemory_;
    link_.observer_->UploadInterrupted(what);
  }
  if (!writingBack_) return false;
  link_.ClearCommandList();
  restoreUploadBackup();
  FinishCommands(ListResult::Completed);
  return true;
}

void TransferEngine::reportUnrestored(UploadInterruption::Cause cause) {
  if (loadedMemory_ == 0) return;
  UploadInterruption what;
  what.stage = UploadInterruption::Stage::NotRestored;
  what.cause = cause;
  what.memory = loadedMemory_;
  // Image 0 as read, with the items the upload set aside before its own commands and the
  // memory loads changed them on the receiver.
  what.settingsRead = *link_.images_.Image(0);
  for (std::size_t i = 0; i < kUploadSavedZoneItems.size(); ++i) {
    const SavedZoneItem& item = kUploadSavedZoneItems[i];
    if (item.zone == 2 ? link_.caps_.zone2 : link_.caps_.zone3) model::SetParameter(what.settingsRead, item.number, savedZoneItems_[i]);
  }
  for (std::size_t i = 0; i < savedBasic_.size(); ++i) what.settingsRead.basic[i] = savedBasic_[i];
  loadedMemory_ = 0;  // told once
  link_.observer_->UploadInterrupted(what);
}

void TransferEngine::forgetInterruption() {
  loadedMemory_ = 0;
  writeBackRequested_ = false;
  writingBack_ = false;
  failuresBeforeWriteBack_ = 0;
}

}  // namespace tw::comm
