// A complete Async upload (current settings and six System Memories) against the
// in-process virtual receiver on the virtual clock. Reports the virtual duration, the part
// of it that the mandated pauses and the wire alone account for, and (as the benchmark's
// CPU time) what the link and the receiver cost the processor.

#include "comm/comm_class.h"
#include "comm/link_view.h"
#include "comm/virtual_scheduler.h"
#include "emu/emulator_port.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tw;

// Counts the bytes that cross the line in either direction.
class CountingPort final : public comm::SerialPort {
 public:
  explicit CountingPort(comm::SerialPort& inner) : inner_(inner) {}
  bool open(const std::string& device) override { return inner_.open(device); }
  void close() override { inner_.close(); }
  bool isOpen() const override { return inner_.isOpen(); }
  bool write(std::string_view bytes) override {
    sent += static_cast<std::int64_t>(bytes.size());
    return inner_.write(bytes);
  }
  std::string readAll() override {
    std::string bytes = inner_.readAll();
    received += static_cast<std::int64_t>(bytes.size());
    return bytes;
  }
  bool ctsOn() const override { return inner_.ctsOn(); }
  void setReadyReadHandler(std::function<void()> handler) override { inner_.setReadyReadHandler(std::move(handler)); }
  std::string lastError() const override { return inner_.lastError(); }
  std::vector<std::string> availablePorts() const override { return inner_.availablePorts(); }
  std::int64_t sent = 0;
  std::int64_t received = 0;

 private:
  comm::SerialPort& inner_;
};

class DoneView final : public comm::LinkView {
 public:
  void CommandsFinished(int r) override { result = r; }
  void ConnectFinished(bool connected) override {
    if (!connected) result = 9;
  }
  int result = -1;
};

constexpr double kMsPerByte = 10.0 * 1000.0 / 9600.0;  // start bit, 8 data bits, stop bit

void BM_AsyncUpload(benchmark::State& state) {
  double virtualMs = 0, pauseMs = 0, wireMs = 0, frames = 0, received = 0;
  for (auto _ : state) {
    comm::VirtualScheduler scheduler;
    emu::EmulatorConfig config;
    config.settingsSeed = 3;
    emu::EmulatorPort emulator(scheduler, config);
    CountingPort port(emulator);
    DoneView view;
    comm::CCommClass link(port, scheduler, comm::WorkingMode::Async);
    link.setView(&view);
    const auto start = scheduler.now();
    link.Upload(comm::PortChoice::Fixed(emu::EmulatorPort::kDeviceName));
    scheduler.runUntil([&] { return view.result >= 0; }, 24LL * 60 * 60 * 1000);
    if (view.result != 0) state.SkipWithError("the upload did not complete");
    virtualMs = static_cast<double>(scheduler.now() - start);
    pauseMs = static_cast<double>(scheduler.pausedMs());
    wireMs = static_cast<double>(port.sent + port.received) * kMsPerByte;
    frames = static_cast<double>(port.sent);
    received = static_cast<double>(port.received);
  }
  state.counters["virtual_s"] = virtualMs / 1000.0;
  state.counters["pauses_s"] = pauseMs / 1000.0;
  state.counters["wire_s"] = wireMs / 1000.0;
  // The two overlap: a reply crosses the wire while the link pauses after its request.
  state.counters["pauses_share"] = pauseMs / virtualMs;
  state.counters["wire_share"] = wireMs / virtualMs;
  state.counters["bytes_sent"] = frames;
  state.counters["bytes_received"] = received;
}

BENCHMARK(BM_AsyncUpload)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
