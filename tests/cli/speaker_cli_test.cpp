// tunewright-cli set on the speaker pages, run as a user runs it.

#include "cli/cli_run.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

using tw::test::CliResult;
using tw::test::RunCli;

TEST(CliSet, DryRunPrintsTheFrameTheReceiverExpects) {
  CliResult run = RunCli("set --dry-run 'Speaker Level' FL 10.0dB");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "<STX>2413c<ETX>\n");
  // Page and key as a configuration file names them: letter case and blanks do not matter.
  run = RunCli("set --dry-run ' speaker distance' fl 3.00");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "<DC4>200904112012cb9<ETX>\n");
  run = RunCli("set --dry-run 'Speaker Set' 'SW Phase' Reverse");
  EXPECT_EQ(run.out, "<STX>27610<ETX>\n");
}

TEST(CliSet, BadInputSaysWhatIsWrongAndExitsWithTwo) {
  struct Case {
    std::string arguments;
    std::string message;
  };
  for (const Case& c :
       {Case{"set --dry-run 'Speaker Level' FL 1.25dB",
             "tunewright-cli: \"1.25dB\" is not a value of FL on page \"Speaker Level\" (it holds "
             "\"0.0dB\"); allowed: \"-10.0dB\", \"-9.5dB\" ..., \"10.0dB\"\n"},
        Case{"set --dry-run 'Speaker Set' Rear Large",
             "tunewright-cli: page \"Speaker Set\" has no key \"Rear\"; keys: \"Front\", \"Center\", "
             "\"Surround\", \"Surround Back\", \"Presence\", \"PR/SB Select\", \"LFE/Bass Out\", "
             "\"SW Cross Over\", \"SW Phase\"\n"},
        Case{"set --dry-run 'Speaker Distance' Unit Feet",
             "tunewright-cli: Unit on page \"Speaker Distance\" sends nothing: it is sent with the page's "
             "other settings\n"},
        Case{"set 'Speaker Level' FL 1.0dB",
             "tunewright-cli: set needs --port DEVICE, --emulator or --dry-run (see set --help)\n"}}) {
    const CliResult run = RunCli(c.arguments);
    EXPECT_EQ(run.status, 2) << c.arguments;
    EXPECT_EQ(run.err, c.message) << c.arguments;
  }
}

TEST(CliSet, OnTheVirtualReceiverTheEditIsAcknowledged) {
  CliResult run = RunCli("set --emulator 'Speaker Level' PRR -3.5dB");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "<STX>24521<ETX>\n");
  run = RunCli("set --emulator 'Speaker Distance' SW 12.30");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "<DC4>20090411A04cefe<ETX>\n");
}

TEST(CliSet, ARefusedEditIsAFailureOfTheReceiver) {
  CliResult run = RunCli("set --emulator --emulator-option guard-codes=47 'Speaker Level' PRR -3.5dB");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "tunewright-cli: the receiver kept PRR at 0.0dB\n");
  run = RunCli("set --emulator --emulator-option guard-rows=346 'Speaker Distance' SW 12.30");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "tunewright-cli: the receiver kept SW at 3.00\n");
}

}  // namespace
