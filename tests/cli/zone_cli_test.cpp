// tunewright-cli on the zone pages, run as a user runs it: set (dry, live, refused, on a
// receiver without a zone) and the transcript of what a command sent.

#include "cli/cli_run.h"

#include <gtest/gtest.h>

#include <random>
#include <regex>

#include "comm/frame_notation.h"
#include "emu/virtual_receiver.h"
#include "support/frames.h"

namespace tw::test {
namespace {

std::string Notation(const std::string& frame) { return comm::ToNotation(frame); }

TEST(ZoneCliSet, DryRunPrintsEachPagesFrame) {
  CliResult run = RunCli("set --dry-run 'Multi Zone' 'Zone2 Volume' Mute");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "<STX>23100<ETX>\n");
  run = RunCli("set --dry-run 'Volume Trim' DOCK 6.0dB");
  EXPECT_EQ(run.out, Notation(Dc4Lower("200801212018")) + "\n");
  run = RunCli("set --dry-run 'CONTROL OUT' 'CONTROL OUT2 XM Zone3' L");
  EXPECT_EQ(run.out, Notation(Dc4Lower("2009040112" "0E" "0")) + "\n");
  run = RunCli("set --dry-run 'control out' 'control out1 trigger control' 'zone or'");
  EXPECT_EQ(run.out, "<STX>07E34<ETX>\n");
}

TEST(ZoneCliSet, AValueOutsideTheItemsValuesNamesTheAllowedOnes) {
  CliResult run = RunCli("set --dry-run 'Multi Zone' 'Zone2 Volume' 1.0dB");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err,
            "tunewright-cli: \"1.0dB\" is not a value of Zone2 Volume on page \"Multi Zone\" (it holds \"-40.0dB\"); "
            "allowed: \"Mute\", \"-80.0dB\" ..., \"0.0dB\"\n");
  run = RunCli("set --dry-run 'CONTROL OUT' 'CONTROL OUT1 Trigger Control' Zone4");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("allowed: \"Main\", \"Zone2\", \"Zone3\", \"Zone OR\"\n"), std::string::npos) << run.err;
}

TEST(ZoneCliSet, OnTheVirtualReceiverZoneEditsAreAcknowledged) {
  CliResult run = RunCli("set --emulator 'Multi Zone' 'Zone2 Volume' -20.0dB");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "<STX>2319F<ETX>\n");
  run = RunCli("set --emulator 'CONTROL OUT' 'CONTROL OUT1 PHONO Zone2' L");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, Notation(Dc4Lower("2009040101000")) + "\n");
}

TEST(ZoneCliSet, AnEditOfWhatTheReceiverLacksIsAFailureThatSaysWhatIsMissing) {
  struct Case {
    std::string arguments;
    std::string message;
  };
  for (const Case& c : {
           Case{"--emulator-option zone3=0 'Multi Zone' 'Zone3 Volume' -20.0dB",
                "the receiver has no Zone 3, so Zone3 Volume on page \"Multi Zone\" cannot be sent to it"},
           Case{"--emulator-option zone3=0 --emulator-option xm=0 'CONTROL OUT' 'CONTROL OUT1 XM Zone3' L",
                "the receiver has no Zone 3 and no XM, so CONTROL OUT1 XM Zone3 on page \"CONTROL OUT\" cannot be "
                "sent to it"},
           Case{"--emulator-option zone2=0 'CONTROL OUT' 'CONTROL OUT2 Trigger Control' 'Zone OR'",
                "the receiver has no Zone 2, so CONTROL OUT2 Trigger Control on page \"CONTROL OUT\" cannot be sent "
                "to it"},
       }) {
    const CliResult run = RunCli("set --emulator " + c.arguments);
    EXPECT_EQ(run.status, 1) << c.arguments;
    EXPECT_EQ(run.err, "tunewright-cli: " + c.message + "\n") << c.arguments;
    EXPECT_TRUE(run.out.empty());
  }
}

// A receiver whose Zone3 uses both internal outputs refuses any internal one for Zone2.
TEST(ZoneCliSet, ARefusedAmplifierPairSaysWhy) {
  std::uint32_t seed = 0;
  for (std::uint32_t s = 1; s < 500 && seed == 0; ++s) {
    emu::EmulatorConfig config;
    config.settingsSeed = s;
    if (emu::VirtualReceiver(config).reportValue("3F") == "03") seed = s;
  }
  ASSERT_NE(seed, 0u);
  const CliResult run = RunCli("set --emulator --emulator-option seed=" + std::to_string(seed) +
                               " 'Multi Zone' 'Zone2 Amplifier' INT:Speaker[2]");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("; Zone3 Amplifier is \"INT:Both\", and the two zones cannot share an internal amplifier "
                         "output\n"),
            std::string::npos)
      << run.err;
}

std::vector<std::string> ToolLines(const std::string& transcript) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < transcript.size()) {
    const std::size_t end = transcript.find('\n', start);
    const std::string line = transcript.substr(start, end - start);
    if (line.find(" tool > receiver  ") != std::string::npos) lines.push_back(line.substr(line.find('<')));
    start = end == std::string::npos ? transcript.size() : end + 1;
  }
  return lines;
}

int CountMatching(const std::vector<std::string>& frames, const std::string& pattern) {
  const std::regex re(pattern);
  return static_cast<int>(std::count_if(frames.begin(), frames.end(),
                                        [&](const std::string& f) { return std::regex_match(f, re); }));
}

TEST(ZoneCliTranscript, ADownloadWithoutZone3SendsNoZone3CommandAndZone2sAll) {
  TempFolder dir("zone_transcript");
  WriteAll(dir.path() / "zones.qcf", "[Multi Zone]\r\nZone2 Volume=-20.0dB\r\nZone3 Volume=-30.0dB\r\n");
  const CliResult run = RunCliIn(
      dir.path(), "download --emulator --emulator-option zone3=0 --transcript t.txt --fill-defaults zones.qcf");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string transcript = ReadAll(dir.path() / "t.txt");
  // "    1234.567 ms  tool > receiver  <STX>...": each frame with its time on the receiver's clock.
  EXPECT_TRUE(std::regex_search(transcript, std::regex(R"((^|\n) *\d+\.\d{3} ms  tool > receiver  <DC4>200500000)")));
  EXPECT_NE(transcript.find(" ms  receiver > tool  <"), std::string::npos);
  const std::vector<std::string> sent = ToolLines(transcript);
  ASSERT_GT(sent.size(), 300u);

  const std::string zone3[] = {"<STX>07AF[0-9A-F]<ETX>", "<STX>07AB9<ETX>", "<STX>23F0.<ETX>", "<STX>26B0.<ETX>",
                               "<STX>234..<ETX>",        "<STX>07E(66|26)<ETX>", "<STX>2AE..<ETX>",
                               "<STX>07E2[0-5]<ETX>",    "<STX>07E(31|34|9F|98)<ETX>",
                               "<DC4>20090401[01]2.*"};
  for (const std::string& pattern : zone3) EXPECT_EQ(CountMatching(sent, pattern), 0) << pattern;

  // Volume Out VAR goes out three times: the entry the link keeps from before it read the
  // capabilities, the one it queues with them, and the page's own.
  const std::pair<std::string, int> zone2[] = {
      {"<STX>07AC[CD]<ETX>", 1},  {"<STX>23E00<ETX>", 1},       {"<STX>26600<ETX>", 3},
      {"<STX>231..<ETX>", 7},     {"<STX>2319F<ETX>", 1},       {"<STX>07EA1<ETX>", 1},
      {"<STX>2AD14<ETX>", 1},     {"<STX>07E8[7-9A-C]<ETX>", 6}, {"<DC4>20090401[01]1.*", 24}};
  for (const auto& [pattern, count] : zone2) EXPECT_EQ(CountMatching(sent, pattern), count) << pattern;
}

TEST(ZoneCliTranscript, ProbeAndSetWriteTheirTranscriptsToo) {
  TempFolder dir("probe_transcript");
  CliResult run = RunCliIn(dir.path(), "probe --emulator --transcript probe.txt");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> probe = ToolLines(ReadAll(dir.path() / "probe.txt"));
  ASSERT_FALSE(probe.empty());
  EXPECT_EQ(CountMatching(probe, "<DC4>200500007..<ETX>"), 1);  // the Zone 3 question

  run = RunCliIn(dir.path(), "set --emulator --transcript set.txt 'Multi Zone' 'Zone3 Balance' R5");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ToolLines(ReadAll(dir.path() / "set.txt")).back(), "<STX>2AE19<ETX>");

  // A failed command keeps what it sent; a transcript is only for the virtual receiver.
  run = RunCliIn(dir.path(), "set --emulator --emulator-option zone3=0 --transcript failed.txt 'Multi Zone' "
                             "'Zone3 Balance' R5");
  EXPECT_EQ(run.status, 1);
  EXPECT_FALSE(ToolLines(ReadAll(dir.path() / "failed.txt")).empty());
  run = RunCliIn(dir.path(), "set --port /dev/null --transcript x.txt 'Multi Zone' 'Zone3 Balance' R5");
  EXPECT_EQ(run.status, 2);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "x.txt"));
  run = RunCliIn(dir.path(), "probe --emulator --transcript missing/folder/t.txt");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("missing/folder"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace tw::test
