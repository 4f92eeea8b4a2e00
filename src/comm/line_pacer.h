#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tw::comm {

class Scheduler;

// The pacing of the tool's side of the line, kept in one place. After each written frame the
// link holds for a pause (50 ms after a standard frame, 150 ms otherwise; a "@WAIT" entry
// that follows the command on the line gives its argument plus 150 ms instead). Nothing is
// written before the pause of the previous write has passed, and while the link holds,
// received bytes wait (the caller asks holding() and handles them afterwards).
class LinePacer {
 public:
  explicit LinePacer(Scheduler& scheduler) : scheduler_(scheduler) {}

  // The pause that follows writing `frame`; `wait` is the argument of a following "@WAIT".
  static int PauseAfter(std::string_view frame, std::optional<int> wait);

  // Waits out whatever is left of the previous write's pause.
  void WaitForLine();
  // Holds the link for `ms` milliseconds (after a write, or to let the receiver settle).
  void Hold(int ms);
  bool holding() const { return holding_; }

  // Reply pacing of a read: the line counts as busy for `ms` as after Hold, but the link is
  // not held, so the answer is handled as soon as it is complete.
  void Reserve(int ms);
  // The answer to the reserved read came: the next write may follow `settleMs` from now
  // instead of at the end of the full pause. Nothing when no read is reserved.
  void AnswerArrived(int settleMs);
  bool readReserved() const { return reserved_; }

 private:
  Scheduler& scheduler_;
  std::int64_t lineFreeAt_ = INT64_MIN;
  bool holding_ = false;
  bool reserved_ = false;
};

}  // namespace tw::comm
