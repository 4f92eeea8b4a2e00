// libFuzzer target: the receive path. A Real Time open, an upload or a download runs on the
// virtual clock against the virtual receiver, and the input decides what becomes of each
// answer on its way back: passed on late, cut into pieces that arrive at their own times,
// replaced or surrounded by arbitrary bytes, or lost. Once the input is used up the cable
// counts as pulled (so that a run costs what its input says). Besides crashes, undefined
// behaviour and hangs it checks that
//  - every frame the link hands on ends with ETX, holds no NUL and fits the frame limit;
//  - the operation ends (connected or not, list finished or failed) within its time;
//  - an upload that did not complete leaves every image as it was, and a download changes
//    none of them;
//  - afterwards the link connects again on a clean line with the cable back in.
#include "comm/link_harness.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

using namespace tw::comm;
using tw::comm::test::FakePort;
using tw::comm::test::RecordingLog;
using tw::comm::test::RecordingView;

constexpr std::int64_t kOperationLimitMs = 12LL * 3600 * 1000;
constexpr std::int64_t kReconnectLimitMs = 60000;
constexpr int kCleanDelayMs = 20;
constexpr int kLongestDelayMs = 8000;
// After this, nothing the input scheduled is still on its way.
constexpr int kFlushMs = 3 * kLongestDelayMs;

enum class Operation { Open, Upload, Download };

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "receive_fuzz: %s\n", what);
  __builtin_trap();
}

// The line between the virtual receiver and the link, damaged as the input says.
class DamagedLine {
 public:
  DamagedLine(FakePort& port, FuzzedDataProvider& input)
      : port_(port), input_(input), receiver_(tw::emu::EmulatorConfig{}) {
    port_.onWrite = [this](const std::string& frame) { answer(frame); };
  }

  void heal() {
    clean_ = true;
    port_.cts = true;
  }

 private:
  void answer(const std::string& frame) {
    std::string reply;
    for (const std::string& part : receiver_.handleFrame(frame)) reply += part;
    if (clean_) {
      if (!reply.empty()) port_.receiveAfter(kCleanDelayMs, reply);
      return;
    }
    if (input_.remaining_bytes() == 0) {
      port_.cts = false;
      return;
    }
    switch (input_.ConsumeIntegralInRange<int>(0, 5)) {
      case 0:  // on time
        if (!reply.empty()) port_.receiveAfter(kCleanDelayMs, reply);
        break;
      case 1:  // late
        port_.receiveAfter(delay(), reply);
        break;
      case 2:  // in pieces
        deliverInPieces(reply);
        break;
      case 3:  // something else instead
        deliverInPieces(input_.ConsumeRandomLengthString(300));
        break;
      case 4: {  // something else around it
        const std::string before = input_.ConsumeRandomLengthString(40);
        const std::string after = input_.ConsumeRandomLengthString(40);
        deliverInPieces(before + reply + after);
        break;
      }
      default:  // lost
        break;
    }
  }

  int delay() { return input_.ConsumeIntegralInRange<int>(0, kLongestDelayMs); }

  void deliverInPieces(const std::string& bytes) {
    int at = 0;
    std::size_t from = 0;
    while (from < bytes.size()) {
      const std::size_t length =
          input_.remaining_bytes() == 0 ? bytes.size() - from
                                        : input_.ConsumeIntegralInRange<std::size_t>(1, bytes.size() - from);
      at = std::min(at + input_.ConsumeIntegralInRange<int>(0, 600), kLongestDelayMs);
      port_.receiveAfter(at, bytes.substr(from, length));
      from += length;
    }
  }

  FakePort& port_;
  FuzzedDataProvider& input_;
  tw::emu::VirtualReceiver receiver_;
  bool clean_ = false;
};

struct LinkUnderTest {
  explicit LinkUnderTest(WorkingMode mode) : port(scheduler), link(port, scheduler, mode) {
    link.setObserver(&view);
    link.setLog(&log);
  }
  VirtualScheduler scheduler;
  FakePort port;
  RecordingView view;
  RecordingLog log;
  Link link;
};

bool Ended(Operation operation, const RecordingView& view) {
  if (view.connectResults.empty()) return false;
  return operation == Operation::Open || !view.connectResults.back() || !view.commandResults.empty();
}

void CheckFrames(const RecordingLog& log) {
  for (const std::string& frame : log.received) {
    if (frame.empty() || frame.back() != ETX) Fail("a frame handed on without ETX");
    if (frame.size() > kMaxFrameLength) Fail("a frame handed on beyond the frame limit");
    if (frame.find('\0') != std::string::npos) Fail("a frame handed on with a NUL byte");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const auto operation = static_cast<Operation>(input.ConsumeIntegralInRange<int>(0, 2));
  LinkUnderTest bench(operation == Operation::Open ? WorkingMode::RealTime : WorkingMode::Async);
  DamagedLine line(bench.port, input);
  const auto before = bench.link.images().All();

  const PortChoice port = PortChoice::Fixed("ttyA");
  if (operation == Operation::Open) bench.link.Open(port);
  if (operation == Operation::Upload) bench.link.Upload(port);
  if (operation == Operation::Download) bench.link.Download(port);
  if (!bench.scheduler.runUntil([&] { return Ended(operation, bench.view); }, kOperationLimitMs)) {
    Fail("the operation never ended");
  }
  CheckFrames(bench.log);

  const bool completed = bench.view.connectResults.back() &&
                         (operation == Operation::Open ||
                          bench.view.commandResults.back() == static_cast<int>(ListResult::Completed));
  if (operation == Operation::Upload && !completed && bench.link.images().All() != before) {
    Fail("an upload that did not complete changed the images");
  }
  if (operation == Operation::Download && bench.link.images().All() != before) Fail("a download changed the images");

  // Whatever came before, a clean line connects again.
  bench.link.Close();
  line.heal();
  bench.scheduler.advance(kFlushMs);
  bench.link.setLinkMode(LinkMode::Download);
  if (!bench.link.PortOpen("ttyA") ||
      !bench.scheduler.runUntil([&] { return bench.link.linkState() == LinkState::Connected; }, kReconnectLimitMs)) {
    Fail("no connection on a clean line after the run");
  }
  return 0;
}
