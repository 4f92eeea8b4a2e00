#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "comm/link_log.h"

namespace tw::app {

// The communication logs in the user's log folder: the error log (always on; one file per
// connection or transfer with its start, end and duration and a line per failed command),
// the trace log and the timing report (each behind a switch that is off).
//
// A log that cannot be created does not stop the connection or transfer; the failure
// reporter hears of it once per file, so that the user learns that it is missing.
//
// Each log is locked while it is written: a run that finds a log in use by another run (the
// desktop program and the command line at once) writes its own under a per-run name
// ("ErrLog-<process id>.txt") instead of wiping the other's, and errorLogPath() names it.
class LogFile;

class CommLog final : public comm::LinkLog {
 public:
  using Clock = std::function<std::chrono::system_clock::time_point()>;
  // Section and key of parameter `number`, sent as `command`, in the image in use, or
  // nothing (the main view asks its Basic Control group, then the pages).
  using ItemDescriber =
      std::function<std::optional<std::pair<std::string, std::string>>(int number, std::string_view command)>;
  // The configuration report text of the timing report; unset while no main window exists.
  using ReportBuilder = std::function<std::string()>;
  // A log file that cannot be created, and why (said for a person).
  using FailureReporter = std::function<void(const std::filesystem::path& file, const std::string& reason)>;

  explicit CommLog(std::filesystem::path folder, Clock clock = {});
  ~CommLog() override;

  // The error log of the current or last connection or transfer.
  const std::filesystem::path& errorLogPath() const { return errorLogPath_; }
  // The trace log or timing report name for `linkMode`: base + UpLoad/DownLoad/Output + .txt.
  std::filesystem::path modeFile(std::string_view base, comm::LinkMode linkMode) const;

  void setItemDescriber(ItemDescriber describer) { describer_ = std::move(describer); }
  void setReportBuilder(ReportBuilder builder) { reportBuilder_ = std::move(builder); }
  void setFailureReporter(FailureReporter reporter) { failureReporter_ = std::move(reporter); }
  // The folder itself is not fit for logs (see PreparePrivateFolder): every log fails with
  // `problem` instead of being opened there. Empty: the folder is fine.
  void setFolderProblem(std::string problem) { folderProblem_ = std::move(problem); }
  const std::filesystem::path& folder() const { return folder_; }

  // Diagnostic switches; both stay off in the program (nothing turns them on).
  void setTraceSwitch(bool on) { traceSwitch_ = on; }
  void setReportSwitch(bool on) { reportSwitch_ = on; }

  void WriteTrace(std::string_view text, bool frame, bool sent) override;
  void WriteErrorLog(std::string_view text, int number) override;
  void BeginTransferLog(comm::LinkMode linkMode) override;
  void EndTransferLog() override;

  bool isErrorLogOpen() const { return errorLog_ != nullptr; }

 private:
  // Opens the log `path` (or, while another run holds it, one of a per-run name) empty and
  // locked; `opened` is the file that was opened.
  std::unique_ptr<LogFile> openLocked(const std::filesystem::path& path,
                                      std::filesystem::path* opened = nullptr);

  std::filesystem::path folder_;
  std::filesystem::path errorLogPath_;
  Clock clock_;
  ItemDescriber describer_;
  ReportBuilder reportBuilder_;
  FailureReporter failureReporter_;
  std::string folderProblem_;
  std::set<std::filesystem::path> reported_;
  bool traceSwitch_ = false;
  bool reportSwitch_ = false;
  comm::LinkMode linkMode_ = comm::LinkMode::Idle;
  std::unique_ptr<LogFile> traceLog_;
  std::unique_ptr<LogFile> errorLog_;
  std::optional<std::chrono::system_clock::time_point> startTime_;
};

}  // namespace tw::app
