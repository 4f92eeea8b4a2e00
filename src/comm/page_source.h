#pragma once

#include "model/parameter_image.h"
#include "model/setting_key.h"

#include <string>

namespace tw::comm {

// What the transfer engine asks of the settings pages. A page queues its commands with
// Link::SendPacket(text, number); it never starts the batch itself here.
// The defaults stand for "no pages": nothing is queued, and the System Memory commands
// come from the receiver's fixed table (memory_commands.h).
class PageSource {
 public:
  virtual ~PageSource() = default;

  // Every sheet page, in sheet order, queues the write commands of all its parameters
  // that `sends` lets through, from `image` (the page operation QueueAll).
  virtual void QueueAll(model::ParameterImage& /*image*/, const model::SettingFilter& /*sends*/ = {}) {}

  // The System Memory page's command source: the operation command frame (STX .. ETX) that
  // loads (`load`) or saves memory 1..6 for part 0 System, 1 Main Volume, 2 Zone2 Volume,
  // 3 Zone3 Volume; empty for a memory or part out of range.
  virtual std::string MemoryCommand(int memory, int part, bool load) const;

  // The System Memory page's own queue operation for a download: queue every parameter of
  // `part` from `memoryImage`, then that part's save command for `memory`.
  virtual void QueueMemoryPart(int /*memory*/, int /*part*/, model::ParameterImage& /*memoryImage*/) {}
};

}  // namespace tw::comm
