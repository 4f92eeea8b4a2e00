#pragma once

#include "comm/scheduler.h"

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace tw::comm {

// A Scheduler whose timers and tasks wait in one queue that its owner runs in time order.
// The clock is the derived class's: virtual time for tests, the wall clock for the
// pseudo-terminal receiver.
class QueuedScheduler : public Scheduler {
 public:
  void setTimerHandler(TimerHandler handler) override { timerHandler_ = std::move(handler); }
  void setTimer(int id, int ms) override { timers_[id] = Timer{ms, now() + ms}; }
  void killTimer(int id) override { timers_.erase(id); }
  bool isTimerActive(int id) const override { return timers_.count(id) != 0; }
  void post(Task task) override { callAfter(0, std::move(task)); }
  void callAfter(int ms, Task task) override;

 protected:
  // When the earliest event falls due; nothing when none waits.
  std::optional<std::int64_t> nextDue() const;
  // Runs the earliest event due at or before `limit` (tasks before timers due at the same
  // time); false when there is none. `clock` moves to the event's time first, never back,
  // and a timer re-arms from there, so one that fell due several times fires once.
  bool runOne(std::int64_t limit, std::int64_t& clock);

 private:
  struct Timer {
    int intervalMs;
    std::int64_t due;
  };
  struct Delayed {
    std::int64_t due;
    std::uint64_t seq;
    Task task;
  };

  TimerHandler timerHandler_;
  std::map<int, Timer> timers_;
  std::vector<Delayed> delayed_;
  std::uint64_t nextSeq_ = 0;
};

}  // namespace tw::comm
