// The desktop program's own options, taken off the command line before the application.
#include <gtest/gtest.h>

#include "gui/startup.h"

using namespace tw;
using namespace tw::gui;

TEST(DesktopOptions, ModeRegionDemoAndTheRestInOrder) {
  const DesktopOptions options =
      ParseDesktopOptions({"--mode", "realtime", "/RegServer", "--region", "2", "--demo", "a.qcf"});
  EXPECT_TRUE(options.error.empty());
  EXPECT_EQ(options.startMode, app::kStartModeRealTime);
  EXPECT_EQ(options.tunerRegion, 2);
  EXPECT_TRUE(options.demo);
  EXPECT_EQ(options.rest, (std::vector<std::string>{"/RegServer", "a.qcf"}));
  EXPECT_EQ(ParseDesktopOptions({"--mode", "async"}).startMode, app::kStartModeAsync);
  EXPECT_FALSE(ParseDesktopOptions({"--mode"}).error.empty());
  EXPECT_FALSE(ParseDesktopOptions({"--mode", "fast"}).error.empty());
  EXPECT_FALSE(ParseDesktopOptions({"--region", "4"}).error.empty());
  EXPECT_FALSE(ParseDesktopOptions({"--region", "-1"}).error.empty());
  EXPECT_FALSE(ParseDesktopOptions({"--screenshots"}).error.empty());
}
