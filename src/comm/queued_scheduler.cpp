#include "comm/queued_scheduler.h"

#include <algorithm>
#include <utility>

namespace tw::comm {

void QueuedScheduler::callAfter(int ms, Task task) {
  delayed_.push_back(Delayed{now() + std::max(0, ms), nextSeq_++, std::move(task)});
}

std::optional<std::int64_t> QueuedScheduler::nextDue() const {
  std::optional<std::int64_t> next;
  for (const Delayed& delayed : delayed_) next = std::min(next.value_or(delayed.due), delayed.due);
  for (const auto& [id, timer] : timers_) next = std::min(next.value_or(timer.due), timer.due);
  return next;
}

bool QueuedScheduler::runOne(std::int64_t limit, std::int64_t& clock) {
  auto task = std::min_element(delayed_.begin(), delayed_.end(), [](const Delayed& a, const Delayed& b) {
    return a.due != b.due ? a.due < b.due : a.seq < b.seq;
  });
  auto timer = std::min_element(timers_.begin(), timers_.end(),
                                [](const auto& a, const auto& b) { return a.second.due < b.second.due; });
  const bool taskDue = task != delayed_.end() && task->due <= limit;
  const bool timerDue = timer != timers_.end() && timer->second.due <= limit;
  if (!taskDue && !timerDue) return false;

  if (taskDue && (!timerDue || task->due <= timer->second.due)) {
    clock = std::max(clock, task->due);
    Task run = std::move(task->task);
    delayed_.erase(task);
    run();
    return true;
  }
  const int id = timer->first;
  clock = std::max(clock, timer->second.due);
  timer->second.due = clock + std::max(1, timer->second.intervalMs);
  if (timerHandler_) timerHandler_(id);
  return true;
}

}  // namespace tw::comm
