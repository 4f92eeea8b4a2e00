#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tw::comm {

class Link;

// The link's connection handshake: the receiver's status frame (model check, the settings it
// carries) and, in Real Time Mode, the start-up read of the command table, one row at a time.
class Handshake {
 public:
  explicit Handshake(Link& link) : link_(link) {}

  // 1 when `frame` is a status frame, which ends the wait for it.
  int onStatusFrame(std::string_view frame);
  // One frame of the start-up read. Sets `handOn` when the frame is to be applied by the
  // general frame processing as well.
  int onStartupFrame(std::string_view frame, bool& handOn);
  void SendNextStartupRow();
  int startCursor() const { return startCursor_; }
  // Model code of the last status frame (bytes 1-5), empty before any.
  const std::string& modelCode() const { return modelCode_; }

 private:
  void SetConnected();

  Link& link_;
  int startCursor_ = 0;
  std::int32_t savedProgram_ = 0;
  std::string modelCode_;
};

}  // namespace tw::comm
