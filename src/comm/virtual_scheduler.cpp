#include "comm/virtual_scheduler.h"

#include <algorithm>

namespace tw::comm {

// The clock moves on; whatever fell due is left for the next advance().
void VirtualScheduler::pause(int ms) {
  now_ += ms;
  pausedMs_ += ms;
}

void VirtualScheduler::advance(std::int64_t ms) {
  const std::int64_t target = now_ + ms;
  while (runOne(std::max(target, now_), now_)) {
  }
  now_ = std::max(now_, target);
}

bool VirtualScheduler::runUntil(const std::function<bool()>& done, std::int64_t limitMs) {
  const std::int64_t limit = now_ + limitMs;
  while (!done()) {
    if (!runOne(limit, now_)) {
      now_ = std::max(now_, limit);
      break;
    }
  }
  return done();
}

}  // namespace tw::comm
