#pragma once

#include <string>

namespace tw::comm {

// What a port says when its device went away during a connection (a USB adapter pulled out),
// shown after the cable message.
inline std::string DeviceGoneText(const std::string& device) {
  return "The serial device " + device +
         " is gone: was its USB adapter pulled out? Plug it in again, choose its port and try again.";
}

}  // namespace tw::comm
