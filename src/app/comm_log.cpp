#include "app/comm_log.h"

#include "app/log_format.h"

#include <cerrno>
#include <system_error>

#include "comm/link_constants.h"
#include "model/command_table.h"

namespace tw::app {
namespace {

std::string_view ModeSuffix(int linkMode) {
  if (linkMode == model::kLinkUpload) return "UpLoad";
  if (linkMode == model::kLinkDownload) return "DownLoad";
  return "Output";
}

void WriteBytes(std::ofstream* file, std::string_view bytes) {
  if (file == nullptr) return;
  file->write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file->flush();  // a log must survive a crash of the program
}

}  // namespace

CommLog::CommLog(std::filesystem::path folder, Clock clock)
    : folder_(std::move(folder)),
      errorLogPath_(folder_ / "ErrLog.txt"),
      traceLogPath_(folder_ / "Log.txt"),
      clock_(clock ? std::move(clock) : Clock([] { return std::chrono::system_clock::now(); })) {}

CommLog::~CommLog() = default;

std::filesystem::path CommLog::modeFile(std::string_view base, int linkMode) const {
  return folder_ / (std::string(base) + std::string(ModeSuffix(linkMode)) + ".txt");
}

std::unique_ptr<std::ofstream> CommLog::openTruncated(const std::filesystem::path& path) {
  std::string reason = folderProblem_;
  std::unique_ptr<std::ofstream> file;
  if (reason.empty()) {
    errno = 0;
    file = std::make_unique<std::ofstream>(path, std::ios::binary | std::ios::out | std::ios::trunc);
    if (file->is_open()) return file;
    reason = errno != 0 ? std::generic_category().message(errno) : "it cannot be opened for writing";
  }
  // The work goes on without this log; the user hears of it once per file.
  if (failureReporter_ && reported_.insert(path).second) failureReporter_(path, reason);
  return nullptr;
}

void CommLog::WriteTrace(std::string_view text, bool frame, bool sent) {
  // Formatted even while off, so that switching it on changes nothing else.
  const std::string line = TraceLine(text, frame, sent);
  if (traceSwitch_ && traceLog_) WriteBytes(traceLog_.get(), line);
}

void CommLog::WriteErrorLog(std::string_view text, int number) {
  if (!errorLog_) return;
  std::optional<std::pair<std::string, std::string>> item;
  if (number != comm::kNoParameter) {
    // A number nobody knows still gets its separators, so the columns stay aligned.
    item = std::pair<std::string, std::string>{};
    if (describer_) {
      if (auto described = describer_(number, text)) item = std::move(described);
    }
  }
  WriteBytes(errorLog_.get(), ErrorLine(item, text));
}

void CommLog::BeginTransferLog(int linkMode) {
  linkMode_ = linkMode;
  startTime_ = clock_();
  const std::string startText = "StartTime :" + FormatDateTime(*startTime_);
  if (traceSwitch_ && !traceLog_) {
    traceLog_ = openTruncated(modeFile("Log", linkMode));
    WriteTrace(startText, false, false);
  }
  if (errorLog_) return;
  errorLog_ = openTruncated(errorLogPath_);
  WriteErrorLog(startText, comm::kNoParameter);
}

void CommLog::EndTransferLog() {
  const auto now = clock_();
  const std::string endText = FormatDateTime(now);
  std::optional<std::chrono::seconds> span;
  if (startTime_) span = std::chrono::duration_cast<std::chrono::seconds>(now - *startTime_);
  const std::string total = "Total :" + FormatDuration(span);

  WriteTrace("EndTime :" + endText, false, false);
  WriteTrace(total, false, false);
  traceLog_.reset();

  WriteErrorLog("EndTime :" + endText, comm::kNoParameter);
  WriteErrorLog(total, comm::kNoParameter);
  errorLog_.reset();

  if (reportBuilder_ && reportSwitch_) {
    if (auto report = openTruncated(modeFile("Report", linkMode_))) {
      WriteBytes(report.get(), "Time :" + endText + "\r\n");
      WriteBytes(report.get(), reportBuilder_());
    }
  }
}

}  // namespace tw::app
