#include "comm/serial_channel.h"

#include "comm/link_constants.h"
#include "comm/link_log.h"
#include "comm/log_comments.h"
#include "comm/protocol.h"
#include "comm/scheduler.h"
#include "comm/serial_port.h"

#include <exception>
#include <new>

namespace tw::comm {

SerialChannel::SerialChannel(SerialPort& port, Scheduler& scheduler)
    : port_(port), scheduler_(scheduler), pacer_(scheduler) {
  port_.setReadyReadHandler([this] { receive(); });
}

SerialChannel::~SerialChannel() {
  port_.setReadyReadHandler(nullptr);
  if (port_.isOpen()) port_.close();
}

bool SerialChannel::isOpen() const { return port_.isOpen(); }
bool SerialChannel::ctsOn() const { return port_.ctsOn(); }

void SerialChannel::logComment(std::string_view text) {
  if (log_) log_->WriteTrace(text, false, false);
}

void SerialChannel::logFrame(std::string_view frame, bool sent) {
  if (log_) log_->WriteTrace(frame, true, sent);
}

void SerialChannel::logError(std::string_view text, int number) {
  if (log_) log_->WriteErrorLog(text, number);
}

bool SerialChannel::open(const std::string& device) {
  rx_.clear();
  if (port_.open(device)) return true;
  logComment("open failed: " + port_.lastError());
  return false;
}

void SerialChannel::close() {
  if (port_.isOpen()) port_.close();
  scheduler_.killTimer(kFrameTimer);
  rx_.clear();
  receiveWaiting_ = false;
}

std::optional<std::string_view> SerialChannel::send(std::string_view frame) {
  if (!port_.isOpen()) return std::nullopt;
  pacer_.WaitForLine();
  // The frame is text: it ends at its first NUL, if any.
  const std::string_view text = frame.substr(0, frame.find('\0'));
  const bool written = port_.write(text);
  lastWriteAt_ = scheduler_.now();
  logFrame(text, true);
  if (!written) return std::nullopt;
  return text;
}

void SerialChannel::pauseAfter(std::string_view text, std::optional<int> wait, bool pacedByReply) {
  const int pause = LinePacer::PauseAfter(text, wait);
  if (pacedByReply) {
    pacer_.Reserve(pause);
    return;
  }
  pacer_.Hold(pause);
  if (receiveWaiting_) {
    // What arrived during the pause is read after it, as a separate event.
    receiveWaiting_ = false;
    std::weak_ptr<bool> alive = alive_;
    scheduler_.post([this, alive] {
      if (!alive.expired()) receive();
    });
  }
}

int SerialChannel::receive() {
  if (!port_.isOpen()) return 0;
  // While the line is held after a write, nothing received is handled: the bytes stay
  // with the port until the pause is over.
  if (pacer_.holding()) {
    receiveWaiting_ = true;
    return 0;
  }
  std::string bytes;
  try {
    bytes = port_.readAll();
  } catch (const std::bad_alloc&) {
    logComment("the out-of-memory exception");
    return 0;
  } catch (const std::exception&) {
    logComment("Handle all other types of exceptions");
    return 0;
  }

  // The frames of this burst were on hand at this time, whatever is written meanwhile.
  const std::optional<std::int64_t> outerReadAt = chunkReadAt_;
  chunkReadAt_ = scheduler_.now();
  for (char byte : bytes) {
    // A frame handled below may end the connection; what is left of the burst then
    // belongs to no connection.
    if (!port_.isOpen()) break;
    const FrameAssembler::Step step = rx_.push(byte);
    if (step.restartTimer) scheduler_.setTimer(kFrameTimer, kFrameTimeoutMs);
    if (step.stopTimer) scheduler_.killTimer(kFrameTimer);
    if (step.frameReady) {
      std::string frame = rx_.frame();
      NormaliseFrame(frame);
      logFrame(frame, false);
      if (onFrame_) onFrame_(frame);
    }
    if (step.overflowed) logComment(std::string(LogText(LogComment::ReceiveBufferReset)) + rx_.discarded());
  }
  chunkReadAt_ = outerReadAt;
  return static_cast<int>(bytes.size());
}

void SerialChannel::resetReceiveBuffer() {
  logComment(std::string(LogText(LogComment::ReceiveBufferReset)) + rx_.reset());
}

std::int64_t SerialChannel::readAt() const { return chunkReadAt_.value_or(scheduler_.now()); }

}  // namespace tw::comm
