// The probe command on serial devices: the virtual receiver of the emulate command, and ports
// it cannot use, each refused with its cause and what to do on one line.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <string>

#include "cli/cli_run.h"
#include "cli_child.h"

namespace tw::test {
namespace {

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// A pseudo-terminal whose other end this test holds: a serial device nobody else uses.
class Terminal {
 public:
  Terminal() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0) path_ = ptsname(master_);
  }
  ~Terminal() {
    if (master_ >= 0) ::close(master_);
  }
  const std::string& path() const { return path_; }

 private:
  int master_ = -1;
  std::string path_;
};

TEST(CliProbe, ReportsTheReceiverOfTheEmulateCommand) {
  Child emulate = Spawn({"emulate", "--emulator-option", "zone3=0", "--emulator-option", "region=0"});
  ASSERT_GT(emulate.pid, 0);
  // The first line on stdout is the device path.
  const std::string line =
      ReadUntil(emulate.out, [](const std::string& text) { return text.find('\n') != std::string::npos; });
  const std::string device = line.substr(0, line.find('\n'));
  const CliResult probe = device.empty() ? CliResult{} : RunCli("probe --port '" + device + "'");
  kill(emulate.pid, SIGTERM);
  WaitExit(emulate.pid);
  close(emulate.out);
  ASSERT_FALSE(device.empty());
  EXPECT_EQ(probe.status, 0) << probe.err;
  EXPECT_EQ(probe.out, "model R0210\nregion 0\nzone2 1\nzone3 0\nxm 1\naac 1\n");
}

TEST(CliProbe, AFolderIsNamedAsNoSerialPort) {
  TempFolder folder("probe");
  const CliResult probe = RunCli("probe --port '" + folder.path().string() + "'");
  EXPECT_EQ(probe.status, 1);
  EXPECT_EQ(probe.err.rfind("tunewright-cli: COM port error has occurred. " + folder.path().string() +
                                " is a folder, not a serial port.",
                            0),
            0u)
      << probe.err;
  EXPECT_EQ(probe.err.find('\n'), probe.err.size() - 1) << probe.err;
}

// File modes do not stop root: as root the probe runs as the unprivileged user "nobody".
TEST(CliProbe, ADeviceTheUserMayNotOpenIsPermissionDenied) {
  Terminal terminal;
  ASSERT_FALSE(terminal.path().empty());
  ASSERT_EQ(::chmod(terminal.path().c_str(), 0), 0);
  TempFolder folder("probe_denied");
  const std::string asNobody = ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
  const CliResult probe = RunCliIn(folder.path(), "probe --port '" + terminal.path() + "'", asNobody);
  EXPECT_EQ(probe.status, 1) << probe.err;
  EXPECT_TRUE(Contains(probe.err, terminal.path() + ": permission denied.")) << probe.err;
  // What to do: join the device's group, or ask for it to be given one.
  EXPECT_TRUE(Contains(probe.err, "sudo usermod -aG ") || Contains(probe.err, "ask the administrator"))
      << probe.err;
}

}  // namespace
}  // namespace tw::test
