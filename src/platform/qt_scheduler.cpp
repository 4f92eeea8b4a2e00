#include "platform/qt_scheduler.h"

#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace tw::platform {

QtScheduler::QtScheduler() { clock_.start(); }

QtScheduler::~QtScheduler() { *alive_ = false; }

void QtScheduler::setTimerHandler(TimerHandler handler) { timerHandler_ = std::move(handler); }

void QtScheduler::setTimer(int id, int ms) {
  auto& timer = timers_[id];
  if (!timer) {
    timer = std::make_unique<QTimer>();
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer.get(), &QTimer::timeout, this, [this, id] { timerFired(id); });
  }
  timer->start(std::max(0, ms));
}

void QtScheduler::killTimer(int id) { timers_.erase(id); }

bool QtScheduler::isTimerActive(int id) const { return timers_.count(id) != 0; }

void QtScheduler::pause(int ms) {
  if (ms <= 0) return;
  ++pauseDepth_;
  QEventLoop loop;
  // Precise: a coarse timer may end a pause up to 5 % late, and the pauses are what paces
  // the line.
  QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
  --pauseDepth_;
  if (pauseDepth_ == 0) releaseDeferred();
}

void QtScheduler::post(Task task) { callAfter(0, std::move(task)); }

void QtScheduler::callAfter(int ms, Task task) {
  std::weak_ptr<bool> alive = alive_;
  QTimer::singleShot(std::max(0, ms), Qt::PreciseTimer, this, [this, alive, task = std::move(task)]() mutable {
    if (alive.lock()) runOrDefer(std::move(task));
  });
}

std::int64_t QtScheduler::now() const { return clock_.elapsed(); }

void QtScheduler::timerFired(int id) {
  if (isPaused()) {
    if (std::find(deferredTimers_.begin(), deferredTimers_.end(), id) == deferredTimers_.end()) {
      deferredTimers_.push_back(id);
      deferredOrder_.push_back(1);
    }
    return;
  }
  if (timerHandler_) timerHandler_(id);
}

void QtScheduler::runOrDefer(Task task) {
  if (isPaused()) {
    deferredTasks_.push_back(std::move(task));
    deferredOrder_.push_back(0);
    return;
  }
  task();
}

// Hands what fell due during the pause back to the event loop, in the order it fell due.
void QtScheduler::releaseDeferred() {
  auto tasks = std::exchange(deferredTasks_, {});
  auto ids = std::exchange(deferredTimers_, {});
  auto order = std::exchange(deferredOrder_, {});
  size_t nextTask = 0;
  size_t nextTimer = 0;
  for (int kind : order) {
    if (kind == 0) {
      post(std::move(tasks[nextTask++]));
    } else {
      const int id = ids[nextTimer++];
      post([this, id] {
        if (isTimerActive(id)) timerFired(id);
      });
    }
  }
}

}  // namespace tw::platform
