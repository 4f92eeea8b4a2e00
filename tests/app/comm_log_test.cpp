#include "app/app_harness.h"
#include "app/comm_log.h"
#include "app/log_format.h"

#include <gtest/gtest.h>

namespace tw::app {
namespace {

using namespace std::chrono_literals;
using test::ReadFile;
using test::ScratchFolder;

struct LogFixture {
  explicit LogFixture(const std::filesystem::path& folder)
      : log(folder, [this] { return now; }) {
    log.setItemDescriber([](int number, std::string_view) -> std::optional<std::pair<std::string, std::string>> {
      if (number == 430) return std::pair<std::string, std::string>{"Speaker Set", "Center"};
      return std::nullopt;
    });
  }
  std::chrono::system_clock::time_point now = std::chrono::system_clock::time_point{} + 1000000h;
  CommLog log;
};

TEST(CommLog, ErrorLogHoldsStartFailedCommandsEndAndDuration) {
  ScratchFolder folder;
  LogFixture f(folder.path());
  const std::string start = FormatDateTime(f.now);
  f.log.BeginTransferLog(comm::LinkMode::Download);
  f.log.WriteErrorLog("\x14" "2A1\x03", 430);
  f.log.WriteErrorLog("\x02" "07A1D\x03", 999);
  f.log.WriteErrorLog("\x02" "20000\x03", comm::kNoParameter);
  f.now += 1h + 5min + 9s;
  f.log.EndTransferLog();

  EXPECT_EQ(ReadFile(folder.path() / "ErrLog.txt"),
            "StartTime :" + start + "\r\n" +
                "Speaker Set Center\tDC4, \"2A1\", ETX  \r\n"
                " \tSTX, \"07A1D\", ETX  \r\n"
                "STX, \"20000\", ETX  \r\n"
                "EndTime :" + FormatDateTime(f.now) + "\r\n" +
                "Total :05'09\"\r\n");
  EXPECT_FALSE(f.log.isErrorLogOpen());
}

TEST(CommLog, SecondBeginKeepsTheFileButTakesANewStartTime) {
  ScratchFolder folder;
  LogFixture f(folder.path());
  f.log.BeginTransferLog(comm::LinkMode::Upload);
  f.now += 10min;
  f.log.BeginTransferLog(comm::LinkMode::Upload);
  f.now += 42s;
  f.log.EndTransferLog();
  const std::string text = ReadFile(folder.path() / "ErrLog.txt");
  EXPECT_EQ(text.find("StartTime"), text.rfind("StartTime"));
  EXPECT_NE(text.find("Total :00'42\"\r\n"), std::string::npos);
}

TEST(CommLog, EachConnectionStartsTheFileAfresh) {
  ScratchFolder folder;
  LogFixture f(folder.path());
  f.log.BeginTransferLog(comm::LinkMode::RealTime);
  f.log.WriteErrorLog("first", comm::kNoParameter);
  f.log.EndTransferLog();
  f.log.BeginTransferLog(comm::LinkMode::RealTime);
  f.log.WriteErrorLog("second", comm::kNoParameter);
  f.log.EndTransferLog();
  const std::string text = ReadFile(folder.path() / "ErrLog.txt");
  EXPECT_EQ(text.find("first"), std::string::npos);
  EXPECT_NE(text.find("second\r\n"), std::string::npos);
}

// The desktop program and the command line at once: the second run writes its own log,
// names it, and the first run's log stays whole.
TEST(CommLog, ARunWhoseLogIsInUseWritesItsOwnAndLeavesTheOtherWhole) {
  ScratchFolder folder;
  LogFixture desktop(folder.path());
  LogFixture command(folder.path());
  desktop.log.BeginTransferLog(comm::LinkMode::Upload);
  desktop.log.WriteErrorLog("desktop", comm::kNoParameter);
  command.log.BeginTransferLog(comm::LinkMode::Download);
  command.log.WriteErrorLog("command line", comm::kNoParameter);
  command.log.EndTransferLog();
  desktop.log.WriteErrorLog("desktop again", comm::kNoParameter);
  desktop.log.EndTransferLog();

  EXPECT_EQ(desktop.log.errorLogPath(), folder.path() / "ErrLog.txt");
  ASSERT_NE(command.log.errorLogPath(), desktop.log.errorLogPath());
  EXPECT_EQ(command.log.errorLogPath().parent_path(), folder.path());
  const std::string first = ReadFile(desktop.log.errorLogPath());
  EXPECT_NE(first.find("desktop\r\n"), std::string::npos) << first;
  EXPECT_NE(first.find("desktop again\r\n"), std::string::npos) << first;
  EXPECT_EQ(first.find("command line"), std::string::npos) << first;
  EXPECT_NE(ReadFile(command.log.errorLogPath()).find("command line\r\n"), std::string::npos);
}

TEST(CommLog, NothingIsWrittenOutsideATransfer) {
  ScratchFolder folder;
  LogFixture f(folder.path());
  f.log.WriteErrorLog("lost", 430);
  f.log.EndTransferLog();  // computes its times, writes nowhere
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "ErrLog.txt"));
}

TEST(CommLog, TraceLogAndTimingReportStayClosedWhileSwitchedOff) {
  ScratchFolder folder;
  LogFixture f(folder.path());
  f.log.setReportBuilder([] { return std::string("report\r\n"); });
  f.log.BeginTransferLog(comm::LinkMode::Upload);
  f.log.WriteTrace("\x02" "20000\x03", true, true);
  f.log.EndTransferLog();
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "LogUpLoad.txt"));
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "ReportUpLoad.txt"));
}

TEST(CommLog, SwitchedOnTheTraceAndReportFilesAreNamedByLinkMode) {
  ScratchFolder folder;
  LogFixture f(folder.path());
  f.log.setTraceSwitch(true);
  f.log.setReportSwitch(true);
  f.log.setReportBuilder([] { return std::string("report\r\n"); });
  f.log.BeginTransferLog(comm::LinkMode::Download);
  f.log.WriteTrace("\x02" "20000\x03", true, true);
  f.log.EndTransferLog();
  const std::string trace = ReadFile(folder.path() / "LogDownLoad.txt");
  EXPECT_EQ(trace.rfind("//StartTime :", 0), 0u);
  EXPECT_NE(trace.find("\r\nSTX, \"20000\", ETX  \t//[送](標)\r\n//EndTime :"), std::string::npos);
  EXPECT_EQ(ReadFile(folder.path() / "ReportDownLoad.txt"), "Time :" + FormatDateTime(f.now) + "\r\nreport\r\n");
  f.log.BeginTransferLog(comm::LinkMode::RealTime);
  f.log.EndTransferLog();
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "LogOutput.txt"));
}

}  // namespace
}  // namespace tw::app
