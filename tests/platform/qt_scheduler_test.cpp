#include "platform/qt_scheduler.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

QCoreApplication& app() {
  static int argc = 1;
  static char name[] = "test";
  static char* argv[] = {name, nullptr};
  static QCoreApplication instance(argc, argv);
  return instance;
}

// Runs the event loop until `done` holds; the bound only keeps a broken build from hanging.
template <typename Done>
bool runUntil(Done done) {
  QElapsedTimer guard;
  guard.start();
  while (!done() && guard.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  return done();
}

}  // namespace

// A real event loop; only order and counts are checked, never durations.
TEST(QtScheduler, EventsDueDuringAPauseRunAfterItAndATimerOnlyOnce) {
  app();
  tw::platform::QtScheduler scheduler;
  std::vector<std::string> log;
  bool paused = false;
  scheduler.setTimerHandler([&](int id) {
    log.push_back((paused ? "during:" : "after:") + std::string("timer") + std::to_string(id));
    scheduler.killTimer(id);
  });
  scheduler.post([&] {
    scheduler.setTimer(3, 1);
    scheduler.post([&] { log.push_back(paused ? "during:task" : "after:task"); });
    paused = true;
    scheduler.pause(30);
    paused = false;
    log.push_back("pause ended");
  });
  ASSERT_TRUE(runUntil([&] { return log.size() >= 3; }));
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0], "pause ended");
  // Both held back, then run in the order they fell due (the task was posted first).
  EXPECT_EQ(log[1], "after:task");
  EXPECT_EQ(log[2], "after:timer3");
}

TEST(QtScheduler, RepeatingTimerUntilKilled) {
  app();
  tw::platform::QtScheduler scheduler;
  int count = 0;
  scheduler.setTimerHandler([&](int id) {
    if (++count == 3) scheduler.killTimer(id);
  });
  scheduler.setTimer(7, 1);
  ASSERT_TRUE(runUntil([&] { return !scheduler.isTimerActive(7); }));
  EXPECT_EQ(count, 3);
  EXPECT_FALSE(scheduler.isTimerActive(7));
}
