// The virtual receiver on a pseudo-terminal, driven through a raw file descriptor with
// its own line settings, as a serial program drives a real port.

#include "emu/pty_server.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

#include "comm/protocol.h"
#include "receiver_test_support.h"

namespace tw::emu {
namespace {

using test::ReadOf;
using test::Std;

// Opens the device as a serial program would: raw, 9600 baud.
int openRaw(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
  if (fd < 0) return -1;
  termios settings{};
  ::tcgetattr(fd, &settings);
  ::cfmakeraw(&settings);
  ::cfsetispeed(&settings, B9600);
  ::cfsetospeed(&settings, B9600);
  ::tcsetattr(fd, TCSANOW, &settings);
  return fd;
}

// Reads until `complete` says the bytes hold what is awaited, or the deadline passes
// (a bound on waiting for I/O, not a timing assertion).
std::string readUntil(int fd, const std::function<bool(const std::string&)>& complete) {
  std::string bytes;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!complete(bytes) && std::chrono::steady_clock::now() < deadline) {
    pollfd waiting{fd, POLLIN, 0};
    if (::poll(&waiting, 1, 200) <= 0) continue;
    char buffer[512];
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got > 0) bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return bytes;
}

bool writeAll(int fd, const std::string& bytes) {
  return ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

class PtyServerTest : public ::testing::Test {
 protected:
  void start(const EmulatorConfig& config) {
    server = std::make_unique<PtyServer>(config);
    ASSERT_TRUE(server->open()) << server->error();
    ASSERT_EQ(server->devicePath().rfind("/dev/", 0), 0u) << server->devicePath();
    serving = std::thread([this] { served = server->run(); });
  }
  void TearDown() override {
    if (server) server->requestStop();
    if (serving.joinable()) serving.join();
  }

  std::unique_ptr<PtyServer> server;
  std::thread serving;
  bool served = false;
};

TEST_F(PtyServerTest, OpeningSequenceGetsTheStatusFrameOverTheTerminal) {
  start(EmulatorConfig{});
  const int fd = openRaw(server->devicePath());
  ASSERT_GE(fd, 0);
  for (const char* code : {"20000", "07A1D", "07A1D", "07E82"}) ASSERT_TRUE(writeAll(fd, Std(code)));
  const std::string status =
      readUntil(fd, [](const std::string& bytes) { return bytes.find('\x03') != std::string::npos; });
  EXPECT_TRUE(comm::IsStatusFrame(status));
  EXPECT_TRUE(comm::IsSupportedModel(status));
  EXPECT_EQ(status, server->receiver().statusFrame());

  // A read and a write with their answers.
  ASSERT_TRUE(writeAll(fd, test::WriteOf(439, "1B")));
  ASSERT_TRUE(writeAll(fd, ReadOf(439)));
  const std::string answers = readUntil(
      fd, [](const std::string& bytes) { return std::count(bytes.begin(), bytes.end(), '\x03') >= 2; });
  EXPECT_EQ(answers, test::AnswerOf(439, "1B") + test::AnswerOf(439, "1B"));
  ::close(fd);

  server->requestStop();
  serving.join();
  EXPECT_TRUE(served);
  EXPECT_EQ(server->transcript().receivedFrames().size(), 6u);
  EXPECT_EQ(server->transcript().sentFrames().size(), 3u);
}

TEST_F(PtyServerTest, TheTerminalIsForItsUserAlone) {
  start(EmulatorConfig{});
  struct stat info {};
  ASSERT_EQ(::stat(server->devicePath().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(PtyServerTest, ServesTheNextProgramAfterTheFirstClosed) {
  EmulatorConfig config;
  config.tunerRegion = 0;
  start(config);
  for (int session = 0; session < 2; ++session) {
    const int fd = openRaw(server->devicePath());
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(writeAll(fd, ReadOf(0)));
    const std::string answer =
        readUntil(fd, [](const std::string& bytes) { return !bytes.empty() && bytes.back() == '\x03'; });
    EXPECT_EQ(answer, test::AnswerOf(0, "00000")) << "session " << session;
    ::close(fd);
  }
}

}  // namespace
}  // namespace tw::emu
