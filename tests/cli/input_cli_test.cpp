// tunewright-cli set on the input pages, run as a user runs it.

#include "cli/cli_run.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using tw::test::CliResult;
using tw::test::RunCli;

TEST(InputCliSet, DryRunPrintsTheFramesTheReceiverExpects) {
  struct Case {
    std::string arguments;
    std::string out;
  };
  for (const Case& c : {
           Case{"set --dry-run 'Input Rename' CD ABC", "<DC4>2011011100108ABC     E6<ETX>\n"},
           Case{"set --dry-run 'I/O Assign' '(A) Component IN 1' DVD", "<DC4>20080101300554<ETX>\n"},
           Case{"set --dry-run 'I/O Assign' '(9) Optical OUT 2' DVR/VCR2", "<DC4>20080101110A5f<ETX>\n"},
           Case{"set --dry-run 'I/O Assign' 'hdmi in 2' V-AUX/DOCK", "<DC4>20080101610C66<ETX>\n"},
           Case{"set --dry-run 'MULTI CH' 6ch/8ch 8ch", "<STX>27B05<ETX>\n"},
           Case{"set --dry-run 'MULTI CH' 'MULTI CH BGV' OFF", "<STX>26F00<ETX>\n"},
       }) {
    const CliResult run = RunCli(c.arguments);
    EXPECT_EQ(run.status, 0) << c.arguments << "\n" << run.err;
    EXPECT_EQ(run.out, c.out) << c.arguments;
  }
}

TEST(InputCliSet, RefusalsSayWhatIsAllowedAndExitWithTwo) {
  struct Case {
    std::string arguments;
    std::string message;
  };
  for (const Case& c : {
           Case{"set --dry-run 'I/O Assign' '(A) Component IN 1' PHONO",
                "tunewright-cli: \"PHONO\" is not a value of (A) Component IN 1 on page \"I/O Assign\" (it holds "
                "\"DVD\"); PHONO cannot be assigned to this connector; allowed: \"DVD\", \"DTV\", \"CBL/SAT\", \"VCR1\", "
                "\"DVR/VCR2\", \"V-AUX/DOCK\"\n"},
           Case{"set --dry-run 'MULTI CH' 'MULTI CH BGV' TUNER",
                "tunewright-cli: \"TUNER\" is not a value of MULTI CH BGV on page \"MULTI CH\" (it holds \"LAST\"); "
                "allowed: \"DVD\", \"DTV\", \"CBL/SAT\", \"VCR1\", \"DVR/VCR2\", \"V-AUX\", \"LAST\", \"OFF\"\n"},
           Case{"set --dry-run 'Input Rename' CD 'Caf\xc3\xa9'",
                "tunewright-cli: \"Caf\xc3\xa9\" is not a value of CD on page \"Input Rename\" (it holds "
                "\"\"   CD   \"\"); allowed: up to eight characters of plain ASCII\n"},
           Case{"set --dry-run 'MULTI CH' 'MULTI CH Input Front' CD",
                "tunewright-cli: MULTI CH Input Front on page \"MULTI CH\" sends nothing: it is used only with 8ch: "
                "set \"6ch/8ch\" to 8ch first\n"},
           Case{"set --dry-run 'Input DSP' CD Straight",
                "tunewright-cli: \"Input DSP\" is an offline setting: the receiver takes it only with a download "
                "(Async Mode); put it in a configuration file and run tunewright-cli download\n"},
           Case{"set --emulator 'Input DSP' CD Straight",
                "tunewright-cli: \"Input DSP\" is an offline setting: the receiver takes it only with a download "
                "(Async Mode); put it in a configuration file and run tunewright-cli download\n"},
       }) {
    const CliResult run = RunCli(c.arguments);
    EXPECT_EQ(run.status, 2) << c.arguments;
    EXPECT_EQ(run.err, c.message) << c.arguments;
    EXPECT_EQ(run.out, "") << c.arguments;
  }
}

TEST(InputCliSet, OnTheVirtualReceiverTheEditsAreAcknowledged) {
  CliResult run = RunCli("set --emulator 'Input Rename' CD ABC");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "<DC4>2011011100108ABC     E6<ETX>\n");
  run = RunCli("set --emulator 'I/O Assign' 'HDMI IN 1' VCR1");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "<DC4>2008010160095b<ETX>\n");
  run = RunCli("set --emulator 'MULTI CH' 6ch/8ch 8ch");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "<STX>27B05<ETX>\n");
}

}  // namespace
