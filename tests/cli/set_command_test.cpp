// tunewright-cli set as a user runs it: dry runs of the main form's Basic Control items, and
// live edits of the virtual receiver, in-process and on a pseudo-terminal.

#include "cli/cli_run.h"

#include <gtest/gtest.h>

namespace tw::test {
namespace {

TEST(SetCommand, DryRunOfBasicControlItemsPrintsTheOperationCommands) {
  TempFolder dir("set_dry");
  struct Case {
    const char* arguments;
    const char* frame;
  };
  for (const Case& c : {
           Case{"'Basic Control' 'Main Volume' -20.0dB", "<STX>2309F<ETX>\n"},
           Case{"'Basic Control' 'Main Volume' Mute", "<STX>23000<ETX>\n"},
           Case{"'basic control' input CD", "<STX>07A15<ETX>\n"},
           Case{"'Basic Control' 'DSP Program' Straight", "<STX>07EE0<ETX>\n"},
       }) {
    const CliResult run = RunCliIn(dir.path(), std::string("set --dry-run ") + c.arguments);
    EXPECT_EQ(run.status, 0) << c.arguments << ": " << run.err;
    EXPECT_EQ(run.out, c.frame) << c.arguments;
  }
}

TEST(SetCommand, UnknownPageOrValueIsBadInputThatNamesWhatExists) {
  TempFolder dir("set_bad");
  CliResult run = RunCliIn(dir.path(), "set --dry-run 'Basic Contrl' Input CD");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("\"Basic Control\""), std::string::npos) << run.err;
  run = RunCliIn(dir.path(), "set --dry-run 'Basic Control' Input Radio");
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.out.empty());
}

TEST(SetCommand, LiveEditOfTheVirtualReceiverIsAcknowledgedOrReportedAsRefused) {
  TempFolder dir("set_live");
  CliResult run = RunCliIn(dir.path(), "set --emulator 'Basic Control' Input CD");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "<STX>07A15<ETX>\n");

  // The receiver guards input changes: the tool must not claim success.
  run = RunCliIn(dir.path(), "set --emulator --emulator-option guard-codes=21 'Basic Control' Input CD");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("kept Input at DVD"), std::string::npos) << run.err;
}

// The real serial backend against `tunewright-cli emulate` on a pseudo-terminal. A Real Time
// connection reads every row first, so this runs for about a minute of wall time.
TEST(SetCommand, ChangesASettingOfAReceiverOnAPseudoTerminal) {
  TempFolder dir("set_pty");
  const std::string cli = std::string("'") + TW_CLI_PATH + "'";
  // The receiver prints its device path once the link exists: reading that line is the wait.
  const std::string serve = "mkfifo ready; { " + cli + " emulate --link receiver >ready 2>/dev/null & } ; "
                            "emulator=$!; trap 'kill $emulator' EXIT; exec 3<ready; read device <&3; ";
  const CliResult run = RunCliIn(dir.path(), "set --port ./receiver 'Speaker Level' FL 10.0dB", serve);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "<STX>2413c<ETX>\n");
}

}  // namespace
}  // namespace tw::test
