#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <vector>

#include "comm/scheduler.h"

namespace tw::emu {

// A Scheduler on the wall clock for the pseudo-terminal receiver. It does not run by
// itself: the owner's poll loop asks how long it may wait (msUntilNext) and then runs
// what has fallen due (runDue).
class RealtimeScheduler final : public comm::Scheduler {
 public:
  RealtimeScheduler();

  void setTimerHandler(TimerHandler handler) override { timerHandler_ = std::move(handler); }
  void setTimer(int id, int ms) override;
  void killTimer(int id) override { timers_.erase(id); }
  bool isTimerActive(int id) const override { return timers_.count(id) != 0; }
  void pause(int ms) override;
  void post(Task task) override { callAfter(0, std::move(task)); }
  void callAfter(int ms, Task task) override;
  std::int64_t now() const override;

  // Milliseconds until the next event (0 when one is due), or -1 when none is waiting.
  int msUntilNext() const;
  // Runs every event due by now, in time order.
  void runDue();

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

  std::chrono::steady_clock::time_point start_;
  TimerHandler timerHandler_;
  std::map<int, Timer> timers_;
  std::vector<Delayed> delayed_;
  std::uint64_t nextSeq_ = 0;
};

}  // namespace tw::emu
