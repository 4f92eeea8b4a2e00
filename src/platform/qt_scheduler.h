#pragma once

#include "comm/scheduler.h"

#include <QElapsedTimer>
#include <QObject>

#include <map>
#include <memory>
#include <vector>

class QTimer;

namespace tw::platform {

// The Scheduler of the desktop program and the command-line tool, on Qt's event loop.
//
// pause(ms) runs a nested event loop that leaves out user input and socket notifiers
// (the serial port's), so the window keeps repainting while the link waits. Link timers
// and posted tasks that fall due meanwhile are held back and run after the pause, in the
// order they fell due, a timer at most once.
class QtScheduler final : public QObject, public comm::Scheduler {
 public:
  QtScheduler();
  ~QtScheduler() override;

  void setTimerHandler(TimerHandler handler) override;
  void setTimer(int id, int ms) override;
  void killTimer(int id) override;
  bool isTimerActive(int id) const override;
  void pause(int ms) override;
  void post(Task task) override;
  void callAfter(int ms, Task task) override;
  std::int64_t now() const override;

  bool isPaused() const { return pauseDepth_ > 0; }

 private:
  void timerFired(int id);
  void runOrDefer(Task task);
  void releaseDeferred();

  TimerHandler timerHandler_;
  std::map<int, std::unique_ptr<QTimer>> timers_;
  std::vector<Task> deferredTasks_;
  std::vector<int> deferredTimers_;
  std::vector<int> deferredOrder_;  // 0 = next task, 1 = next timer
  int pauseDepth_ = 0;
  QElapsedTimer clock_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace tw::platform
