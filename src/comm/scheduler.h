#pragma once

#include <cstdint>
#include <functional>

namespace tw::comm {

// Time and event source of the single user-interface thread.
//
// Timers behave like window timers: once set, timer `id` fires every `ms` until killed;
// setting it again restarts it with the new interval. All timer ids share one handler
// (the link installs it). During pause(ms) nothing else runs; events that fall due
// meanwhile are handled after the pause in time order, and a timer that fell due several
// times fires once.
class Scheduler {
 public:
  using TimerHandler = std::function<void(int timerId)>;
  using Task = std::function<void()>;

  virtual ~Scheduler() = default;

  virtual void setTimerHandler(TimerHandler handler) = 0;
  virtual void setTimer(int id, int ms) = 0;
  virtual void killTimer(int id) = 0;
  virtual bool isTimerActive(int id) const = 0;

  // Blocks the link for `ms` milliseconds (the user interface keeps repainting).
  virtual void pause(int ms) = 0;

  // Runs `task` later, on this thread, after the current event.
  virtual void post(Task task) = 0;
  // Runs `task` once, `ms` milliseconds from now.
  virtual void callAfter(int ms, Task task) = 0;

  // Milliseconds on this scheduler's clock.
  virtual std::int64_t now() const = 0;
};

}  // namespace tw::comm
