// Connection handshake: the receiver's status frame and the start-up read of the command
// table, one row at a time.

#include "comm/link.h"
#include "comm/link_observer.h"
#include "comm/protocol.h"
#include "comm/scheduler.h"
#include "model/parameter_access.h"

namespace tw::comm {
namespace {

constexpr std::size_t kModelCodeOffset = 1;
constexpr std::size_t kModelCodeLength = 5;
constexpr std::size_t kRegionDigit = 12;  // in the answer to row 0

}  // namespace

int Link::onStatusFrame(std::string_view frame) {
  if (!IsStatusFrame(frame)) return 0;
  modelCode_ = std::string(frame.substr(kModelCodeOffset, kModelCodeLength));
  if (!IsSupportedModel(frame)) {
    logComment(LogComment::WrongModel);
    FinishConnect(true);
    return 1;
  }
  scheduler_.killTimer(kRetryTimer);

  if (linkMode_ == LinkMode::Download) {
    SetConnected();
    return 1;
  }
  if (linkMode_ == LinkMode::Upload) {
    linkState_ = LinkState::ApplyStatus;
    savedBasic_ = {};
    uploadRead_.clear();
    expandStatusInto(frame);
    for (std::size_t i = 0; i < savedBasic_.size(); ++i) savedBasic_[i] = imageInUse().basic[i];
    SetConnected();
    return 1;
  }
  linkState_ = LinkState::ApplyStatus;
  expandStatusInto(frame);
  savedProgram_ = imageInUse().basic[3];
  channel_.pacer().Hold(kStatusFrameSettleMs);
  startCursor_ = 0;
  SendNextStartupRow();
  linkState_ = LinkState::StartupRead;
  return 1;
}

void Link::SetConnected() {
  // Connected before the observer hears of it, so that it may queue commands right away.
  linkState_ = LinkState::Connected;
  confirmAll();
  FinishConnect(false);
}

void Link::SendNextStartupRow() {
  for (; startCursor_ < model::kRowCount; ++startCursor_) {
    const model::CommandRow& row = model::kCommandTable[static_cast<std::size_t>(startCursor_)];
    if ((row.flags & model::kReadAtStart) && model::IsEligible(row, caps_)) {
      Write(CompleteExtended(row.request));
      scheduler_.setTimer(kStartupReadTimer, kStartupReadTimeoutMs);
      return;
    }
  }
}

// One frame of the start-up read. Sets `handOn` when the frame is to be applied by the
// general frame processing as well.
int Link::onStartupFrame(std::string_view frame, bool& handOn) {
  handOn = false;
  const int r = startCursor_;
  if (r < 0 || r >= model::kRowCount) return 0;
  const model::CommandRow& row = model::kCommandTable[static_cast<std::size_t>(r)];

  std::string_view text = frame;
  bool replaced = false;
  if (IsParameterError(frame)) {
    logComment(LogComment::ExtendedParameterError);
    logError(LogText(LogComment::ExtendedParameterError), kNoParameter);
    if (row.flags & model::kErrorTolerated) {
      // The row's own reply prefix stands in for the refused answer: accepted, not applied.
      text = row.replyPrefix;
      replaced = true;
      logError(CompleteExtended(row.request), kNoParameter);
    }
  }
  if (!MatchesReplyPrefix(text, row)) return 0;

  scheduler_.killTimer(kStartupReadTimer);
  answerArrived();
  if (connecting_) observer_->ProgressChanged(LinkActivity::Connecting, r);
  startCursor_ = r + 1;

  if (r == model::kRegionRow) {
    if (text.size() > kRegionDigit) {
      const int region = text[kRegionDigit] - '0';
      if (region >= 0 && region < model::kTunerRegionCount) {
        tunerRegion_ = region;
        model::ResetTunerBlock(imageInUse(), region);
      }
    }
    SendNextStartupRow();
    return 1;
  }
  if (r <= model::kCapabilityRow) {
    learnCapability(text);
    SendNextStartupRow();
    return 1;
  }
  if (startCursor_ >= model::kRowCount) {
    SetConnected();
    imageInUse().basic[3] = savedProgram_;
    BuildOperationCommand(imageInUse().basic, 1);
    BuildOperationCommand(imageInUse().basic, 4);
    observer_->RefreshAllPages();
    return 1;
  }
  SendNextStartupRow();
  if (replaced) return 1;
  handOn = true;
  return 0;
}

}  // namespace tw::comm
