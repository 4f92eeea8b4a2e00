#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tw::emu {

// Every frame that crossed the line, with the time it was complete at the far end.
struct TranscriptEntry {
  enum class Direction { ToReceiver, FromReceiver };
  std::int64_t timeUs;  // on the receiver's clock, microseconds
  Direction direction;
  std::string bytes;  // the frame as it travelled (faults included)
  std::string note;   // what happened to it: empty, or "dropped", "late", ...
  std::string request;  // from the receiver: the tool's frame it answers (empty for a report of its own)
};

class Transcript {
 public:
  void add(TranscriptEntry entry);
  const std::vector<TranscriptEntry>& entries() const { return entries_; }
  void clear() { entries_.clear(); }
  // Called with each entry as it is added (for example to print a session live).
  void setListener(std::function<void(const TranscriptEntry&)> listener) { listener_ = std::move(listener); }

  // Frames sent by the receiver (notes and faults left as they were).
  std::vector<std::string> sentFrames() const;
  std::vector<std::string> receivedFrames() const;

  // "   12.345 ms  tool > receiver  <STX>07A1D<ETX>" per entry, notes in brackets.
  static std::string Format(const TranscriptEntry& entry);
  std::string text() const;

 private:
  std::vector<TranscriptEntry> entries_;
  std::function<void(const TranscriptEntry&)> listener_;
};

}  // namespace tw::emu
