// tunewright-cli set on Graphic EQ and Tone Control, run as a user runs it.

#include "cli/cli_run.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using tw::test::CliResult;
using tw::test::RunCli;

TEST(CliSetEq, DryRunPrintsTheFramesTheReceiverExpects) {
  struct Case {
    std::string arguments;
    std::string frame;
  };
  for (const Case& c : {
           Case{"'Graphic EQ' '(Presence R) Band 3 (400Hz) Gain' -1.5dB", "<DC4>20080301940c8e<ETX>\n"},
           Case{"'Graphic EQ' '(Subwoofer) Band 1 (63Hz) Gain' 6.0dB", "<DC4>20080301a01bb2<ETX>\n"},
           Case{"'Graphic EQ' '(Subwoofer) Band 1 (63Hz) Gain' -6.0dB", "<DC4>20080301a00382<ETX>\n"},
           Case{"'graphic eq' '(center) band 2 (160hz) gain' -6.0dB", "<DC4>20080301020353<ETX>\n"},
           Case{"'Tone Control' 'LFE Level SP' -20.0dB", "<STX>25100<ETX>\n"},
           Case{"'Tone Control' 'Speaker Bass Gain' 2.5dB", "<DC4>200903310011185<ETX>\n"},
           Case{"'Tone Control' 'Tone Bypass' OFF", "<STX>2A801<ETX>\n"},
           Case{"'Tone Control' 'Dynamic Range Headphone' Min", "<STX>26502<ETX>\n"},
       }) {
    const CliResult run = RunCli("set --dry-run " + c.arguments);
    EXPECT_EQ(run.status, 0) << c.arguments << ": " << run.err;
    EXPECT_EQ(run.out, c.frame) << c.arguments;
  }
}

TEST(CliSetEq, AValueTheControlsCannotShowIsBadInputThatNamesTheRangeAndStep) {
  struct Case {
    std::string arguments;
    std::string message;
  };
  for (const Case& c :
       {Case{"'Graphic EQ' '(Front L) Band 1 (63Hz) Gain' 7.0dB",
             "tunewright-cli: \"7.0dB\" is not a value of (Front L) Band 1 (63Hz) Gain on page \"Graphic EQ\" (it "
             "holds \"0.0dB\"); allowed: \"-6.0dB\", \"-5.5dB\" ..., \"6.0dB\"\n"},
        Case{"'Tone Control' 'Zone2 Bass Gain' 11dB",
             "tunewright-cli: \"11dB\" is not a value of Zone2 Bass Gain on page \"Tone Control\" (it holds "
             "\"0dB\"); allowed: \"-10dB\", \"-9dB\" ..., \"10dB\"\n"},
        Case{"'Tone Control' 'Audio Delay' 241",
             "tunewright-cli: \"241\" is not a value of Audio Delay on page \"Tone Control\" (it holds \"0\"); "
             "allowed: \"0\", \"1\" ..., \"240\"\n"}}) {
    const CliResult run = RunCli("set --dry-run " + c.arguments);
    EXPECT_EQ(run.status, 2) << c.arguments;
    EXPECT_EQ(run.err, c.message) << c.arguments;
    EXPECT_TRUE(run.out.empty());
  }
  // The Subwoofer's upper bands are not settings of the file, so not of set either.
  const CliResult run = RunCli("set --dry-run 'Graphic EQ' '(Subwoofer) Band 3 (400Hz) Gain' 1.0dB");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("has no key \"(Subwoofer) Band 3 (400Hz) Gain\""), std::string::npos) << run.err;
}

TEST(CliSetEq, OnTheVirtualReceiverTheEditIsAcknowledgedOrReportedAsKept) {
  CliResult run = RunCli("set --emulator 'Graphic EQ' '(Subwoofer) Band 2 (160Hz) Gain' -6.0dB");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "<DC4>20080301a20384<ETX>\n");
  run = RunCli("set --emulator 'Tone Control' 'Zone3 Treble Gain' -4dB");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "<STX>24E06<ETX>\n");
  // Row 503 reads the Subwoofer's second band: a guarded write leaves it as it was.
  run = RunCli("set --emulator --emulator-option guard-rows=503 'Graphic EQ' '(Subwoofer) Band 2 (160Hz) Gain' -6.0dB");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "tunewright-cli: the receiver kept (Subwoofer) Band 2 (160Hz) Gain at 0.0dB\n");
}

}  // namespace
