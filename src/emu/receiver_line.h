#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "comm/scheduler.h"
#include "emu/emulator_options.h"
#include "emu/transcript.h"
#include "emu/virtual_receiver.h"

namespace tw::emu {

// The serial line between the tool and the virtual receiver, on a Scheduler's clock:
// 9600 baud 8N1 (about 1.04 ms a byte) in both directions, the receiver's latency, no
// answer started while a frame from the tool is still arriving, and the configured faults.
// Only callAfter() is used on the clock, so the tool's timers are left alone.
class ReceiverLine {
 public:
  // Receives bytes for the tool, in the order and at the moment they arrive there.
  using Deliver = std::function<void(std::string bytes)>;

  static constexpr std::int64_t kByteNs = 1'041'667;  // 10 bits at 9600 baud
  static constexpr std::size_t kMaxFrame = 256;
  // Bytes from the tool that may wait for the line at once (a receiver's input buffer);
  // more are dropped and said in the transcript, so that a flood cannot keep the line busy
  // for hours.
  static constexpr std::size_t kMaxPendingBytes = 4096;

  // `originMs` is the clock time the receiver was switched on (cts-off-at counts from it).
  ReceiverLine(comm::Scheduler& clock, VirtualReceiver& receiver, const EmulatorConfig& config,
               Transcript& transcript, Deliver deliver, std::int64_t originMs);
  ~ReceiverLine();
  ReceiverLine(const ReceiverLine&) = delete;
  ReceiverLine& operator=(const ReceiverLine&) = delete;

  // Bytes the tool writes now.
  void fromTool(std::string_view bytes);
  // False once the cable counts as pulled.
  bool ctsOn() const;

 private:
  struct Outgoing {
    std::int64_t readyNs;
    std::string bytes;
    std::vector<std::size_t> splits;  // byte positions where the tool gets a new read
    std::string note;
    std::string request;  // the tool's frame this answers
  };
  struct Interval {
    std::int64_t startNs;
    std::int64_t endNs;
  };

  std::int64_t nowNs() const;
  bool cablePulledAt(std::int64_t ns) const;
  void at(std::int64_t ns, std::function<void()> task);
  void arrive(std::string bytes, std::int64_t firstByteEndNs);
  void frameComplete(std::string frame, std::int64_t atNs);
  void send(std::string frame, std::int64_t readyNs, const std::string& request);
  void enqueue(Outgoing outgoing);
  void pump(std::int64_t atNs);
  void schedulePump(std::int64_t atNs);
  void turnKnob(std::int64_t atNs);
  bool draw(double rate);
  int drawInt(int lo, int hi);

  comm::Scheduler& clock_;
  VirtualReceiver& receiver_;
  EmulatorConfig config_;
  Transcript& transcript_;
  Deliver deliver_;
  std::int64_t originMs_;
  std::mt19937 rng_;
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);

  std::int64_t toReceiverFreeNs_ = 0;  // the tool's side of the line is busy until then
  std::int64_t toToolFreeNs_ = 0;      // the receiver's side
  std::vector<Interval> arriving_;     // when bytes from the tool are on the line
  std::string partial_;                // frame being received
  std::deque<Outgoing> queue_;         // answers waiting for the line, in the order they were made
  std::int64_t pumpAtNs_ = -1;         // earliest pending pump
  std::int64_t lastAnswerEndNs_ = -1;  // when the last answer's last byte left (min-gap)
  bool dropping_ = false;              // input is being dropped (said once per flood)
};

}  // namespace tw::emu
