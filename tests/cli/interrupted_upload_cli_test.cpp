// An upload over a pseudo-terminal, against tunewright-cli emulate, interrupted by real
// signals after the first System Memory load: the first interrupt starts the write-back of
// the receiver's own settings, the second stops it and leaves a recovery file, named with
// the command that restores the receiver.

#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>

#include "cli_run.h"
#include "comm/frame_notation.h"
#include "comm/memory_commands.h"

extern char** environ;

namespace tw::test {
namespace {

struct Child {
  pid_t pid = -1;
  int out = -1;  // stdout and stderr
  std::string output;

  // Reads until the output holds `text`, at most `bound` (a limit, not a timing check).
  bool readUntil(const std::string& text, std::chrono::seconds bound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (output.find(text) == std::string::npos && std::chrono::steady_clock::now() < deadline) {
      pollfd waiting{out, POLLIN, 0};
      char buffer[4096];
      if (poll(&waiting, 1, 200) <= 0) continue;
      const ssize_t got = read(out, buffer, sizeof buffer);
      if (got <= 0) return false;
      output.append(buffer, static_cast<std::size_t>(got));
    }
    return output.find(text) != std::string::npos;
  }
  int exitStatus() {
    int raw = 0;
    readUntil("\x01", std::chrono::seconds(30));  // everything until the child closes its output
    return waitpid(pid, &raw, 0) == pid && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }
};

Child Spawn(std::vector<std::string> words) {
  int fds[2];
  Child child;
  if (pipe(fds) != 0) return child;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
  words.insert(words.begin(), TW_CLI_PATH);
  std::vector<char*> argv;
  for (auto& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  if (posix_spawn(&child.pid, TW_CLI_PATH, &actions, nullptr, argv.data(), environ) != 0) child.pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  child.out = fds[0];
  return child;
}

TEST(InterruptedUploadCli, ASecondInterruptLeavesARecoveryFileAndTheCommandThatRestores) {
  TempFolder dir("interrupted_upload");
  setenv("XDG_STATE_HOME", dir.path().c_str(), 1);
  Child receiver = Spawn({"emulate", "--transcript", "--emulator-option", "seed=11"});
  ASSERT_TRUE(receiver.readUntil("\n", std::chrono::seconds(10)));
  const std::string device = receiver.output.substr(0, receiver.output.find('\n'));
  ASSERT_EQ(device.rfind("/dev/pts/", 0), 0u) << receiver.output;

  const std::string output = (dir.path() / "receiver.qcf").string();
  Child upload = Spawn({"upload", "--port", device, "--pacing", "reply", "-o", output});
  const std::string firstLoad = comm::ToNotation(comm::MemoryOperationCommand(1, comm::kMemorySystem, true));
  ASSERT_TRUE(receiver.readUntil(firstLoad, std::chrono::seconds(240)));
  kill(upload.pid, SIGINT);
  ASSERT_TRUE(upload.readUntil("interrupt again to stop at once", std::chrono::seconds(30))) << upload.output;
  kill(upload.pid, SIGINT);
  EXPECT_EQ(upload.exitStatus(), 128 + SIGINT);

  std::vector<std::filesystem::path> recovery;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path() / "tunewright"))
    if (entry.path().extension() == ".qcf") recovery.push_back(entry.path());
  ASSERT_EQ(recovery.size(), 1u) << upload.output;
  const std::string restore = "tunewright-cli download --port " + device + " --current-only " + recovery[0].string();
  EXPECT_NE(upload.output.find("may now hold System Memory 1's settings"), std::string::npos) << upload.output;
  EXPECT_NE(upload.output.find(restore), std::string::npos) << upload.output;
  EXPECT_FALSE(std::filesystem::exists(output));
  kill(receiver.pid, SIGTERM);
  EXPECT_EQ(receiver.exitStatus(), 0);
}

}  // namespace
}  // namespace tw::test
