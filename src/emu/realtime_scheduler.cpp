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

void RealtimeScheduler::setTimer(int id, int ms) { timers_[id] = Timer{ms, now() + ms}; }

void RealtimeScheduler::pause(int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(std::max(0, ms)));
}

void RealtimeScheduler::callAfter(int ms, Task task) {
  delayed_.push_back(Delayed{now() + std::max(0, ms), nextSeq_++, std::move(task)});
}

int RealtimeScheduler::msUntilNext() const {
  std::int64_t next = LLONG_MAX;
  for (const Delayed& delayed : delayed_) next = std::min(next, delayed.due);
  for (const auto& [id, timer] : timers_) next = std::min(next, timer.due);
  if (next == LLONG_MAX) return -1;
  return static_cast<int>(std::clamp<std::int64_t>(next - now(), 0, INT_MAX));
}

void RealtimeScheduler::runDue() {
  for (;;) {
    const std::int64_t limit = now();
    auto task = std::min_element(delayed_.begin(), delayed_.end(), [](const Delayed& a, const Delayed& b) {
      return a.due != b.due ? a.due < b.due : a.seq < b.seq;
    });
    auto timer = std::min_element(timers_.begin(), timers_.end(),
                                  [](const auto& a, const auto& b) { return a.second.due < b.second.due; });
    const bool taskDue = task != delayed_.end() && task->due <= limit;
    const bool timerDue = timer != timers_.end() && timer->second.due <= limit;
    if (!taskDue && !timerDue) return;
    if (taskDue && (!timerDue || task->due <= timer->second.due)) {
      Task run = std::move(task->task);
      delayed_.erase(task);
      run();
      continue;
    }
    const int id = timer->first;
    timer->second.due = limit + std::max(1, timer->second.intervalMs);  // a late timer fires once
    if (timerHandler_) timerHandler_(id);
  }
}

}  // namespace tw::emu
