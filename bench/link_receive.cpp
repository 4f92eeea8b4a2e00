// CPU cost of receiving and processing one frame on a connected Real Time link:
// byte-wise assembly, normalisation, the frame processor, decoding and applying.

#include "comm/link.h"
#include "comm/protocol.h"
#include "comm/serial_port.h"
#include "comm/virtual_scheduler.h"
#include "emu/emulator_port.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tw;

// Hands the same bytes to every read, once per notification.
class LoopbackPort final : public comm::SerialPort {
 public:
  bool open(const std::string&) override { return open_ = true; }
  void close() override { open_ = false; }
  bool isOpen() const override { return open_; }
  bool write(std::string_view) override { return open_; }
  std::string readAll() override { return incoming; }
  bool ctsOn() const override { return true; }
  void setReadyReadHandler(std::function<void()> handler) override { handler_ = std::move(handler); }
  std::string lastError() const override { return {}; }
  std::vector<std::string> availablePorts() const override { return {}; }
  void notify() { handler_(); }
  std::string incoming;

 private:
  bool open_ = false;
  std::function<void()> handler_;
};

// A Real Time link that has finished its start-up read against the virtual receiver; the
// port is then swapped for the loopback so that only the link's own work is measured.
void BM_ReceiveFrame(benchmark::State& state, std::string frame) {
  comm::VirtualScheduler scheduler;
  LoopbackPort port;
  comm::Link link(port, scheduler, comm::WorkingMode::RealTime);
  link.setLinkMode(comm::LinkMode::RealTime);
  port.open("loop");
  // Reach the connected state through the handshake's public steps.
  port.incoming.clear();
  link.OnFrame(std::string("\x12") + "R02100AE" + std::string(172, '0') + "\x03", true);
  while (link.linkState() != comm::LinkState::Connected && link.startCursor() < model::kRowCount) {
    const auto& row = model::kCommandTable[static_cast<std::size_t>(link.startCursor())];
    std::string prefix = row.replyPrefix;
    if (prefix.front() == comm::DC4) {
      const int length = std::stoi(prefix.substr(3, 2), nullptr, 16);
      prefix.resize(5 + static_cast<std::size_t>(length), '0');
      link.OnFrame(comm::CompleteExtended(prefix), true);
    } else {
      link.OnFrame(prefix.back() == comm::ETX ? prefix : prefix + "00\x03", true);
    }
  }
  if (link.linkState() != comm::LinkState::Connected) state.SkipWithError("not connected");
  port.incoming = frame;
  for (auto _ : state) {
    port.notify();
    benchmark::DoNotOptimize(link.images().Image(0));
  }
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(frame.size()));
}

BENCHMARK_CAPTURE(BM_ReceiveFrame, standard_volume_report, std::string("\x02" "0026C7\x03"));
BENCHMARK_CAPTURE(BM_ReceiveFrame, extended_dsp_reply, comm::CompleteExtended("\x14" "200B0210000E0" "1A"));
BENCHMARK_CAPTURE(BM_ReceiveFrame, extended_tuner_text, comm::CompleteExtended("\x14" "200D05000011" "087.50"));

}  // namespace
