#pragma once

#include <chrono>
#include <cstdint>

#include "comm/queued_scheduler.h"

namespace tw::emu {

// A Scheduler on the wall clock for the pseudo-terminal receiver. It does not run by
// itself: the owner's poll loop asks how long it may wait (msUntilNext) and then runs
// what has fallen due (runDue).
class RealtimeScheduler final : public comm::QueuedScheduler {
 public:
  RealtimeScheduler();

  void pause(int ms) override;
  std::int64_t now() const override;

  // Milliseconds until the next event (0 when one is due), or -1 when none is waiting.
  int msUntilNext() const;
  // Runs every event due by now, in time order.
  void runDue();

 private:
  std::chrono::steady_clock::time_point start_;
};

}  // namespace tw::emu
