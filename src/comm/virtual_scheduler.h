#pragma once

#include "comm/queued_scheduler.h"

#include <cstdint>
#include <functional>

namespace tw::comm {

// A Scheduler on a manual clock: nothing happens until the owner advances time.
// Used by tests, the in-process virtual receiver and benchmarks, so that a 3 s reply
// watch costs no wall time.
class VirtualScheduler final : public QueuedScheduler {
 public:
  void pause(int ms) override;
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
  std::int64_t now_ = 0;
  std::int64_t pausedMs_ = 0;
};

}  // namespace tw::comm
