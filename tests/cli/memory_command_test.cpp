// tunewright-cli memory as a script runs it against the in-process virtual receiver, the
// usage it refuses, and the System Memory pages through `set --dry-run`.

#include "cli/cli_run.h"

#include <gtest/gtest.h>

namespace tw::test {
namespace {

TEST(MemoryCommand, EachGroupLoadsAndSavesItsMemoryOnTheVirtualReceiver) {
  TempFolder dir("memory_live");
  struct Case {
    const char* arguments;
    const char* frame;
  };
  for (const Case& c : {Case{"load system 3", "<STX>07E37<ETX>\n"}, Case{"save system 6", "<STX>07E30<ETX>\n"},
                        Case{"load main-volume 1", "<STX>07E75<ETX>\n"},
                        Case{"save zone2-volume 4", "<STX>07E8A<ETX>\n"},
                        Case{"load zone3-volume 6", "<STX>07E65<ETX>\n"}}) {
    const CliResult run = RunCliIn(dir.path(), std::string("memory ") + c.arguments + " --emulator");
    EXPECT_EQ(run.status, 0) << c.arguments << ": " << run.err;
    EXPECT_EQ(run.out, c.frame) << c.arguments;
  }
}

TEST(MemoryCommand, AReceiverThatDoesNotAnswerIsALinkFailure) {
  const CliResult run = RunCli("memory load main-volume 2 --emulator --emulator-option silent=1");
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_TRUE(run.out.empty());
  EXPECT_NE(run.err.find("Communication error"), std::string::npos) << run.err;
}

TEST(MemoryCommand, BadUsageExitsTwoWithoutConnecting) {
  for (const char* arguments : {"memory load system 7 --emulator", "memory save system 0 --emulator",
                                "memory load tuner 1 --emulator", "memory recall system 1 --emulator",
                                "memory load system 1", "memory load system 1 --emulator --emulator-option x=1"}) {
    const CliResult run = RunCli(arguments);
    EXPECT_EQ(run.status, 2) << arguments << ": " << run.err;
    EXPECT_TRUE(run.out.empty()) << arguments;
    EXPECT_FALSE(run.err.empty()) << arguments;
  }
  const CliResult run = RunCli("memory load system 9 --emulator");
  EXPECT_NE(run.err.find("memories 1 to 6"), std::string::npos) << run.err;
}

TEST(SystemPagesCommand, DryRunsPrintTheSystemPagesCommands) {
  TempFolder dir("system_dry");
  struct Case {
    const char* arguments;
    const char* frame;
  };
  for (const Case& c : {Case{"'Advanced Setup' 'User Preset' Reset", "<STX>2B701<ETX>\n"},
                        Case{"'Advanced Setup' 'Video Reset' Cancel", "<STX>2B800<ETX>\n"},
                        Case{"'Display Set' 'OSD Shift' -5", "<STX>26200<ETX>\n"},
                        Case{"'Display Set' Dimmer -4", "<STX>26100<ETX>\n"},
                        Case{"'Display Set' 'Short Message' Full", "<STX>07EB2<ETX>\n"},
                        Case{"'Display Set' 'On Screen' Always", "<STX>29303<ETX>\n"},
                        Case{"Other 'Support Audio' Other", "<STX>28F01<ETX>\n"}}) {
    const CliResult run = RunCliIn(dir.path(), std::string("set --dry-run ") + c.arguments);
    EXPECT_EQ(run.status, 0) << c.arguments << ": " << run.err;
    EXPECT_EQ(run.out, c.frame) << c.arguments;
  }
}

}  // namespace
}  // namespace tw::test
