#pragma once

#include "comm/link_constants.h"

#include <string_view>

namespace tw::comm {

// Where the link's communication logs go (the application's trace and error logs plug in
// here). Comment texts are UTF-8.
class LinkLog {
 public:
  virtual ~LinkLog() = default;

  // A frame written (frame = sent = true), a frame received (frame = true, sent = false)
  // or a comment line (both false).
  virtual void WriteTrace(std::string_view text, bool frame, bool sent) = 0;
  // A command the link gave up on or the receiver refused; number 564 = no parameter.
  virtual void WriteErrorLog(std::string_view text, int number) = 0;
  // Start and end of a connection or transfer (`linkMode` names the trace log).
  virtual void BeginTransferLog(LinkMode /*mode*/) {}
  virtual void EndTransferLog() {}
};

}  // namespace tw::comm
