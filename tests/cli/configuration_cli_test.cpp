// tunewright-cli report, params FILE.qcf and diff, run as a user runs them: output, exit
// statuses 0/1/2 and the one-line errors for bad files.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "cli/cli_run.h"

namespace tw::test {
namespace {

const std::string kSmallFile =
    "[User Memo]\r\nUser Memo=Smith\\r\\nLiving room\r\n"
    "[Basic Control]\r\nMain Volume=-12.5dB\r\nDSP Program=Straight\r\n"
    "[Volume Memory 2 Basic Control]\r\nMain Volume=Mute\r\n";

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

TEST(ReportCommand, PrintsTheReportOfAFileAndWritesItWithOutput) {
  TempFolder dir("report");
  WriteAll(dir.path() / "a.qcf", kSmallFile);
  const CliResult run = RunCliIn(dir.path(), "report a.qcf");
  ASSERT_EQ(run.status, 0) << run.err;
  // A file of three settings is read, with a word that it holds only those.
  EXPECT_TRUE(StartsWith(run.err, "tunewright-cli: warning: \"a.qcf\" holds 3 of the ")) << run.err;
  const std::string dashes(80, '-');
  EXPECT_TRUE(
      StartsWith(run.out, std::string(80, '=') + "\r\n        Receiver Editer Configration Report\r\n"));
  EXPECT_NE(run.out.find("    User Memo\r\n" + dashes + "\r\nSmith\r\nLiving room\r\n\r\n" + dashes +
                         "\r\n    1. Current Setting \r\n" + dashes + "\r\n(Basic Control)\r\n"),
            std::string::npos);
  EXPECT_NE(run.out.find("DSP Program = Straight\r\n"), std::string::npos);
  EXPECT_NE(run.out.find("Main Volume = -12.5dB\r\n"), std::string::npos);
  EXPECT_NE(
      run.out.find("    9. Memory 2 Volume\r\n" + dashes + "\r\n(Basic Control)\r\nMain Volume = Mute\r\n"),
      std::string::npos);
  EXPECT_NE(run.out.find("    25. Memory 6 Zone3 Volume\r\n"), std::string::npos);

  const CliResult written = RunCliIn(dir.path(), "report a.qcf -o out.txt");
  EXPECT_EQ(written.status, 0) << written.err;
  EXPECT_EQ(written.out, "");
  EXPECT_EQ(ReadAll(dir.path() / "out.txt"), run.out);
}

TEST(ReportCommand, BadFilesEndWithStatusTwoAndOneLineNamingTheFile) {
  TempFolder dir("report_bad");
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) & 0xFF);
  WriteAll(dir.path() / "garbage.qcf", garbage);
  WriteAll(dir.path() / "empty.qcf", "");
  WriteAll(dir.path() / "other.ini", "[Window]\r\nWidth=800\r\n");
  struct Case {
    const char* file;
    const char* says;
  };
  for (const Case& c : {Case{"missing.qcf", "does not exist"}, Case{"garbage.qcf", "is not a configuration file"},
                        Case{"empty.qcf", "holds no settings"}, Case{"other.ini", "none of its 1 entries"},
                        Case{".", "folder"}}) {
    const CliResult run = RunCliIn(dir.path(), std::string("report ") + c.file);
    EXPECT_EQ(run.status, 2) << c.file;
    EXPECT_EQ(run.out, "") << c.file;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(c.file), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
  EXPECT_EQ(RunCliIn(dir.path(), "report").status, 2);
}

TEST(ReportCommand, IgnoredEntriesAreWarnedAboutAndTheRestIsRead) {
  TempFolder dir("report_warn");
  WriteAll(dir.path() / "a.qcf", "[basic control]\nmain volume = -20.0dB\nMute=maybe\n[Garden]\nHose=on\n");
  const CliResult run = RunCliIn(dir.path(), "report a.qcf");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("Main Volume = -20.0dB\r\n"), std::string::npos);
  EXPECT_NE(
      run.err.find("warning: \"a.qcf\": [basic control] Mute = \"maybe\": not one of this setting's values"),
      std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("[Garden] Hose = \"on\": not a setting of this tool"), std::string::npos) << run.err;
}

TEST(ReportCommand, AFailedWriteLeavesThePreviousOutputAndSaysSo) {
  TempFolder dir("report_full");
  WriteAll(dir.path() / "a.qcf", kSmallFile);
  WriteAll(dir.path() / "out.txt", "previous report");
  // A full disk: a file-size limit of one block binds every user; SIGXFSZ is ignored so
  // that the write fails instead of ending the program.
  const CliResult run =
      RunCliIn(dir.path(), "report a.qcf -o out.txt --force", "trap '' XFSZ; ulimit -f 1; ");
  EXPECT_EQ(run.status, 2) << run.err;
  EXPECT_NE(run.err.find("out.txt"), std::string::npos) << run.err;
  EXPECT_EQ(ReadAll(dir.path() / "out.txt"), "previous report");

  const CliResult nowhere = RunCliIn(dir.path(), "report a.qcf -o a.qcf/out.txt");
  EXPECT_EQ(nowhere.status, 2);
  EXPECT_NE(nowhere.err.find("Cannot write"), std::string::npos) << nowhere.err;
}

// "report a.qcf -o a.qcf" once turned the configuration into report text: the output never
// replaces the input, a device, a pipe or (without --force) any file that exists.
TEST(ReportCommand, TheOutputReplacesNoInputNoDeviceAndNoFileUnlessForced) {
  TempFolder dir("report_refused");
  WriteAll(dir.path() / "a.qcf", kSmallFile);
  std::filesystem::create_symlink("a.qcf", dir.path() / "same.qcf");
  std::filesystem::create_symlink("/dev/null", dir.path() / "null");
  ASSERT_EQ(::mkfifo((dir.path() / "pipe").c_str(), 0600), 0);
  WriteAll(dir.path() / "old.txt", "previous report");
  struct Case {
    const char* output;
    const char* says;
  };
  for (const Case& c :
       {Case{"a.qcf --force", "same file as \"a.qcf\""}, Case{"same.qcf --force", "same file as"},
        Case{"null --force", "is a device"}, Case{"pipe --force", "is a pipe"},
        Case{"old.txt", "exists already. Nothing was written. Give --force"}}) {
    const CliResult run = RunCliIn(dir.path(), std::string("report a.qcf -o ") + c.output);
    EXPECT_EQ(run.status, 2) << c.output;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
  }
  EXPECT_EQ(ReadAll(dir.path() / "a.qcf"), kSmallFile);
  EXPECT_EQ(ReadAll(dir.path() / "old.txt"), "previous report");
  EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "null"));
  ASSERT_EQ(RunCliIn(dir.path(), "report a.qcf -o old.txt --force").status, 0);
  EXPECT_NE(ReadAll(dir.path() / "old.txt"), "previous report");
}

// A key or a memo holding escape sequences cannot retitle or clear the terminal it is shown on.
TEST(ReportCommand, TextsFromTheFileReachTheTerminalEscaped) {
  TempFolder dir("report_escapes");
  WriteAll(dir.path() / "a.qcf",
           "[User Memo]\r\nUser Memo=hi\x1b]0;memo\x07\r\n"
           "[Basic Control]\r\nMain Volume=-20.0dB\r\n\x1b]0;owned\x07\x1b[2J=1\r\n");
  const CliResult run = RunCliIn(dir.path(), "report a.qcf");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err.find('\x1b'), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("<x1B>]0;owned<x07><x1B>[2J"), std::string::npos) << run.err;
  const CliResult diff = RunCliIn(dir.path(), "diff a.qcf --defaults");
  EXPECT_EQ(diff.out.find('\x1b'), std::string::npos) << diff.out;
  EXPECT_NE(diff.out.find("hi<x1B>]0;memo<x07>"), std::string::npos) << diff.out;
}

TEST(ParamsCommand, ImageZeroAndTheMemoriesAFileSets) {
  TempFolder dir("params");
  WriteAll(dir.path() / "a.qcf", kSmallFile);
  const CliResult run = RunCliIn(dir.path(), "params a.qcf");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("0\t9\t-125\n"), std::string::npos);
  EXPECT_NE(run.out.find("0\t4\t28\n"), std::string::npos);
  EXPECT_NE(run.out.find("2\t9\t-805\n"), std::string::npos);
  EXPECT_EQ(run.out.find("\n1\t"), std::string::npos);  // memory 1 has no section in the file
  EXPECT_EQ(run.out.find("\n3\t"), std::string::npos);
  EXPECT_EQ(RunCliIn(dir.path(), "params a.qcf --defaults").status, 2);
  EXPECT_EQ(RunCliIn(dir.path(), "params missing.qcf").status, 2);
}

TEST(DiffCommand, GroupsDifferencesBySectionAndExitsOneWhenTheyDiffer) {
  TempFolder dir("diff");
  WriteAll(dir.path() / "a.qcf", kSmallFile);
  WriteAll(dir.path() / "b.qcf",
           "[User Memo]\r\nUser Memo=Smith\\r\\nLiving room\r\n"
           "[basic control]\r\nMain Volume=-12.5dB\r\nDSP Program=Straight\r\nMute=ON\r\n");
  const CliResult same = RunCliIn(dir.path(), "diff a.qcf a.qcf");
  EXPECT_EQ(same.status, 0);
  EXPECT_EQ(same.out, "");

  const CliResult run = RunCliIn(dir.path(), "diff a.qcf b.qcf");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "[Basic Control]\nMute: \"OFF\" vs \"ON\"\n"
            "[Volume Memory 2 Basic Control]\nMain Volume: \"Mute\" vs \"-40.0dB\"\n");

  const CliResult defaults = RunCliIn(dir.path(), "diff a.qcf --defaults");
  EXPECT_EQ(defaults.status, 1);
  EXPECT_TRUE(StartsWith(defaults.out,
                         "[User Memo]\nUser Memo: \"Smith\\r\\nLiving room\" vs \"\"\n"
                         "[Basic Control]\n"))
      << defaults.out;

  EXPECT_EQ(RunCliIn(dir.path(), "diff a.qcf").status, 2);
  EXPECT_EQ(RunCliIn(dir.path(), "diff a.qcf b.qcf --defaults").status, 2);
  EXPECT_EQ(RunCliIn(dir.path(), "diff a.qcf missing.qcf").status, 2);
  EXPECT_EQ(RunCliIn(dir.path(), "diff a.qcf b.qcf --region 7").status, 2);
}

}  // namespace
}  // namespace tw::test
