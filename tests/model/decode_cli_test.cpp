// tunewright-cli decode, run the way a user runs it.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace {

struct CliRun {
  std::string out;
  int status = -1;
};

// Runs the tool with `args` (already quoted for the shell); stderr goes to /dev/null.
CliRun RunCli(const std::string& args) {
  CliRun run;
  const std::string command = std::string(TW_CLI_PATH) + " " + args + " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  std::array<char, 256> buffer{};
  std::size_t n = 0;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.out.append(buffer.data(), n);
  const int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

TEST(DecodeCli, PrintsTheGroupAndOneLinePerValue) {
  const CliRun run = RunCli("decode '<STX>0026C7<ETX>' '<STX>007B05<ETX>' '<DC4>20080300020F00<ETX>'");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "group 1\n9\t0\n"
            "group 18\n529\t1\n530\t3\n"
            "group 12\n397\t0\n399\t0\n");
}

TEST(DecodeCli, QuotesTextsAndMarksNumberOnlyResults) {
  const CliRun run = RunCli("decode '<DC4>200D0500111087.5000<ETX>' '<STX>003001<ETX>'");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "group 15\n437\t\"087.50\"\ngroup 21\n556\t-\n");
}

TEST(DecodeCli, AFrameThatDecodesToNothingStillShowsItsGroup) {
  const CliRun run = RunCli("decode '<STX>00210B<ETX>'");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "group 1\n");
}

TEST(DecodeCli, AnUndecodedFrameGivesExitStatusOne) {
  const CliRun run = RunCli("decode '<STX>0026C7<ETX>' '<STX>00FF00<ETX>'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "group 1\n9\t0\nnot decoded\n");
}

TEST(DecodeCli, BadNotationIsBadInputAndDecodesNothing) {
  const CliRun run = RunCli("decode '<STX>0026C7<ETX>' '<STY>0026C7<ETX>'");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(RunCli("decode").status, 2);  // no frame at all
}

}  // namespace
