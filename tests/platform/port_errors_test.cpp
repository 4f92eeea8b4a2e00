// A port that cannot be opened says why, and what to do, through the production backend:
// no such device (with the ports that exist), not a serial device, permission denied (with
// how to join the group), in use by another program; and the probe command prints it.

#include "platform/port_diagnosis.h"
#include "platform/qserial_port.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace tw::platform {
namespace {

namespace fs = std::filesystem;

void EnsureApp() {
  static int argc = 1;
  static char name[] = "tw_test_platform";
  static char* argv[] = {name, nullptr};
  if (QCoreApplication::instance() == nullptr) new QCoreApplication(argc, argv);
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

class ScratchFolder {
 public:
  ScratchFolder() : path_(fs::temp_directory_path() / ("tw_port_errors_" + std::to_string(::getpid()))) {
    fs::create_directories(path_);
  }
  ~ScratchFolder() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(PortErrors, EachCauseIsNamedWithWhatToDo) {
  EnsureApp();
  ScratchFolder folder;
  const std::string file = (folder.path() / "settings.qcf").string();
  std::ofstream(file) << "[User Memo]\r\n";
  Terminal terminal;
  ASSERT_FALSE(terminal.path().empty());
  QSerialPortBackend holder;
  ASSERT_TRUE(holder.open(terminal.path())) << holder.lastError();

  struct Case {
    std::string device;
    std::string cause;
    std::string remedy;
  };
  const Case cases[] = {
      {"/dev/tunewright-no-such-device", "/dev/tunewright-no-such-device: no such device.", "serial port"},
      {file, file + " is a regular file, not a serial port.", "Give the serial device the receiver is connected to"},
      {folder.path().string(), folder.path().string() + " is a folder, not a serial port.", "Give the serial device"},
      {"/dev/null", "/dev/null is not a serial port.", "Give the serial device"},
      {terminal.path(), terminal.path() + " is in use by another program", "Close that program"},
  };
  for (const Case& c : cases) {
    QSerialPortBackend port;
    EXPECT_FALSE(port.open(c.device)) << c.device;
    EXPECT_FALSE(port.isOpen()) << c.device;
    EXPECT_TRUE(Contains(port.lastError(), c.cause)) << port.lastError();
    EXPECT_TRUE(Contains(port.lastError(), c.remedy)) << port.lastError();
    EXPECT_FALSE(Contains(port.lastError(), "\n")) << "one paragraph: " << port.lastError();
  }
  EXPECT_TRUE(holder.isOpen()) << "a refused second open leaves the first one working";
}

TEST(PortErrors, AMissingDeviceListsThePortsThatExist) {
  PortFacts facts;
  facts.device = "/dev/ttyUSB3";
  facts.problem = PortProblem::NoSuchDevice;
  facts.ports = {"/dev/ttyS0", "/dev/ttyUSB0"};
  EXPECT_EQ(DescribePortProblem(facts),
            "/dev/ttyUSB3: no such device. The serial ports on this computer are /dev/ttyS0, /dev/ttyUSB0: choose "
            "the one the receiver is connected to.");
  facts.ports = {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3", "/dev/ttyS4", "/dev/ttyS5", "/dev/ttyS6",
                 "/dev/ttyUSB0"};
  EXPECT_TRUE(Contains(DescribePortProblem(facts), "/dev/ttyS5 and 2 more:")) << DescribePortProblem(facts);
  facts.ports.clear();
  EXPECT_TRUE(Contains(DescribePortProblem(facts), "no serial port at all. Plug in the USB serial adapter"));

  // What the backend finds on this machine is what it lists.
  EXPECT_EQ(DiagnosePort("/dev/tunewright-no-such-device", "", {"/dev/ttyS9"}).ports,
            std::vector<std::string>{"/dev/ttyS9"});
  EXPECT_EQ(DiagnosePort("/dev/tunewright-no-such-device", "", {}).problem, PortProblem::NoSuchDevice);
}

// The message is tested at the seam, where the cause is given; the real refusal needs an
// unprivileged user, since file modes do not stop root.
TEST(PortErrors, PermissionDeniedSaysHowToJoinTheDevicesGroup) {
  PortFacts facts;
  facts.device = "/dev/ttyUSB0";
  facts.problem = PortProblem::PermissionDenied;
  facts.group = "dialout";
  EXPECT_EQ(DescribePortProblem(facts),
            "/dev/ttyUSB0: permission denied. Your user may not use serial ports until it is in the group "
            "\"dialout\": run  sudo usermod -aG dialout $USER  then log out and log in again.");
  facts.group = "uucp";  // other systems name the group differently
  EXPECT_TRUE(Contains(DescribePortProblem(facts), "sudo usermod -aG uucp $USER"));
}

}  // namespace
}  // namespace tw::platform
