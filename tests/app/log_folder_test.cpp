// Where the communication logs go: a folder of the user's own, and a log that cannot be
// written is reported once instead of silently missing.
#include "app/app_harness.h"
#include "app/comm_log.h"
#include "app/state_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <optional>

namespace tw::app {
namespace {

using test::ScratchFolder;

// Sets an environment variable for the test's lifetime.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      ::setenv(name, value->c_str(), 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

mode_t ModeOf(const std::filesystem::path& path) {
  struct stat info {};
  ::lstat(path.c_str(), &info);
  return info.st_mode & 07777;
}

TEST(LogFolder, FollowsXdgStateHomeAndFallsBackToTheHomeFolder) {
  {
    ScopedEnv state("XDG_STATE_HOME", "/srv/state");
    EXPECT_EQ(DefaultStateFolder(), std::filesystem::path("/srv/state/tunewright"));
  }
  ScopedEnv home("HOME", "/home/ann");
  for (const std::optional<std::string>& unusable : {std::optional<std::string>{}, std::optional<std::string>{""},
                                                     std::optional<std::string>{"relative/state"}}) {
    ScopedEnv state("XDG_STATE_HOME", unusable);
    EXPECT_EQ(DefaultStateFolder(), std::filesystem::path("/home/ann/.local/state/tunewright"));
  }
}

TEST(LogFolder, IsCreatedForTheUserAloneAndAForeignOrOpenFolderIsRefused) {
  ScratchFolder scratch;
  const auto folder = scratch.path() / "state" / "tunewright";
  EXPECT_EQ(PreparePrivateFolder(folder), "");
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_EQ(ModeOf(folder), 0700u);
  EXPECT_EQ(PreparePrivateFolder(folder), "");  // an existing private folder is fine as it is

  // Another user's link in its place would redirect every log: refused, never followed.
  const auto link = scratch.path() / "linked";
  std::filesystem::create_directory_symlink(folder, link);
  EXPECT_NE(PreparePrivateFolder(link).find("not a folder"), std::string::npos);

  const auto open = scratch.path() / "open";
  std::filesystem::create_directory(open);
  ::chmod(open.c_str(), 0777);
  EXPECT_NE(PreparePrivateFolder(open).find("others may write"), std::string::npos);
  EXPECT_EQ(ModeOf(open), 0777u);  // reported, not changed behind the user's back
}

struct Reported {
  std::filesystem::path file;
  std::string reason;
};

TEST(LogFolder, ALogThatCannotBeCreatedIsReportedOncePerFileAndTheTransferGoesOn) {
  ScratchFolder scratch;
  // A folder named like the error log stands where the file should go.
  std::filesystem::create_directory(scratch.path() / "ErrLog.txt");
  CommLog log(scratch.path());
  std::vector<Reported> reports;
  log.setFailureReporter([&](const std::filesystem::path& file, const std::string& reason) {
    reports.push_back({file, reason});
  });
  for (int connection = 0; connection < 3; ++connection) {
    log.BeginTransferLog(comm::LinkMode::RealTime);
    log.WriteErrorLog("lost", comm::kNoParameter);
    log.EndTransferLog();
  }
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].file, scratch.path() / "ErrLog.txt");
  EXPECT_FALSE(reports[0].reason.empty());
  EXPECT_FALSE(log.isErrorLogOpen());
}

TEST(LogFolder, AFolderUnfitForLogsReportsItsProblemAndWritesNothingThere) {
  ScratchFolder scratch;
  CommLog log(scratch.path());
  log.setFolderProblem("the folder belongs to another user; remove it");
  std::vector<Reported> reports;
  log.setFailureReporter([&](const std::filesystem::path& file, const std::string& reason) {
    reports.push_back({file, reason});
  });
  log.BeginTransferLog(comm::LinkMode::Download);
  log.EndTransferLog();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].reason, "the folder belongs to another user; remove it");
  EXPECT_FALSE(std::filesystem::exists(scratch.path() / "ErrLog.txt"));
}

}  // namespace
}  // namespace tw::app
