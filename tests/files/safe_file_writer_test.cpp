// Every file the programs write goes through one writer: what it refuses, and what a save
// keeps of the file it replaces.
#include "files/safe_file_writer.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;
using tw::files::CheckWriteTarget;
using tw::files::WriteFileAtomically;
using tw::files::WriteOptions;

namespace {

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

struct stat StatOf(const fs::path& path) {
  struct stat info {};
  ::lstat(path.c_str(), &info);
  return info;
}

class SafeWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("tw_writer_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
               "_" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  fs::path folder_;
};

TEST_F(SafeWriterTest, RefusesWhatIsNoPlainFileOfItsOwnAndLeavesItAsItWas) {
  const fs::path input = folder_ / "a.qcf";
  WriteBytes(input, "[Speaker Level]\r\nFL=1.0dB\r\n");
  fs::create_symlink("/dev/null", folder_ / "null");
  ASSERT_EQ(::mkfifo((folder_ / "fifo").c_str(), 0600), 0);
  fs::create_directory(folder_ / "dir");
  fs::create_symlink("a.qcf", folder_ / "input-link");
  WriteBytes(folder_ / "linked", "two names");
  fs::create_hard_link(folder_ / "linked", folder_ / "linked-too");
  WriteBytes(folder_ / "old.txt", "kept");
  WriteOptions options;
  options.otherFiles = {input};
  WriteOptions keep = options;
  keep.replaceExisting = false;
  keep.replaceAdvice = "Give --force to replace it.";
  struct Case {
    const char* name;
    const WriteOptions& options;
    const char* says;
  };
  for (const Case& c : {Case{"null", options, "is a device"}, Case{"fifo", options, "is a pipe (FIFO)"},
                        Case{"dir", options, "is a folder"}, Case{"a.qcf", options, "same file as"},
                        Case{"input-link", options, "same file as"}, Case{"linked", options, "hard links"},
                        Case{"old.txt", keep, "exists already. Nothing was written. Give --force"}}) {
    const fs::path path = folder_ / c.name;
    const auto before = StatOf(path);
    const auto checked = CheckWriteTarget(path, c.options);
    const auto written = WriteFileAtomically(path, "report text", c.options);
    EXPECT_FALSE(checked) << c.name;
    ASSERT_FALSE(written) << c.name;
    EXPECT_NE(written.error.find(c.says), std::string::npos) << written.error;
    EXPECT_NE(written.error.find(c.name), std::string::npos) << written.error;
    const auto after = StatOf(path);
    EXPECT_EQ(after.st_ino, before.st_ino) << c.name;
    EXPECT_EQ(after.st_mode, before.st_mode) << c.name;
  }
  EXPECT_EQ(ReadBytes(input), "[Speaker Level]\r\nFL=1.0dB\r\n");
  EXPECT_EQ(ReadBytes(folder_ / "old.txt"), "kept");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()),
            8);  // no temporary left
}

TEST_F(SafeWriterTest, ASymbolicLinkStaysAndItsTargetGetsTheContent) {
  fs::create_directory(folder_ / "store");
  WriteBytes(folder_ / "store" / "client.qcf", "old");
  fs::create_symlink("store/client.qcf", folder_ / "client.qcf");
  fs::create_symlink("store/new.qcf", folder_ / "dangling.qcf");
  ASSERT_TRUE(WriteFileAtomically(folder_ / "client.qcf", "new"));
  ASSERT_TRUE(WriteFileAtomically(folder_ / "dangling.qcf", "first"));
  for (const char* link : {"client.qcf", "dangling.qcf"}) EXPECT_TRUE(fs::is_symlink(folder_ / link)) << link;
  EXPECT_EQ(ReadBytes(folder_ / "store" / "client.qcf"), "new");
  EXPECT_EQ(ReadBytes(folder_ / "store" / "new.qcf"), "first");
}

TEST_F(SafeWriterTest, TheNewFileHasTheOldOnesGroupAndModeEvenWhileItIsBeingWritten) {
  const fs::path file = folder_ / "client.qcf";
  WriteBytes(file, "old");
  ::chmod(file.c_str(), 0640);
  const bool root = ::geteuid() == 0;
  constexpr gid_t kNogroup = 65534;
  if (root) {
    ASSERT_EQ(::chown(file.c_str(), 0, kNogroup), 0);
  }
  // Killed by the file-size limit in the middle of the write: what it left behind is there
  // to look at, and the old file is whole.
  const pid_t child = ::fork();
  if (child == 0) {
    ::umask(022);
    std::signal(SIGXFSZ, SIG_DFL);
    rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    rlimit limit{64, 64};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    (void)WriteFileAtomically(file, std::string(4096, 'x'));
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(ReadBytes(file), "old");
  int partial = 0;
  for (const auto& entry : fs::directory_iterator(folder_)) {
    if (entry.path() == file) continue;
    ++partial;
    EXPECT_EQ(StatOf(entry.path()).st_mode & 0777, 0640u) << entry.path();
  }
  EXPECT_EQ(partial, 1);

  ASSERT_TRUE(WriteFileAtomically(file, "new"));
  const auto info = StatOf(file);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  if (root) {
    EXPECT_EQ(info.st_gid, kNogroup);
  }
}

}  // namespace
