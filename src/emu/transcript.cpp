#include "emu/transcript.h"

#include <cstdio>

#include "comm/frame_notation.h"

namespace tw::emu {

void Transcript::add(TranscriptEntry entry) {
  entries_.push_back(std::move(entry));
  if (listener_) listener_(entries_.back());
}

std::vector<std::string> Transcript::sentFrames() const {
  std::vector<std::string> frames;
  for (const TranscriptEntry& entry : entries_) {
    if (entry.direction == TranscriptEntry::Direction::FromReceiver && entry.note != "dropped") {
      frames.push_back(entry.bytes);
    }
  }
  return frames;
}

std::vector<std::string> Transcript::receivedFrames() const {
  std::vector<std::string> frames;
  for (const TranscriptEntry& entry : entries_) {
    if (entry.direction == TranscriptEntry::Direction::ToReceiver) frames.push_back(entry.bytes);
  }
  return frames;
}

std::string Transcript::Format(const TranscriptEntry& entry) {
  char time[40];
  std::snprintf(time, sizeof time, "%10lld.%03lld ms  ", static_cast<long long>(entry.timeUs / 1000),
                static_cast<long long>(entry.timeUs % 1000));
  std::string line = time;
  line +=
      entry.direction == TranscriptEntry::Direction::ToReceiver ? "tool > receiver  " : "receiver > tool  ";
  line += comm::ToNotation(entry.bytes);
  if (!entry.note.empty()) line += "  [" + entry.note + "]";
  return line;
}

std::string Transcript::text() const {
  std::string out;
  for (const TranscriptEntry& entry : entries_) out += Format(entry) + "\n";
  return out;
}

}  // namespace tw::emu
