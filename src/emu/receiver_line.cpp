#include "emu/receiver_line.h"

#include <algorithm>

#include "comm/protocol.h"

namespace tw::emu {
namespace {

constexpr std::int64_t kNsPerMs = 1'000'000;

}  // namespace

ReceiverLine::ReceiverLine(comm::Scheduler& clock, VirtualReceiver& receiver, const EmulatorConfig& config,
                           Transcript& transcript, Deliver deliver, std::int64_t originMs)
    : clock_(clock),
      receiver_(receiver),
      config_(config),
      transcript_(transcript),
      deliver_(std::move(deliver)),
      originMs_(originMs),
      rng_(config.faultSeed) {
  if (config_.knobIntervalMs > 0) {
    const std::int64_t first = nowNs() + config_.knobIntervalMs * kNsPerMs;
    at(first, [this, first] { turnKnob(first); });
  }
}

ReceiverLine::~ReceiverLine() { alive_.reset(); }

std::int64_t ReceiverLine::nowNs() const { return clock_.now() * kNsPerMs; }

bool ReceiverLine::cablePulledAt(std::int64_t ns) const {
  return config_.ctsOffAtMs >= 0 && ns >= (originMs_ + config_.ctsOffAtMs) * kNsPerMs;
}

bool ReceiverLine::ctsOn() const { return !cablePulledAt(nowNs()); }

// Runs `task` at `ns` on the clock's millisecond grid, unless the line is gone by then.
void ReceiverLine::at(std::int64_t ns, std::function<void()> task) {
  const std::int64_t delayNs = std::max<std::int64_t>(0, ns - nowNs());
  const auto delayMs = static_cast<int>(std::min<std::int64_t>((delayNs + kNsPerMs - 1) / kNsPerMs, 1 << 30));
  std::weak_ptr<int> alive = alive_;
  clock_.callAfter(delayMs, [alive, task = std::move(task)] {
    if (alive.lock()) task();
  });
}

bool ReceiverLine::draw(double rate) {
  if (rate <= 0.0 || nowNs() < (originMs_ + config_.faultsFromMs) * kNsPerMs) return false;
  return std::uniform_real_distribution<double>(0.0, 1.0)(rng_) < rate;
}

int ReceiverLine::drawInt(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

void ReceiverLine::fromTool(std::string_view bytes) {
  if (bytes.empty()) return;
  const std::int64_t now = nowNs();
  if (cablePulledAt(now)) {
    transcript_.add(
        {now / 1000, TranscriptEntry::Direction::ToReceiver, std::string(bytes), "lost: cable pulled", {}});
    return;
  }
  const std::int64_t start = std::max(now, toReceiverFreeNs_);
  const auto waiting = static_cast<std::size_t>((start - now + kByteNs - 1) / kByteNs);
  const std::size_t room = kMaxPendingBytes - std::min(waiting, kMaxPendingBytes);
  if (bytes.size() > room) {
    if (!dropping_) {
      transcript_.add(
          {now / 1000,
           TranscriptEntry::Direction::ToReceiver,
           {},
           "dropped: input beyond " + std::to_string(kMaxPendingBytes) + " bytes waiting for the line",
           {}});
    }
    dropping_ = true;
    bytes = bytes.substr(0, room);
    if (bytes.empty()) return;
  } else {
    dropping_ = false;
  }
  const std::int64_t end = start + static_cast<std::int64_t>(bytes.size()) * kByteNs;
  toReceiverFreeNs_ = end;
  // Forget arrivals long past; a pump never looks that far back.
  std::erase_if(arriving_,
                [now](const Interval& interval) { return interval.endNs < now - 60'000 * kNsPerMs; });
  arriving_.push_back({start, end});
  at(end, [this, text = std::string(bytes), start] { arrive(text, start); });
}

void ReceiverLine::arrive(std::string bytes, std::int64_t startNs) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    const std::int64_t ns = startNs + static_cast<std::int64_t>(i + 1) * kByteNs;
    if (c == '\0') continue;  // never part of a frame
    if (c == comm::STX || c == comm::DC4 || c == comm::DC2) {
      partial_.assign(1, c);  // a start byte abandons whatever came before
      continue;
    }
    if (partial_.empty()) continue;  // noise between frames
    partial_ += c;
    if (c == comm::ETX) {
      std::string frame;
      frame.swap(partial_);
      frameComplete(std::move(frame), ns);
    } else if (partial_.size() > kMaxFrame) {
      partial_.clear();
    }
  }
}

void ReceiverLine::frameComplete(std::string frame, std::int64_t atNs) {
  // A receiver that needs its pauses misses a command that began to arrive too soon after
  // its last answer ended.
  const std::int64_t startNs = atNs - static_cast<std::int64_t>(frame.size()) * kByteNs;
  const bool tooSoon = config_.minRequestGapMs > 0 && lastAnswerEndNs_ >= 0 &&
                       startNs - lastAnswerEndNs_ < config_.minRequestGapMs * kNsPerMs;
  const char* note = config_.silent ? "not answered: silent" : tooSoon ? "not answered: too soon after the last answer" : "";
  transcript_.add({atNs / 1000, TranscriptEntry::Direction::ToReceiver, frame, note, {}});
  if (config_.silent || tooSoon) return;
  const std::int64_t readyNs = atNs + config_.latencyMs * kNsPerMs;
  for (std::string& reply : receiver_.handleFrame(frame)) send(std::move(reply), readyNs, frame);
}

// Puts one answer through the faults and into the queue for the line.
void ReceiverLine::send(std::string frame, std::int64_t readyNs, const std::string& request) {
  if (draw(config_.dropRate)) {
    transcript_.add({readyNs / 1000, TranscriptEntry::Direction::FromReceiver, frame, "dropped", request});
    return;
  }
  std::string note;
  if (draw(config_.lateRate)) {
    readyNs += config_.lateMs * kNsPerMs;
    note = "late";
  }
  const int copies = draw(config_.duplicateRate) ? 2 : 1;
  for (int copy = 0; copy < copies; ++copy) {
    Outgoing out{readyNs, frame, {}, note, request};
    if (copy == 1) out.note += out.note.empty() ? "duplicate" : ", duplicate";
    auto addNote = [&out](const char* what) {
      out.note += out.note.empty() ? what : std::string(", ") + what;
    };
    if (draw(config_.nulRate) && out.bytes.size() > 2) {
      const int count = drawInt(1, 3);
      for (int i = 0; i < count; ++i) {
        const auto position = static_cast<std::size_t>(drawInt(1, static_cast<int>(out.bytes.size()) - 1));
        out.bytes.insert(position, 1, '\0');
      }
      addNote("NUL inside");
    }
    if (draw(config_.garbageRate)) {
      std::string garbage;
      const int count = drawInt(1, 8);
      while (static_cast<int>(garbage.size()) < count) {
        const char c = static_cast<char>(drawInt(1, 255));
        if (c != comm::STX && c != comm::ETX && c != comm::DC2 && c != comm::DC4) garbage += c;
      }
      out.bytes.insert(0, garbage);
      addNote("garbage before");
    }
    if (draw(config_.splitRate) && out.bytes.size() > 2) {
      const int pieces = drawInt(2, 3);
      for (int i = 1; i < pieces; ++i) {
        out.splits.push_back(static_cast<std::size_t>(drawInt(1, static_cast<int>(out.bytes.size()) - 1)));
      }
      std::sort(out.splits.begin(), out.splits.end());
      out.splits.erase(std::unique(out.splits.begin(), out.splits.end()), out.splits.end());
      addNote("split");
    }
    enqueue(std::move(out));
  }
}

// The receiver sends its frames in the order it makes them: a late one holds back whatever
// it has to say after it, as a slow receiver on a serial line does.
void ReceiverLine::enqueue(Outgoing outgoing) {
  if (!queue_.empty()) outgoing.readyNs = std::max(outgoing.readyNs, queue_.back().readyNs);
  const std::int64_t readyNs = outgoing.readyNs;
  queue_.push_back(std::move(outgoing));
  schedulePump(readyNs);
}

void ReceiverLine::schedulePump(std::int64_t atNs) {
  if (pumpAtNs_ >= 0 && pumpAtNs_ <= atNs) return;  // an earlier pump will look again
  pumpAtNs_ = atNs;
  at(atNs, [this, atNs] { pump(atNs); });
}

// Starts the next answer when it is due, the line is free and no frame is arriving.
void ReceiverLine::pump(std::int64_t atNs) {
  if (pumpAtNs_ == atNs) pumpAtNs_ = -1;
  if (queue_.empty()) return;
  if (cablePulledAt(atNs)) {
    for (Outgoing& lost : queue_) {
      transcript_.add(
          {atNs / 1000, TranscriptEntry::Direction::FromReceiver, lost.bytes, "lost: cable pulled", lost.request});
    }
    queue_.clear();
    return;
  }
  if (queue_.front().readyNs > atNs) return schedulePump(queue_.front().readyNs);
  if (toToolFreeNs_ > atNs) return schedulePump(toToolFreeNs_);
  for (const Interval& interval : arriving_) {
    if (interval.startNs < atNs && atNs < interval.endNs) return schedulePump(interval.endNs);
  }

  Outgoing out = std::move(queue_.front());
  queue_.pop_front();
  const std::int64_t start = atNs;
  const std::int64_t end = start + static_cast<std::int64_t>(out.bytes.size()) * kByteNs;
  toToolFreeNs_ = end;
  lastAnswerEndNs_ = end;
  std::vector<std::size_t> bounds = out.splits;
  bounds.push_back(out.bytes.size());
  std::size_t from = 0;
  for (std::size_t bound : bounds) {
    std::string chunk = out.bytes.substr(from, bound - from);
    const bool last = bound == out.bytes.size();
    const std::int64_t when = start + static_cast<std::int64_t>(bound) * kByteNs;
    TranscriptEntry entry{when / 1000, TranscriptEntry::Direction::FromReceiver, out.bytes, out.note, out.request};
    at(when, [this, chunk = std::move(chunk), last, entry = std::move(entry)]() mutable {
      if (last) transcript_.add(std::move(entry));
      if (deliver_) deliver_(std::move(chunk));
    });
    from = bound;
  }
  if (!queue_.empty()) schedulePump(end);
}

void ReceiverLine::turnKnob(std::int64_t atNs) {
  if (!cablePulledAt(atNs) && !config_.silent)
    send(receiver_.turnVolumeKnob(drawInt(0, 1) == 0 ? -1 : 1), atNs, {});
  const std::int64_t next = atNs + config_.knobIntervalMs * kNsPerMs;
  at(next, [this, next] { turnKnob(next); });
}

}  // namespace tw::emu
