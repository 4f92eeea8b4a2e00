// tunewright-cli set on Tuner Set, XM Set and iPod, and tunewright-cli dock, run as a user
// runs them.

#include <gtest/gtest.h>

#include "cli/cli_run.h"
#include "emu/virtual_receiver.h"

namespace {

using tw::test::CliResult;
using tw::test::RunCli;

TEST(TunerCliSet, DryRunsPrintTheFramesThePagesSend) {
  struct Case {
    std::string arguments;
    std::string out;
  };
  for (const Case& c : {
           Case{"set --dry-run 'Tuner Set' 'PageC Preset4' 'FM 90.1MHz'", "<DC4>200D0501341090.105C<ETX>\n"},
           Case{"set --dry-run 'tuner set' current 'AM 1610kHz'", "<DC4>200D050100000161054<ETX>\n"},
           Case{"set --dry-run 'XM Set' 'PageE No.8' 255", "<DC4>2008051158FF8A<ETX>\n"},
           Case{"set --dry-run iPod Shaffle Albums", "<STX>29802<ETX>\n"},
           Case{"set --dry-run iPod 'ListInformation Output Setting' On", "<DC4>2006005101EF<ETX>\n"},
       }) {
    const CliResult run = RunCli(c.arguments);
    EXPECT_EQ(run.status, 0) << c.arguments << "\n" << run.err;
    EXPECT_EQ(run.out, c.out) << c.arguments;
    EXPECT_EQ(run.err, "") << c.arguments;
  }
}

TEST(TunerCliSet, AFrequencyOutsideTheRegionsBandIsSentWithANote) {
  const CliResult run = RunCli("set --dry-run 'Tuner Set' 'PageA Preset1' 'FM 90.15MHz'");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "<DC4>200D0501111090.155C<ETX>\n");
  EXPECT_EQ(run.err,
            "tunewright-cli: note: FM 90.15MHz is not in the FM band of tuner region 1 (AM10 / FM200  (USA, "
            "Canada)); the receiver may not tune it\n");
}

TEST(TunerCliSet, ValuesThePagesRefuseExitWithTwo) {
  const CliResult frequency = RunCli("set --dry-run 'Tuner Set' Current 'FM 90MHz'");
  EXPECT_EQ(frequency.err,
            "tunewright-cli: \"FM 90MHz\" is not a value of Current  on page \"Tuner Set\" (it holds \"FM 87.5MHz\"); "
            "allowed: an FM frequency in MHz with its decimal point (\"FM 87.5MHz\") or an AM frequency in kHz "
            "(\"AM 630kHz\")\n");
  for (const std::string& arguments :
       {std::string("set --dry-run 'Tuner Set' Current 'FM 90MHz'"), std::string("set --dry-run 'XM Set' 'PageA No.1' 256"),
        std::string("set --dry-run 'XM Set' 'PageA No.1' ten"), std::string("set --dry-run iPod Repeat all")}) {
    const CliResult run = RunCli(arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_EQ(run.out, "") << arguments;
    EXPECT_NE(run.err.find("is not a value of"), std::string::npos) << run.err;
  }
}

TEST(TunerCliSet, OnTheVirtualReceiverTheEditIsAcknowledged) {
  const CliResult run = RunCli("set --emulator 'Tuner Set' 'PageB Preset2' 'AM 1000kHz'");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "<DC4>200D050122000100051<ETX>\n");
}

// A seed whose receiver starts with both iPod outputs On, so that it reports the dock.
std::string SeedReportingTheDock() {
  for (std::uint32_t seed = 1; seed < 200; ++seed) {
    tw::emu::EmulatorConfig config;
    config.settingsSeed = seed;
    const tw::emu::VirtualReceiver receiver(config);
    if (receiver.rowValue(504) == "1" && receiver.rowValue(505) == "1") return "seed=" + std::to_string(seed);
  }
  ADD_FAILURE() << "no seed turns both iPod outputs on";
  return {};
}

TEST(TunerCliDock, PrintsTheOperationAndWhatTheReceiverReports) {
  const std::string seed = SeedReportingTheDock();
  const CliResult run = RunCli("dock play --emulator --emulator-option " + seed);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "<STX>0F7F011EE1<ETX>\n"
            "TITLE(SONG) Morning Light\n"
            "ARTIST      The Harbour Lines\n"
            "ALBUM       Coastal Roads\n"
            "CHANNEL\n"
            "CH CATEGORY\n"
            "> Morning Light\n"
            "  Paper Boats\n"
            "  Northbound\n"
            "  Glass Garden\n");
  EXPECT_EQ(run.err, "");
}

TEST(TunerCliDock, SaysWhyNothingCameAndRefusesUnknownOperations) {
  CliResult run = RunCli("dock next --emulator");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "<STX>0F7F011CE3<ETX>\n");
  EXPECT_NE(run.err.find("PlayInformation Output Setting and ListInformation Output Setting (page \"iPod\") are Off"),
            std::string::npos)
      << run.err;

  run = RunCli("dock eject --emulator");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err,
            "tunewright-cli: \"eject\" is no dock operation; operations: play, stop, rew, ff, pause, prev, next\n");
  run = RunCli("dock play");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "tunewright-cli: dock needs --port DEVICE or --emulator (see dock --help)\n");
}

}  // namespace
