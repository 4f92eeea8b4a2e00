#pragma once

#include <string>

namespace tw::comm {

// Collects received bytes into frames, one byte at a time.
//
// Collect mode appends every byte except NUL; a start byte (STX or DC4) (re)starts the
// frame timer, ETX completes the frame with whatever the buffer holds (bytes before the start
// byte included). Discard mode, entered by a reset, drops everything up to the next STX or
// DC4. A buffer that grows beyond the frame limit without ETX is reset.
class FrameAssembler {
 public:
  // What one byte caused.
  struct Step {
    bool restartTimer = false;  // a start byte arrived: (re)start the 450 ms frame timer
    bool stopTimer = false;     // ETX arrived
    bool frameReady = false;    // frame() holds a completed frame
    bool overflowed = false;    // the buffer was reset; discarded() holds what it held
  };

  Step push(char byte);

  // Drops the partial frame and enters discard mode; returns the dropped bytes.
  std::string reset();
  // Empties the buffer and returns to collect mode (a newly opened port).
  void clear();

  bool discarding() const { return discarding_; }
  const std::string& pending() const { return buffer_; }
  // The frame completed by the last push that reported frameReady.
  const std::string& frame() const { return frame_; }
  const std::string& discarded() const { return discarded_; }

 private:
  std::string buffer_;
  std::string frame_;
  std::string discarded_;
  bool discarding_ = false;
};

}  // namespace tw::comm
