#pragma once

#include <string>
#include <vector>

namespace tw::platform {

// Why a serial device could not be opened, in terms a user can act on.
enum class PortProblem {
  NoSuchDevice,      // nothing at that path (an adapter not plugged in, a typing error)
  NotADevice,        // a folder, a regular file, or a device that is no terminal
  PermissionDenied,  // the user may not open it (on Linux: not in the device's group)
  InUse,             // another program has it open
  Other,             // anything else; the system's own words are all there is
};

// What is known about a failed open.
struct PortFacts {
  std::string device;
  PortProblem problem = PortProblem::Other;
  std::string kind;          // NotADevice: "a folder", "a regular file", or empty (another device)
  std::string group;         // PermissionDenied: the group that owns the device ("dialout")
  bool groupMayOpen = true;  // that group may read and write it
  long holder = 0;           // InUse: the process holding it, when known
  std::string systemError;   // the system's own words
  std::vector<std::string> ports;  // the serial devices that exist
};

// Looks at `device` after an open of it failed with `systemError`: whether it exists, what
// it is, whether this user may open it and whether another program holds it. `ports` are
// the serial devices the system lists.
PortFacts DiagnosePort(const std::string& device, const std::string& systemError,
                       std::vector<std::string> ports);

// One paragraph: the cause and the remedy. Listed ports are cut to the first few.
std::string DescribePortProblem(const PortFacts& facts);

}  // namespace tw::platform
