#include "comm/frame_assembler.h"

#include "comm/protocol.h"

#include <utility>

namespace tw::comm {
namespace {

constexpr char kStx = '\x02';
constexpr char kEtx = '\x03';
constexpr char kDc4 = '\x14';

bool isStartByte(char byte) { return byte == kStx || byte == kDc4; }

}  // namespace

FrameAssembler::Step FrameAssembler::push(char byte) {
  Step step;
  if (byte == '\0') return step;
  if (discarding_) {
    if (!isStartByte(byte)) return step;
    buffer_ += byte;
    discarding_ = false;
    step.restartTimer = true;
    return step;
  }
  buffer_ += byte;
  if (isStartByte(byte)) step.restartTimer = true;
  if (byte == kEtx) {
    step.stopTimer = true;
    // A frame whose ETX would be byte 257 does not fit the limit: it goes the way of an
    // overflow rather than being handed on over-long.
    if (buffer_.size() <= kMaxFrameLength) {
      frame_ = std::move(buffer_);
      buffer_.clear();
      step.frameReady = true;
      return step;
    }
  }
  if (buffer_.size() > kMaxFrameLength) {
    discarded_ = reset();
    step.overflowed = true;
  }
  return step;
}

std::string FrameAssembler::reset() {
  std::string dropped = std::move(buffer_);
  buffer_.clear();
  discarding_ = true;
  return dropped;
}

void FrameAssembler::clear() {
  buffer_.clear();
  discarding_ = false;
}

}  // namespace tw::comm
