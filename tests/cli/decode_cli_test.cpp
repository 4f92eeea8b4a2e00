// tunewright-cli decode, run the way a user runs it.

#include "cli/cli_run.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace {

using tw::test::CliResult;
using tw::test::RunCli;

TEST(DecodeCli, PrintsTheGroupAndOneLinePerValue) {
  const CliResult run = RunCli("decode '<STX>0026C7<ETX>' '<STX>007B05<ETX>' '<DC4>20080300020F00<ETX>'");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "group 1\n9\t0\n"
            "group 18\n529\t1\n530\t3\n"
            "group 12\n397\t0\n399\t0\n");
}

TEST(DecodeCli, QuotesTextsAndMarksNumberOnlyResults) {
  const CliResult run = RunCli("decode '<DC4>200D0500111087.5000<ETX>' '<STX>003001<ETX>'");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "group 15\n437\t\"087.50\"\ngroup 21\n556\t-\n");
}

TEST(DecodeCli, AFrameThatDecodesToNothingStillShowsItsGroup) {
  const CliResult run = RunCli("decode '<STX>00210B<ETX>'");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "group 1\n");
}

TEST(DecodeCli, AnUndecodedFrameGivesExitStatusOne) {
  const CliResult run = RunCli("decode '<STX>0026C7<ETX>' '<STX>00FF00<ETX>'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "group 1\n9\t0\nnot decoded\n");
}

TEST(DecodeCli, BadNotationIsBadInputAndDecodesNothing) {
  const CliResult run = RunCli("decode '<STX>0026C7<ETX>' '<STY>0026C7<ETX>'");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(RunCli("decode").status, 2);  // no frame at all
}

}  // namespace
