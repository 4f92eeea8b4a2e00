#include "comm/line_pacer.h"

#include "comm/link_constants.h"
#include "comm/protocol.h"
#include "comm/scheduler.h"

#include <algorithm>

namespace tw::comm {

int LinePacer::PauseAfter(std::string_view frame, std::optional<int> wait) {
  if (wait) return *wait + kOtherWritePauseMs;
  const bool standard = !frame.empty() && frame.front() == STX;
  return standard ? kStandardWritePauseMs : kOtherWritePauseMs;
}

void LinePacer::WaitForLine() {
  const std::int64_t now = scheduler_.now();
  if (now < lineFreeAt_) Hold(static_cast<int>(lineFreeAt_ - now));
}

void LinePacer::Reserve(int ms) {
  reserved_ = true;
  const std::int64_t until = scheduler_.now() + ms;
  if (until > lineFreeAt_) lineFreeAt_ = until;
}

void LinePacer::AnswerArrived(int settleMs) {
  if (!reserved_) return;
  reserved_ = false;
  lineFreeAt_ = std::min(lineFreeAt_, scheduler_.now() + settleMs);
}

void LinePacer::Hold(int ms) {
  reserved_ = false;
  if (ms <= 0) return;
  const std::int64_t until = scheduler_.now() + ms;
  if (until > lineFreeAt_) lineFreeAt_ = until;
  const bool outer = !holding_;
  holding_ = true;
  scheduler_.pause(ms);
  if (outer) holding_ = false;
}

}  // namespace tw::comm
