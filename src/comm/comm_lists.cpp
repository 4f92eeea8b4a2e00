// List builders of the transfer engine: the three-phase upload and the download.

#include "comm/link.h"
#include "comm/memory_commands.h"
#include "comm/page_source.h"
#include "comm/protocol.h"
#include "comm/upload_coverage.h"
#include "model/parameter_access.h"

namespace tw::comm {
namespace {

constexpr int kMemoryLoadWaitMs = 1000;
constexpr int kLastListedRow = model::kRowCount - 2;  // row 506, the keep-alive, is never listed

}  // namespace

void Link::queueRow(int row) {
  SendPacket(CompleteExtended(model::kCommandTable[static_cast<std::size_t>(row)].request), kNoParameter);
}

void Link::queueMacro(std::string_view name, std::optional<int> argument) {
  SendPacket(argument ? MacroText(name, *argument) : std::string(name), kNoParameter);
}

// The reads of an upload's first and second phase. False when the System Memory commands
// are missing, in which case the list stays unstarted.
bool Link::queueUploadReads() {
  for (int r = 0; r <= kLastListedRow; ++r) {
    if (uploadPhase_ == 0 && r == model::kCapabilityRow) queueMacro(kMacroCurrent, std::nullopt);
    if (uploadPhase_ > 0 && r <= model::kCapabilityRow) continue;
    const model::CommandRow& row = model::kCommandTable[static_cast<std::size_t>(r)];
    if ((row.flags & (model::kReadAtStart | model::kReadCurrent)) && model::IsEligible(row, caps_)) queueRow(r);
  }
  if (uploadPhase_ == 1) queueMacro(kMacroVolumeOut, std::nullopt);
  if (caps_.zone2) SendPacket(MakeStandard("26600"), kZone2CommandNumber);
  if (caps_.zone3) SendPacket(MakeStandard("26B00"), kZone3CommandNumber);

  for (int memory = 1; memory <= kMemoryCount; ++memory) {
    std::array<std::string, 4> parts;
    for (int part = 0; part < 4; ++part) {
      parts[static_cast<std::size_t>(part)] = pages_->MemoryCommand(memory, part, true);
      if (parts[static_cast<std::size_t>(part)].empty()) return false;
    }
    queueMemoryLoads(memory, parts);
    for (int r = 0; r <= kLastListedRow; ++r) {
      const model::CommandRow& row = model::kCommandTable[static_cast<std::size_t>(r)];
      if ((row.flags & model::kReadPerMemory) && model::IsEligible(row, caps_)) queueRow(r);
    }
  }
  queueMacro(kMacroMemory, 0);
  queueMacro(kMacroCurrent, std::nullopt);
  return true;
}

void Link::queueMemoryLoads(int memory, const std::array<std::string, 4>& parts) {
  queueMacro(kMacroWait, kMemoryLoadWaitMs);
  queueMacro(kMacroMemory, memory);
  SendPacket(parts[kMemorySystem], MemoryCommandNumber(kMemorySystem, true));
  queueMacro(kMacroWait, kMemoryLoadWaitMs);
  SendPacket(parts[kMemoryMainVolume], MemoryCommandNumber(kMemoryMainVolume, true));
  queueMacro(kMacroWait, kMemoryLoadWaitMs);
  if (caps_.zone2) {
    SendPacket(parts[kMemoryZone2Volume], MemoryCommandNumber(kMemoryZone2Volume, true));
    queueMacro(kMacroWait, kMemoryLoadWaitMs);
  }
  if (caps_.zone3) {
    SendPacket(parts[kMemoryZone3Volume], MemoryCommandNumber(kMemoryZone3Volume, true));
    queueMacro(kMacroWait, kMemoryLoadWaitMs);
  }
}

void Link::BuildUploadList(bool continuation) {
  if (continuation) {
    linkState_ = LinkState::UploadRest;
    if (const auto pending = sender_.list().firstPending()) sender_.list().truncateAfter(*pending);
    ++uploadPhase_;
  } else {
    if (savedBasic_[0] == 0) {
      // Input 0 is PHONO; the upload starts from another input.
      imageInUse().basic[0] = 1;
      BuildOperationCommand(imageInUse().basic, 1);
    }
    uploadPhase_ = 0;
  }

  if (uploadPhase_ < 2 && !queueUploadReads()) return;

  const bool restoring = continuation && uploadPhase_ == 2;
  if (restoring) {
    model::ParameterImage& current = *images_.Image(0);
    for (std::size_t i = 0; i < kUploadSavedZoneItems.size(); ++i) {
      const SavedZoneItem& item = kUploadSavedZoneItems[i];
      if (item.zone == 2 ? caps_.zone2 : caps_.zone3) model::SetParameter(current, item.number, savedZoneItems_[i]);
    }
  }
  // The write-back puts back only the page settings this upload read: one the receiver
  // never reports keeps the receiver's own value. The writes built before then (dropped at
  // "@CURR" but for the first) go by what an upload can read at all. The Basic Control
  // group is all in the status frame; its command-only items carry the sound program.
  const model::SettingFilter readBack = [this, restoring](const model::SettingKey& key) {
    return restoring ? uploadRead_.contains(key) : IsReadByUpload(key.number, key.record);
  };
  pages_->QueueAll(imageInUse(), readBack);
  if (restoring) {
    for (std::size_t i = 0; i < savedBasic_.size(); ++i) imageInUse().basic[i] = savedBasic_[i];
  }
  QueueBasicControls(imageInUse());
  if (!continuation) SendPacket("", kNoParameter);
}

void Link::BuildDownloadList(bool continuation) {
  if (continuation) {
    if (const auto pending = sender_.list().firstPending()) {
      sender_.list().truncateAfter(*pending);
      // The first call queued its zone commands before the receiver said which zones it
      // has; one for a zone it lacks may be refused, and is not written.
      CommandEntry& kept = sender_.list().at(*pending);
      if ((kept.number == kZone2CommandNumber && !caps_.zone2) ||
          (kept.number == kZone3CommandNumber && !caps_.zone3)) {
        kept.status = EntryStatus::Done;
      }
    }
  } else {
    queueRow(model::kZone2Row);
    queueRow(model::kZone3Row);
    queueRow(model::kXmRow);
    queueMacro(kMacroCurrent, std::nullopt);
  }
  if (caps_.zone2) SendPacket(MakeStandard("26600"), kZone2CommandNumber);
  if (caps_.zone3) SendPacket(MakeStandard("26B00"), kZone3CommandNumber);
  for (int memory = 1; downloadSendsMemories_ && memory <= kMemoryCount; ++memory) {
    model::ParameterImage& image = *images_.Image(memory);
    pages_->QueueMemoryPart(memory, kMemorySystem, image);
    pages_->QueueMemoryPart(memory, kMemoryMainVolume, image);
    if (caps_.zone2) pages_->QueueMemoryPart(memory, kMemoryZone2Volume, image);
    if (caps_.zone3) pages_->QueueMemoryPart(memory, kMemoryZone3Volume, image);
  }
  // Without the memories this puts back the current settings an upload read (restoring a
  // receiver an interrupted upload left): one the receiver never reports keeps its value.
  const model::SettingFilter sends = [](const model::SettingKey& key) { return IsReadByUpload(key.number, key.record); };
  pages_->QueueAll(imageInUse(), downloadSendsMemories_ ? model::SettingFilter{} : sends);
  QueueBasicControls(imageInUse());
  if (!continuation) SendPacket("", kNoParameter);
}

}  // namespace tw::comm
