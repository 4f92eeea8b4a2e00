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

TEST(DesktopOptions, ScreenshotSizeHelpAndVersion) {
  const DesktopOptions options = ParseDesktopOptions({"--screenshots", "out", "--size", "1366x768"});
  EXPECT_TRUE(options.error.empty());
  EXPECT_EQ(options.screenshotSize.width, 1366);
  EXPECT_EQ(options.screenshotSize.height, 768);
  for (const char* bad : {"1366", "x768", "1366x", "0x768", "13a6x768", "1366x768x2"}) {
    EXPECT_FALSE(ParseDesktopOptions({"--size", bad}).error.empty()) << bad;
  }
  EXPECT_FALSE(ParseDesktopOptions({"--size"}).error.empty());
  ASSERT_TRUE(EarlyAnswer({"--help"}).has_value());
  EXPECT_NE(EarlyAnswer({"--help"})->find("--demo"), std::string::npos);
  EXPECT_NE(EarlyAnswer({"-style", "Fusion", "--version"})->find("tunewright "), std::string::npos);
  EXPECT_FALSE(EarlyAnswer({"--mode", "async", "a.qcf"}).has_value());
}
