#pragma once

#include "comm/scheduler.h"

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace tw::comm {

// A Scheduler on a manual clock: nothing happens until the owner advances time.
// Used by tests, the in-process virtual receiver and benchmarks, so that a 3 s reply
// watch costs no wall time.
class VirtualScheduler final : public Scheduler {
 public:
  void setTimerHandler(TimerHandler handler) override;
  void setTimer(int id, int ms) override;
  void killTimer(int id) override;
  bool isTimerActive(int id) const override;
  void pause(int ms) override;
  void post(Task task) override;
  void callAfter(int ms, Task task) override;
  std::int64_t now() const override { return now_; }

  // Handles every event due up to now + ms, in time order, then sets the clock there.
  void advance(std::int64_t ms);
  // Handles events until `done()` holds or `limitMs` of virtual time has passed.
  // Returns done() at the end.
  bool runUntil(const std::function<bool()>& done, std::int64_t limitMs);
  // Handles everything due now (posted tasks included) without moving the clock.
  void runPending() { advance(0); }
  // Total virtual time spent in pause().
  std::int64_t pausedMs() const { return pausedMs_; }

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

  // Runs the earliest event due at or before `limit`; false when there is none.
  bool runOne(std::int64_t limit);

  TimerHandler timerHandler_;
  std::map<int, Timer> timers_;
  std::vector<Delayed> delayed_;
  std::uint64_t nextSeq_ = 0;
  std::int64_t now_ = 0;
  std::int64_t pausedMs_ = 0;
};

}  // namespace tw::comm
