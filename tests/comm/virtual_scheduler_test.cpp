#include "comm/virtual_scheduler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using tw::comm::VirtualScheduler;

TEST(VirtualScheduler, TimersRepeatUntilKilledAndRestartOnSet) {
  VirtualScheduler s;
  std::vector<std::pair<int, long>> fired;
  s.setTimerHandler([&](int id) { fired.emplace_back(id, static_cast<long>(s.now())); });
  s.setTimer(6, 1000);
  s.advance(2500);
  s.setTimer(6, 3000);  // restart: next at 2500 + 3000
  s.advance(3000);
  s.killTimer(6);
  s.advance(10000);
  EXPECT_EQ(fired, (std::vector<std::pair<int, long>>{{6, 1000}, {6, 2000}, {6, 5500}}));
}

TEST(VirtualScheduler, EventsDueDuringPauseRunAfterItInTimeOrderAndTimersFireOnce) {
  VirtualScheduler s;
  std::vector<std::string> log;
  s.setTimerHandler([&](int id) { log.push_back("timer" + std::to_string(id) + "@" + std::to_string(s.now())); });
  s.setTimer(1, 10);
  s.callAfter(25, [&] { log.push_back("late@" + std::to_string(s.now())); });
  s.callAfter(5, [&] { log.push_back("early@" + std::to_string(s.now())); });
  s.pause(50);
  EXPECT_TRUE(log.empty());
  s.runPending();
  EXPECT_EQ(log, (std::vector<std::string>{"early@50", "timer1@50", "late@50"}));
  EXPECT_EQ(s.pausedMs(), 50);
}

TEST(VirtualScheduler, RunUntilStopsAtConditionOrLimit) {
  VirtualScheduler s;
  int count = 0;
  s.setTimerHandler([&](int) { ++count; });
  s.setTimer(2, 100);
  EXPECT_TRUE(s.runUntil([&] { return count == 3; }, 10000));
  EXPECT_EQ(s.now(), 300);
  s.killTimer(2);
  EXPECT_FALSE(s.runUntil([&] { return count == 4; }, 500));
  EXPECT_EQ(s.now(), 800);
}
