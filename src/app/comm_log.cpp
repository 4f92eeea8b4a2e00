#include "app/comm_log.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "app/log_format.h"
#include "comm/link_constants.h"
#include "model/command_table.h"

namespace tw::app {
namespace {

std::string_view ModeSuffix(comm::LinkMode mode) {
  if (mode == comm::LinkMode::Upload) return "UpLoad";
  if (mode == comm::LinkMode::Download) return "DownLoad";
  return "Output";
}

// Tries for a per-run name when the log's own name is in use by another run.
constexpr int kPerRunNames = 8;

// Opens `path` for this run alone: created for the user only, never through a link, locked,
// and emptied once the lock is held. -1 with errno (EWOULDBLOCK: another run holds it).
int OpenLockedFile(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return -1;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ftruncate(fd, 0) != 0) {
    const int error = errno;
    ::close(fd);
    errno = error;
    return -1;
  }
  return fd;
}

std::filesystem::path PerRunName(const std::filesystem::path& path, int attempt) {
  std::string name = path.stem().string() + "-" + std::to_string(::getpid());
  if (attempt > 0) name += "-" + std::to_string(attempt);
  return path.parent_path() / (name + path.extension().string());
}

}  // namespace

// A log being written: every line goes to the disk's cache at once (a log must survive a
// crash of the program); closing it releases the lock.
class LogFile {
 public:
  explicit LogFile(int fd) : fd_(fd) {}
  ~LogFile() { ::close(fd_); }
  LogFile(const LogFile&) = delete;
  LogFile& operator=(const LogFile&) = delete;

  void write(std::string_view bytes) {
    while (!bytes.empty()) {
      const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) return;  // a full disk loses the rest of the line, not the transfer
      bytes.remove_prefix(static_cast<std::size_t>(written));
    }
  }

 private:
  int fd_;
};

namespace {

void WriteBytes(LogFile* file, std::string_view bytes) {
  if (file != nullptr) file->write(bytes);
}

}  // namespace

CommLog::CommLog(std::filesystem::path folder, Clock clock)
    : folder_(std::move(folder)),
      errorLogPath_(folder_ / "ErrLog.txt"),
      clock_(clock ? std::move(clock) : Clock([] { return std::chrono::system_clock::now(); })) {}

CommLog::~CommLog() = default;

std::filesystem::path CommLog::modeFile(std::string_view base, comm::LinkMode linkMode) const {
  return folder_ / (std::string(base) + std::string(ModeSuffix(linkMode)) + ".txt");
}

std::unique_ptr<LogFile> CommLog::openLocked(const std::filesystem::path& path,
                                             std::filesystem::path* opened) {
  std::string reason = folderProblem_;
  if (reason.empty()) {
    std::filesystem::path name = path;
    int fd = OpenLockedFile(name);
    for (int attempt = 0; fd < 0 && errno == EWOULDBLOCK && attempt < kPerRunNames; ++attempt) {
      name = PerRunName(path, attempt);
      fd = OpenLockedFile(name);
    }
    if (fd >= 0) {
      if (opened != nullptr) *opened = name;
      return std::make_unique<LogFile>(fd);
    }
    reason = errno == EWOULDBLOCK ? "other runs of the program are writing it"
                                  : std::generic_category().message(errno);
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

void CommLog::BeginTransferLog(comm::LinkMode linkMode) {
  linkMode_ = linkMode;
  startTime_ = clock_();
  const std::string startText = "StartTime :" + FormatDateTime(*startTime_);
  if (traceSwitch_ && !traceLog_) {
    traceLog_ = openLocked(modeFile("Log", linkMode));
    WriteTrace(startText, false, false);
  }
  if (errorLog_) return;
  const std::filesystem::path errorLog = folder_ / "ErrLog.txt";
  errorLogPath_ = errorLog;
  errorLog_ = openLocked(errorLog, &errorLogPath_);
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
    if (auto report = openLocked(modeFile("Report", linkMode_))) {
      WriteBytes(report.get(), "Time :" + endText + "\r\n");
      WriteBytes(report.get(), reportBuilder_());
    }
  }
}

}  // namespace tw::app
