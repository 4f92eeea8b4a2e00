// tunewright-cli set on the DSP Parameters page, addressed by a sound program's section.

#include <gtest/gtest.h>

#include <string>

#include "cli/cli_run.h"

namespace {

using tw::test::CliResult;
using tw::test::RunCli;

TEST(DspCliSet, DryRunPrintsTheFrameOfTheProgramsSection) {
  CliResult run = RunCli("set --dry-run 'DSP Parameters Hall in Munich' 'DSP Level' 3dB");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "<DC4>200B0211000E00906<ETX>\n");
  EXPECT_EQ(run.err, "");
  // Section, key and value as a configuration file may spell them.
  run = RunCli("set --dry-run ' dsp parameters drama' 'decode type' 'pro logicIIx'");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "<DC4>200B0211291B0060C<ETX>\n");
  run = RunCli("set --dry-run 'DSP Parameters Standard' 'Quad Only SB. Init. Delay' 49ms");
  EXPECT_EQ(run.out, "<DC4>200B02112D085310F<ETX>\n");
}

TEST(DspCliSet, BadInputNamesTheRangeAndTheSections) {
  struct Case {
    std::string arguments;
    std::string message;
  };
  for (const Case& c : {
           Case{"set --dry-run 'DSP Parameters Hall in Munich' 'DSP Level' 4dB",
                "tunewright-cli: \"4dB\" is not a value of DSP Level on page \"DSP Parameters Hall in Munich\" "
                "(it holds \"0dB\"); values: -6dB .. 3dB\n"},
           Case{"set --dry-run 'DSP Parameters Drama' 'Decode Type' 'Neo:6 Music'",
                "tunewright-cli: \"Neo:6 Music\" is not a value of Decode Type on page \"DSP Parameters Drama\" "
                "(it holds \"Pro Logic\"); values: Pro Logic, Pro LogicIIx, Neo:6\n"},
           Case{"set --dry-run 'DSP Parameters Hall in Munich' 'Rev. Time' 2.0sec",
                "tunewright-cli: page \"DSP Parameters Hall in Munich\" has no key \"Rev. Time\"; keys: \"DSP "
                "Level\", \"Dialogue Lift\", \"Init. Delay\", \"Room Size\", \"Liveness\"\n"},
       }) {
    const CliResult run = RunCli(c.arguments);
    EXPECT_EQ(run.status, 2) << c.arguments;
    EXPECT_EQ(run.err, c.message) << c.arguments;
    EXPECT_EQ(run.out, "") << c.arguments;
  }
  // The caption alone names no setting: the message lists the sections to use.
  CliResult run = RunCli("set --dry-run 'DSP Parameters' 'DSP Level' 3dB");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err.rfind("tunewright-cli: page \"DSP Parameters\" is set section by section; sections: "
                          "\"DSP Parameters Hall in Munich\", \"DSP Parameters Hall in Vienna\", ",
                          0),
            0u)
      << run.err;
  EXPECT_NE(run.err.find("\"DSP Parameters 7ch Stereo\"\n"), std::string::npos) << run.err;
  run = RunCli("set --dry-run 'DSP Parameters Opera' 'DSP Level' 3dB");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("no page \"DSP Parameters Opera\" can be set; pages: "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("\"DSP Parameters Recital/Opera\""), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("\"Speaker Level\""), std::string::npos) << run.err;
}

TEST(DspCliSet, HelpSaysAnotherProgramsParameterKeepsItsProgramCode) {
  const CliResult run = RunCli("set --help");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("DSP Parameters Hall in Munich"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("in Real Time Mode a parameter of a program other than the receiver's current one is "
                         "still sent with its own program code"),
            std::string::npos)
      << run.out;
}

TEST(DspCliSet, OnTheVirtualReceiverAnotherProgramsParameterIsSentAloneAndAcknowledged) {
  // The factory receiver plays Drama; Hall in Munich's level goes without a program switch.
  const CliResult run = RunCli("set --emulator 'DSP Parameters Hall in Munich' 'DSP Level' -6dB");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "<DC4>200B0211000E000FD<ETX>\n");
}

}  // namespace
