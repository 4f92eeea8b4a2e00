// Connection handshake: the receiver's status frame and the start-up read of the command
// table, one row at a time.

#include "comm/handshake.h"
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

int Handshake::onStatusFrame(std::string_view frame) {
  if (!IsStatusFrame(frame)) return 0;
  modelCode_ = std::string(frame.substr(kModelCodeOffset, kModelCodeLength));
  if (!IsSupportedModel(frame)) {
    link_.logComment(LogComment::WrongModel);
    link_.FinishConnect(true);
    return 1;
  }
  link_.scheduler_.killTimer(kRetryTimer);

  if (link_.linkMode_ == LinkMode::Download) {
    SetConnected();
    return 1;
  }
  if (link_.linkMode_ == LinkMode::Upload) {
    link_.linkState_ = LinkState::ApplyStatus;
    link_.engine_.readUploadStatus(frame);
    SetConnected();
    return 1;
  }
  link_.linkState_ = LinkState::ApplyStatus;
  link_.engine_.expandStatusInto(frame);
  savedProgram_ = link_.imageInUse().basic[3];
  link_.channel_.pacer().Hold(kStatusFrameSettleMs);
  startCursor_ = 0;
  SendNextStartupRow();
  link_.linkState_ = LinkState::StartupRead;
  return 1;
}

void Handshake::SetConnected() {
  // Connected before the observer hears of it, so that it may queue commands right away.
  link_.linkState_ = LinkState::Connected;
  link_.confirmAll();
  link_.FinishConnect(false);
}

void Handshake::SendNextStartupRow() {
  for (; startCursor_ < model::kRowCount; ++startCursor_) {
    const model::CommandRow& row = model::kCommandTable[static_cast<std::size_t>(startCursor_)];
    if ((row.flags & model::kReadAtStart) && model::IsEligible(row, link_.caps_)) {
      link_.Write(CompleteExtended(row.request));
      link_.scheduler_.setTimer(kStartupReadTimer, kStartupReadTimeoutMs);
      return;
    }
  }
}

int Handshake::onStartupFrame(std::string_view frame, bool& handOn) {
  handOn = false;
  const int r = startCursor_;
  if (r < 0 || r >= model::kRowCount) return 0;
  const model::CommandRow& row = model::kCommandTable[static_cast<std::size_t>(r)];

  std::string_view text = frame;
  bool replaced = false;
  if (IsParameterError(frame)) {
    link_.logComment(LogComment::ExtendedParameterError);
    link_.logError(LogText(LogComment::ExtendedParameterError), kNoParameter);
    if (row.flags & model::kErrorTolerated) {
      // The row's own reply prefix stands in for the refused answer: accepted, not applied.
      text = row.replyPrefix;
      replaced = true;
      link_.logError(CompleteExtended(row.request), kNoParameter);
    }
  }
  if (!MatchesReplyPrefix(text, row)) return 0;

  link_.scheduler_.killTimer(kStartupReadTimer);
  link_.answerArrived();
  if (link_.attempts_.isConnecting()) link_.observer_->ProgressChanged(LinkActivity::Connecting, r);
  startCursor_ = r + 1;

  if (r == model::kRegionRow) {
    if (text.size() > kRegionDigit) {
      const int region = text[kRegionDigit] - '0';
      if (region >= 0 && region < model::kTunerRegionCount) {
        link_.tunerRegion_ = region;
        model::ResetTunerBlock(link_.imageInUse(), region);
      }
    }
    SendNextStartupRow();
    return 1;
  }
  if (r <= model::kCapabilityRow) {
    link_.engine_.learnCapability(text);
    SendNextStartupRow();
    return 1;
  }
  if (startCursor_ >= model::kRowCount) {
    SetConnected();
    link_.imageInUse().basic[3] = savedProgram_;
    link_.BuildOperationCommand(link_.imageInUse().basic, 1);
    link_.BuildOperationCommand(link_.imageInUse().basic, 4);
    link_.observer_->RefreshAllPages();
    return 1;
  }
  SendNextStartupRow();
  if (replaced) return 1;
  handOn = true;
  return 0;
}

}  // namespace tw::comm
