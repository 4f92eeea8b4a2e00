// Runs tunewright-cli rows / params as a user does and checks exact lines of its output.

#include "cli/cli_run.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

using tw::test::CliResult;
using tw::test::RunCli;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool HasLine(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}  // namespace

TEST(CliRows, PrintsEveryRowInFrameNotation) {
  const CliResult run = RunCli("rows");
  ASSERT_EQ(run.status, 0);
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 507u);
  EXPECT_EQ(lines[0], "0\t<DC4>200500001\t<DC4>200A00001\t\t01\t-1");
  EXPECT_EQ(lines[5], "5\t<STX>07A14<ETX>\t<STX>0028\t<STX>0021\t0A\t-1");
  EXPECT_EQ(lines[19], "19\t<STX>07EE1<ETX>\t<STX>002800<ETX>\t\t05\t-1");
  EXPECT_EQ(lines[216], "216\t<DC4>200902102C200\t<DC4>200B02102C200\t\t85\t21");
  EXPECT_EQ(lines[323], "323\t<DC4>2006010030\t<DC4>2008010030\t\t01\t-1");
  EXPECT_EQ(lines[387], "387\t<DC4>20080400020E\t<DC4>20090400020E\t\tE1\t-1");
  EXPECT_EQ(lines[506], "506\t<DC4>20050000F\t<DC4>200F0000\t<DC4>20110000\t01\t-1");
}

TEST(CliParams, DefaultsOfImageZero) {
  const CliResult run = RunCli("params --defaults");
  ASSERT_EQ(run.status, 0);
  const std::vector<std::string> lines = Lines(run.out);
  EXPECT_EQ(lines.size(), 521u);
  EXPECT_EQ(lines.front(), "1\t5");
  EXPECT_TRUE(HasLine(lines, "9\t-400"));
  EXPECT_TRUE(HasLine(lines, "203\t0"));
  EXPECT_TRUE(HasLine(lines, "240\t\" PHONO  \""));
  EXPECT_TRUE(HasLine(lines, "281\t260"));
  EXPECT_TRUE(HasLine(lines, "307\t3"));
  EXPECT_TRUE(HasLine(lines, "436\t\"087.50\""));
  EXPECT_TRUE(HasLine(lines, "554\t\"\""));
  EXPECT_EQ(lines.back(), "555\t\"\"");
  EXPECT_FALSE(HasLine(lines, "5\t0"));
}

TEST(CliParams, RegionResetsTheTunerPresets) {
  const std::vector<std::string> lines = Lines(RunCli("params --defaults --region 0").out);
  EXPECT_EQ(lines.size(), 521u);
  EXPECT_TRUE(HasLine(lines, "436\t\"076.00\""));
  EXPECT_TRUE(HasLine(lines, "448\t\"000531\""));
  EXPECT_TRUE(HasLine(lines, "476\t\"082.10\""));
  EXPECT_TRUE(HasLine(lines, "4\t14"));
}

TEST(CliParams, BadUsageEndsWithStatusTwoAndOneLine) {
  const CliResult badRegion = RunCli("params --defaults --region 4");
  EXPECT_EQ(badRegion.status, 2);
  EXPECT_EQ(Lines(badRegion.err).size(), 1u);
  EXPECT_NE(badRegion.err.find("--region"), std::string::npos);
  EXPECT_EQ(RunCli("params --defaults --region -1").status, 2);
  EXPECT_EQ(RunCli("params --defaults --region x").status, 2);
  EXPECT_EQ(RunCli("params").status, 2);
  EXPECT_EQ(RunCli("params --defaults --region 4").out, "");
}
