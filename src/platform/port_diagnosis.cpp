#include "platform/port_diagnosis.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

namespace tw::platform {
namespace {

// More ports than this are summed up as "and N more".
constexpr std::size_t kListedPorts = 6;
// The group that may use serial ports on Debian and its relatives.
constexpr std::string_view kSerialGroup = "dialout";

std::string GroupName(gid_t gid) {
  if (const group* entry = ::getgrgid(gid); entry != nullptr && entry->gr_name != nullptr) return entry->gr_name;
  return std::string(kSerialGroup);
}

// The live process named in the lock file that Qt's serial port (and other serial programs)
// leave for `device`: "LCK.." and the device's name below /dev with '/' as '_', holding
// the process id as text. 0 when there is none, or it is this process.
long LockHolder(const std::string& device) {
  std::string name = device.rfind("/dev/", 0) == 0 ? device.substr(5) : device;
  std::replace(name.begin(), name.end(), '/', '_');
  std::error_code noTemp;
  const std::filesystem::path folders[] = {"/var/lock", "/etc/locks", "/var/spool/locks", "/var/spool/uucp",
                                           std::filesystem::temp_directory_path(noTemp)};
  for (const std::filesystem::path& folder : folders) {
    std::ifstream lock(folder / ("LCK.." + name));
    long pid = 0;
    if (!(lock >> pid) || pid <= 0 || pid == static_cast<long>(::getpid())) continue;
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM) return pid;
  }
  return 0;
}

std::string PortList(const std::vector<std::string>& ports) {
  std::string list;
  for (std::size_t i = 0; i < ports.size() && i < kListedPorts; ++i) list += (i == 0 ? "" : ", ") + ports[i];
  if (ports.size() > kListedPorts) list += " and " + std::to_string(ports.size() - kListedPorts) + " more";
  return list;
}

}  // namespace

PortFacts DiagnosePort(const std::string& device, const std::string& systemError, std::vector<std::string> ports) {
  PortFacts facts;
  facts.device = device;
  facts.systemError = systemError;
  facts.ports = std::move(ports);

  struct stat info {};
  if (::stat(device.c_str(), &info) != 0) {
    facts.problem = errno == EACCES ? PortProblem::PermissionDenied : PortProblem::NoSuchDevice;
    return facts;
  }
  facts.group = GroupName(info.st_gid);
  facts.groupMayOpen = (info.st_mode & S_IRGRP) != 0 && (info.st_mode & S_IWGRP) != 0;
  if (S_ISDIR(info.st_mode)) {
    facts.problem = PortProblem::NotADevice;
    facts.kind = "a folder";
    return facts;
  }
  if (!S_ISCHR(info.st_mode)) {
    facts.problem = PortProblem::NotADevice;
    facts.kind = S_ISREG(info.st_mode) ? "a regular file" : "";
    return facts;
  }

  // A device: try it the way the port does, without becoming its controlling terminal and
  // without waiting for a modem line.
  const int descriptor = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  const int error = errno;
  if (descriptor < 0) {
    if (error == EACCES || error == EPERM) {
      facts.problem = PortProblem::PermissionDenied;
    } else if (error == EBUSY) {
      facts.problem = PortProblem::InUse;
      facts.holder = LockHolder(device);
    } else if (error == ENOENT || error == ENODEV || error == ENXIO) {
      facts.problem = PortProblem::NoSuchDevice;
    }
    return facts;
  }
  const bool terminal = ::isatty(descriptor) != 0;
  ::close(descriptor);
  if (!terminal) {
    facts.problem = PortProblem::NotADevice;
    return facts;
  }
  // The device opens, so the port was refused for a reason of its own: another program's
  // lock on it is the one that remains.
  if (const long holder = LockHolder(device); holder != 0 || systemError.find("lock") != std::string::npos) {
    facts.problem = PortProblem::InUse;
    facts.holder = holder;
  }
  return facts;
}

std::string DescribePortProblem(const PortFacts& facts) {
  const std::string& device = facts.device;
  switch (facts.problem) {
    case PortProblem::NoSuchDevice:
      if (facts.ports.empty()) {
        return device + ": no such device, and this computer has no serial port at all. Plug in the USB serial "
                        "adapter (or check its cable), then try again.";
      }
      return device + ": no such device. The serial ports on this computer are " + PortList(facts.ports) +
             ": choose the one the receiver is connected to.";
    case PortProblem::NotADevice:
      return device + " is " + (facts.kind.empty() ? "" : facts.kind + ", ") +
             "not a serial port. Give the serial device the receiver is connected to" +
             (facts.ports.empty() ? std::string(".") : ", one of " + PortList(facts.ports) + ".");
    case PortProblem::PermissionDenied: {
      if (!facts.groupMayOpen) {
        return device + ": permission denied. Only its owner may open it: ask the administrator of this computer "
                        "to let the group \"" + std::string(kSerialGroup) + "\" use it.";
      }
      const std::string group = facts.group.empty() ? std::string(kSerialGroup) : facts.group;
      return device + ": permission denied. Your user may not use serial ports until it is in the group \"" +
             group + "\": run  sudo usermod -aG " + group + " $USER  then log out and log in again.";
    }
    case PortProblem::InUse:
      return device + " is in use by another program" +
             (facts.holder != 0 ? " (process " + std::to_string(facts.holder) + ")" : std::string()) +
             ". Close that program (a terminal program, another Tunewright) or choose another port.";
    case PortProblem::Other:
      break;
  }
  return device + ": " + (facts.systemError.empty() ? std::string("the port cannot be opened") : facts.systemError) +
         ". Check that it is the receiver's serial port and that no other program uses it.";
}

}  // namespace tw::platform
