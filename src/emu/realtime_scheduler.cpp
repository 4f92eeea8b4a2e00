#include "emu/realtime_scheduler.h"

#include <algorithm>
#include <climits>
#include <thread>

namespace tw::emu {

RealtimeScheduler::RealtimeScheduler() : start_(std::chrono::steady_clock::now()) {}

std::int64_t RealtimeScheduler::now() const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_)
      .count();
}

void RealtimeScheduler::pause(int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(std::max(0, ms)));
}

int RealtimeScheduler::msUntilNext() const {
  const auto next = nextDue();
  if (!next) return -1;
  return static_cast<int>(std::clamp<std::int64_t>(*next - now(), 0, INT_MAX));
}

void RealtimeScheduler::runDue() {
  for (std::int64_t clock = now(); runOne(clock, clock); clock = now()) {
  }
}

}  // namespace tw::emu
