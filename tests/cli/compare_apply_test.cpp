// compare and apply as an installer uses them: a receiver someone changed in five settings
// on four pages, and the file of its factory settings.

#include <gtest/gtest.h>

#include <string>

#include "cli/cli_run.h"

namespace tw::test {
namespace {

// Speaker Level FL 1.5dB, Volume Trim CD 2.0dB, Tone Control Speaker Bass Gain 3.0dB,
// Speaker Set Center None, Display Set Dimmer -2: as from the receiver's front panel.
const std::string kChanged =
    "--emulator-option 'preset=<STX>2412b<ETX>,<DC4>20080121011050<ETX>,<DC4>200903310011286<ETX>,"
    "<STX>27002<ETX>,<STX>26102<ETX>'";
const std::string kSettings = "XDG_CONFIG_HOME=\"$PWD/config\" XDG_STATE_HOME=\"$PWD/state\" ";

TEST(CompareApply, ListsExactlyTheChangedSettingsAndSendsOnlyThem) {
  TempFolder folder("compare");
  ASSERT_EQ(RunCliIn(folder.path(), "upload --emulator -o factory.qcf", kSettings).status, 0);
  const CliResult compare = RunCliIn(folder.path(), "compare factory.qcf --emulator " + kChanged, kSettings);
  EXPECT_EQ(compare.status, 1) << compare.err;
  EXPECT_EQ(compare.out,
            "[Speaker Level]\nFL: receiver \"1.5dB\", file \"0.0dB\"\n"
            "[Tone Control]\nSpeaker Bass Gain: receiver \"3.0dB\", file \"0.0dB\"\n"
            "[Volume Trim]\nCD: receiver \"2.0dB\", file \"0.0dB\"\n"
            "[Speaker Set]\nCenter: receiver \"None\", file \"Small\"\n"
            "[Display Set]\nDimmer: receiver \"-2\", file \"0\"\n");

  // Only the five writes go out after the start-up read, in the order a download sends them.
  const CliResult apply = RunCliIn(folder.path(), "apply factory.qcf --emulator " + kChanged, kSettings);
  EXPECT_EQ(apply.status, 0) << apply.err;
  EXPECT_EQ(apply.out,
            "<STX>24128<ETX>\n<DC4>200903310010C96<ETX>\n<DC4>20080121010c82<ETX>\n<STX>27001<ETX>\n"
            "<STX>26104<ETX>\napplied 5 of 5 differences\n");
  const CliResult only = RunCliIn(folder.path(), "apply factory.qcf --emulator --dry-run --only 'Volume Trim' " + kChanged, kSettings);
  EXPECT_EQ(only.out, "<DC4>20080121010c82<ETX>\ndry run: 1 frames for 1 differences; nothing sent\n") << only.err;

  // Every page's differences between two seeded receivers reach the receiver; a value the
  // pages refuse beside the receiver's other settings is named, with why, and not sent.
  ASSERT_EQ(RunCliIn(folder.path(), "upload --emulator --emulator-option seed=5 -o s5.qcf", kSettings).status, 0);
  const CliResult all = RunCliIn(folder.path(), "apply s5.qcf --emulator --emulator-option seed=6", kSettings);
  EXPECT_EQ(all.status, 0) << all.err;
  EXPECT_NE(all.out.find("applied 465 of 465 differences\n"), std::string::npos) << all.err;
  const CliResult refused =
      RunCliIn(folder.path(), "apply s5.qcf --emulator --emulator-option seed=8 --emulator-option zone3=0", kSettings);
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.out.find("not sent: [Multi Zone] Zone2 Amplifier \"INT:Both\": Zone3 Amplifier is"), std::string::npos)
      << refused.out;

  // Settings the receiver lacks are listed apart and never sent.
  const CliResult noZone3 = RunCliIn(folder.path(), "upload --emulator --emulator-option seed=4 -o seeded.qcf", kSettings);
  ASSERT_EQ(noZone3.status, 0);
  const CliResult lacking =
      RunCliIn(folder.path(), "compare seeded.qcf --emulator --emulator-option zone3=0", kSettings);
  EXPECT_NE(lacking.out.find("# not on this receiver (never sent):\n[Multi Zone]\nZone3"), std::string::npos)
      << lacking.out;
}

// The real serial backend against `tunewright-cli emulate`: after an apply, a second
// compare of the same receiver finds nothing.
TEST(CompareApply, AfterAnApplyOnAPseudoTerminalCompareFindsNothing) {
  TempFolder folder("apply_pty");
  ASSERT_EQ(RunCliIn(folder.path(), "upload --emulator -o factory.qcf", kSettings).status, 0);
  const std::string cli = std::string("'") + TW_CLI_PATH + "'";
  const std::string serve = kSettings + "mkfifo ready; { " + cli + " emulate --link receiver " + kChanged +
                            " >ready 2>/dev/null & } ; emulator=$!; trap 'kill $emulator' EXIT; exec 3<ready; "
                            "read device <&3; " + cli + " apply factory.qcf --port ./receiver --pacing reply "
                            ">applied.txt 2>&1; ";
  const CliResult compare = RunCliIn(folder.path(), "compare factory.qcf --port ./receiver --pacing reply", serve);
  EXPECT_NE(ReadAll(folder.path() / "applied.txt").find("applied 5 of 5 differences"), std::string::npos)
      << ReadAll(folder.path() / "applied.txt");
  EXPECT_EQ(compare.status, 0) << compare.out << compare.err;
  EXPECT_EQ(compare.out, "");
}

}  // namespace
}  // namespace tw::test
