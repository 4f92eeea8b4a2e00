#include "comm/virtual_scheduler.h"

#include <algorithm>
#include <utility>

namespace tw::comm {

void VirtualScheduler::setTimerHandler(TimerHandler handler) { timerHandler_ = std::move(handler); }

void VirtualScheduler::setTimer(int id, int ms) { timers_[id] = Timer{ms, now_ + ms}; }

void VirtualScheduler::killTimer(int id) { timers_.erase(id); }

bool VirtualScheduler::isTimerActive(int id) const { return timers_.count(id) != 0; }

// The clock moves on; whatever fell due is left for the next advance().
void VirtualScheduler::pause(int ms) {
  now_ += ms;
  pausedMs_ += ms;
}

void VirtualScheduler::post(Task task) { delayed_.push_back(Delayed{now_, nextSeq_++, std::move(task)}); }

void VirtualScheduler::callAfter(int ms, Task task) {
  delayed_.push_back(Delayed{now_ + ms, nextSeq_++, std::move(task)});
}

bool VirtualScheduler::runOne(std::int64_t limit) {
  auto task = std::min_element(delayed_.begin(), delayed_.end(), [](const Delayed& a, const Delayed& b) {
    return a.due != b.due ? a.due < b.due : a.seq < b.seq;
  });
  auto timer = std::min_element(timers_.begin(), timers_.end(),
                                [](const auto& a, const auto& b) { return a.second.due < b.second.due; });
  const bool taskDue = task != delayed_.end() && task->due <= limit;
  const bool timerDue = timer != timers_.end() && timer->second.due <= limit;
  if (!taskDue && !timerDue) return false;

  if (taskDue && (!timerDue || task->due <= timer->second.due)) {
    now_ = std::max(now_, task->due);
    Task run = std::move(task->task);
    delayed_.erase(task);
    run();
    return true;
  }
  const int id = timer->first;
  now_ = std::max(now_, timer->second.due);
  // A timer that fell due several times (during a pause) fires once.
  timer->second.due = now_ + std::max(1, timer->second.intervalMs);
  if (timerHandler_) timerHandler_(id);
  return true;
}

void VirtualScheduler::advance(std::int64_t ms) {
  const std::int64_t target = now_ + ms;
  while (runOne(std::max(target, now_))) {
  }
  now_ = std::max(now_, target);
}

bool VirtualScheduler::runUntil(const std::function<bool()>& done, std::int64_t limitMs) {
  const std::int64_t limit = now_ + limitMs;
  while (!done()) {
    if (!runOne(limit)) {
      now_ = std::max(now_, limit);
      break;
    }
  }
  return done();
}

}  // namespace tw::comm
