// tunewright-cli emulate run as a user runs it: the device path on stdout, the link, a
// status frame over the terminal, and a clean end on SIGTERM.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>

#include "comm/protocol.h"
#include "cli_child.h"
#include "emu/receiver_test_support.h"

namespace {

using tw::test::Child;
using tw::test::ReadUntil;
using tw::test::Spawn;
using tw::test::WaitExit;

TEST(CliEmulate, ServesOnAPseudoTerminalUntilTerminated) {
  const std::filesystem::path link =
      std::filesystem::temp_directory_path() / ("tw-emulate-test-" + std::to_string(getpid()));
  std::filesystem::remove(link);
  Child child = Spawn({"emulate", "--link", link.string(), "--emulator-option", "model=R0210",
                       "--emulator-option", "region=0"});
  ASSERT_GT(child.pid, 0);
  const std::string line =
      ReadUntil(child.out, [](const std::string& text) { return text.find('\n') != std::string::npos; });
  ASSERT_FALSE(line.empty());
  const std::string device = line.substr(0, line.find('\n'));
  EXPECT_EQ(device.rfind("/dev/pts/", 0), 0u) << device;
  ASSERT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(std::filesystem::read_symlink(link).string(), device);

  const int fd = open(link.c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(fd, 0);
  termios settings{};
  tcgetattr(fd, &settings);
  cfmakeraw(&settings);
  tcsetattr(fd, TCSANOW, &settings);
  std::string opening;
  for (const char* code : {"20000", "07A1D", "07A1D", "07E82"}) opening += tw::emu::test::Std(code);
  ASSERT_EQ(write(fd, opening.data(), opening.size()), static_cast<ssize_t>(opening.size()));
  const std::string status =
      ReadUntil(fd, [](const std::string& bytes) { return bytes.find('\x03') != std::string::npos; });
  EXPECT_TRUE(tw::comm::IsStatusFrame(status)) << status;
  EXPECT_TRUE(tw::comm::IsSupportedModel(status));
  const std::string region = tw::emu::test::ReadOf(0);
  ASSERT_EQ(write(fd, region.data(), region.size()), static_cast<ssize_t>(region.size()));
  const std::string answer =
      ReadUntil(fd, [](const std::string& bytes) { return !bytes.empty() && bytes.back() == '\x03'; });
  EXPECT_EQ(answer, tw::emu::test::AnswerOf(0, "00000"));
  close(fd);

  kill(child.pid, SIGTERM);
  EXPECT_EQ(WaitExit(child.pid), 0);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
  close(child.out);
}

TEST(CliEmulate, BadEmulatorOptionIsBadUsage) {
  Child child = Spawn({"emulate", "--emulator-option", "region=7"});
  ASSERT_GT(child.pid, 0);
  EXPECT_EQ(WaitExit(child.pid), 2);
  close(child.out);
}

// Whatever stands at the --link path (a file, another run's link) stays as it is.
TEST(CliEmulate, RefusesToReplaceAnythingAtTheLinkPath) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("tw-emulate-taken-" + std::to_string(getpid()));
  for (const bool link : {false, true}) {
    std::filesystem::remove(path);
    if (link) {
      std::filesystem::create_symlink("/dev/pts/other", path);
    } else {
      std::FILE* file = std::fopen(path.c_str(), "w");
      ASSERT_NE(file, nullptr);
      std::fclose(file);
    }
    Child child = Spawn({"emulate", "--link", path.string()});
    ASSERT_GT(child.pid, 0);
    EXPECT_EQ(WaitExit(child.pid), 2) << link;
    if (link) {
      EXPECT_EQ(std::filesystem::read_symlink(path).string(), "/dev/pts/other");
    } else {
      EXPECT_TRUE(std::filesystem::is_regular_file(path));
    }
    close(child.out);
  }
  std::filesystem::remove(path);
}

// Ctrl+C, kill and a closed terminal all end the run cleanly and take its link away; a link
// that another run put in its place meanwhile stays.
TEST(CliEmulate, EveryStopSignalRemovesItsOwnLinkAndNoOther) {
  const std::filesystem::path link =
      std::filesystem::temp_directory_path() / ("tw-emulate-stop-" + std::to_string(getpid()));
  for (const bool replaced : {false, true}) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
      std::filesystem::remove(link);
      Child child = Spawn({"emulate", "--link", link.string()});
      ASSERT_GT(child.pid, 0);
      ReadUntil(child.out, [](const std::string& text) { return text.find('\n') != std::string::npos; });
      ASSERT_TRUE(std::filesystem::is_symlink(link));
      if (replaced) {
        std::filesystem::remove(link);
        std::filesystem::create_symlink("/dev/pts/other", link);
      }
      kill(child.pid, signal);
      EXPECT_EQ(WaitExit(child.pid), 0) << signal;
      EXPECT_EQ(std::filesystem::is_symlink(std::filesystem::symlink_status(link)), replaced) << signal;
      close(child.out);
    }
  }
  std::filesystem::remove(link);
}

}  // namespace
