// An upload over a pseudo-terminal, against tunewright-cli emulate, interrupted by real
// signals after the first System Memory load: the first interrupt starts the write-back of
// the receiver's own settings, the second stops it and leaves a recovery file, named with
// the command that restores the receiver.

#include <gtest/gtest.h>

#include <csignal>

#include "cli_child.h"
#include "cli_run.h"
#include "comm/frame_notation.h"
#include "comm/memory_commands.h"

namespace tw::test {
namespace {

std::function<bool(const std::string&)> Holds(const std::string& text) {
  return [text](const std::string& bytes) { return bytes.find(text) != std::string::npos; };
}

TEST(InterruptedUploadCli, ASecondInterruptLeavesARecoveryFileAndTheCommandThatRestores) {
  TempFolder dir("interrupted_upload");
  setenv("XDG_STATE_HOME", dir.path().c_str(), 1);
  const Child receiver = Spawn({"emulate", "--transcript", "--emulator-option", "seed=11"}, true);
  const std::string first = ReadUntil(receiver.out, Holds("\n"));
  const std::string device = first.substr(0, first.find('\n'));
  ASSERT_EQ(device.rfind("/dev/pts/", 0), 0u) << first;

  const std::string output = (dir.path() / "receiver.qcf").string();
  const Child upload = Spawn({"upload", "--port", device, "--pacing", "reply", "-o", output}, true);
  const std::string firstLoad = comm::ToNotation(comm::MemoryOperationCommand(1, comm::kMemorySystem, true));
  ASSERT_NE(ReadUntil(receiver.out, Holds(firstLoad), std::chrono::seconds(240)), "");
  kill(upload.pid, SIGINT);
  std::string said = ReadUntil(upload.out, Holds("interrupt again to stop at once"), std::chrono::seconds(30));
  kill(upload.pid, SIGINT);
  said += ReadUntil(upload.out, Holds("\x01"), std::chrono::seconds(30));  // to its end
  EXPECT_EQ(WaitExit(upload.pid), 128 + SIGINT) << said;

  std::vector<std::filesystem::path> recovery;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path() / "tunewright"))
    if (entry.path().extension() == ".qcf") recovery.push_back(entry.path());
  ASSERT_EQ(recovery.size(), 1u) << said;
  const std::string restore = "tunewright-cli download --port " + device + " --current-only " + recovery[0].string();
  EXPECT_NE(said.find("may now hold System Memory 1's settings"), std::string::npos) << said;
  EXPECT_NE(said.find(restore), std::string::npos) << said;
  EXPECT_FALSE(std::filesystem::exists(output));
  kill(receiver.pid, SIGTERM);
  ReadUntil(receiver.out, Holds("\x01"), std::chrono::seconds(30));
  EXPECT_EQ(WaitExit(receiver.pid), 0);
}

}  // namespace
}  // namespace tw::test
