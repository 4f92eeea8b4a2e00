#pragma once

#include "comm/frame_assembler.h"
#include "comm/line_pacer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tw::comm {

class LinkLog;
class Scheduler;
class SerialPort;

// The link's serial channel: the port, the assembly of received bytes into frames, the
// paced writes and the trace log of every frame. What a frame means is the link's business:
// completed frames go to the frame handler.
class SerialChannel {
 public:
  SerialChannel(SerialPort& port, Scheduler& scheduler);
  ~SerialChannel();
  SerialChannel(const SerialChannel&) = delete;
  SerialChannel& operator=(const SerialChannel&) = delete;

  // Receives every completed (normalised and logged) frame.
  void setFrameHandler(std::function<void(const std::string&)> handler) { onFrame_ = std::move(handler); }
  void setLog(LinkLog* log) { log_ = log; }
  LinkLog* log() const { return log_; }

  // False (and the reason logged) when the device cannot be opened.
  bool open(const std::string& device);
  // Closes the device (if open) and drops a partial frame.
  void close();
  bool isOpen() const;
  bool ctsOn() const;

  // Waits for the line and writes `frame` up to its first NUL, logging it; the text written,
  // or nothing when the port is not open or refused it. The caller then sets the pause.
  std::optional<std::string_view> send(std::string_view frame);
  // The pause after the frame just sent: held (received bytes wait for its end) or, for a
  // read paced by its reply, only reserved.
  void pauseAfter(std::string_view text, std::optional<int> wait, bool pacedByReply);
  LinePacer& pacer() { return pacer_; }
  const LinePacer& pacer() const { return pacer_; }

  // Reads and assembles every waiting byte; returns how many there were.
  int receive();
  // Drops a partial frame and waits for the next start byte.
  void resetReceiveBuffer();

  // When the frames being handled were read (now, outside a receive) and when the last
  // frame was written.
  std::int64_t readAt() const;
  std::int64_t lastWriteAt() const { return lastWriteAt_; }

  void logComment(std::string_view text);
  void logError(std::string_view text, int number);

 private:
  void logFrame(std::string_view frame, bool sent);

  SerialPort& port_;
  Scheduler& scheduler_;
  LinkLog* log_ = nullptr;
  std::function<void(const std::string&)> onFrame_;
  FrameAssembler rx_;
  LinePacer pacer_;
  bool receiveWaiting_ = false;  // bytes were announced while the channel held the line
  std::int64_t lastWriteAt_ = INT64_MIN / 2;
  std::optional<std::int64_t> chunkReadAt_;  // while receive works: when its bytes were read
  // The posted read after a pause checks this, so that none runs after the channel is gone.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace tw::comm
