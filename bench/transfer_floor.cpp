// Whole transfers through the whole program (the Workbench: link, main view, every page)
// against the in-process virtual receiver on the virtual clock: a full Async upload, a
// full download and the Real Time start-up read (Open), with both pacings of the reads.
//
// Each reports its virtual duration and the floor that the receiver sets for the commands
// the link actually wrote: per command the longer of the pause the link held after it and
// the command's wire time plus the receiver's latency plus its answer's wire time, plus any
// hold that followed the answer (the settle after a status frame). Memory waits are pauses
// and so are included. virtual / floor is then the tool's own share of the time.

#include "app/app_settings.h"
#include "comm/link_log.h"
#include "comm/virtual_scheduler.h"
#include "session/workbench.h"
#include "support/scripted_ui_services.h"
#include "ui/dialogs/dialog.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace tw;
using Operation = session::Workbench::Operation;

constexpr double kMsPerByte = 10.0 * 1000.0 / 9600.0;  // start bit, 8 data bits, stop bit

// One command as it crossed the line.
struct CommandOnLine {
  std::size_t bytes = 0;
  std::size_t answerBytes = 0;
  bool answered = false;
  double pauseBeforeAnswer = 0;  // held before the answer was read
  double holdAfterAnswer = 0;    // held once it was in (a settle)
};

// The virtual clock, with every pause the link holds recorded against the command on the line.
class RecordingScheduler final : public comm::Scheduler {
 public:
  void setTimerHandler(TimerHandler handler) override { clock.setTimerHandler(std::move(handler)); }
  void setTimer(int id, int ms) override { clock.setTimer(id, ms); }
  void killTimer(int id) override { clock.killTimer(id); }
  bool isTimerActive(int id) const override { return clock.isTimerActive(id); }
  void pause(int ms) override {
    if (!commands.empty()) {
      CommandOnLine& command = commands.back();
      (command.answered ? command.holdAfterAnswer : command.pauseBeforeAnswer) += ms;
    }
    clock.pause(ms);
  }
  void post(Task task) override { clock.post(std::move(task)); }
  void callAfter(int ms, Task task) override { clock.callAfter(ms, std::move(task)); }
  std::int64_t now() const override { return clock.now(); }

  comm::VirtualScheduler clock;
  std::vector<CommandOnLine> commands;
};

// Sees every frame the link writes and reads, and hands everything on to the program's log.
class FrameTap final : public comm::LinkLog {
 public:
  FrameTap(comm::LinkLog& inner, RecordingScheduler& recorder) : inner_(inner), recorder_(recorder) {}
  void WriteTrace(std::string_view text, bool frame, bool sent) override {
    if (frame && sent) recorder_.commands.push_back({text.size()});
    if (frame && !sent && !recorder_.commands.empty()) {
      recorder_.commands.back().answerBytes += text.size();
      recorder_.commands.back().answered = true;
    }
    inner_.WriteTrace(text, frame, sent);
  }
  void WriteErrorLog(std::string_view text, int number) override { inner_.WriteErrorLog(text, number); }
  void BeginTransferLog(comm::LinkMode mode) override { inner_.BeginTransferLog(mode); }
  void EndTransferLog() override { inner_.EndTransferLog(); }

 private:
  comm::LinkLog& inner_;
  RecordingScheduler& recorder_;
};

class NoDialogs final : public ui::DialogHost {
 public:
  void showDialog(ui::Dialog&) override {}
  void hideDialog(ui::Dialog&) override {}
};

double FloorMs(const std::vector<CommandOnLine>& commands, int latencyMs) {
  double floor = 0;
  for (const CommandOnLine& command : commands) {
    double line = static_cast<double>(command.bytes) * kMsPerByte;
    if (command.answered) line += latencyMs + static_cast<double>(command.answerBytes) * kMsPerByte;
    floor += std::max(command.pauseBeforeAnswer, line) + command.holdAfterAnswer;
  }
  return floor;
}

struct Measured {
  double virtualMs = 0;
  double floorMs = 0;
  std::size_t commands = 0;
  bool ok = false;
};

// Runs `operation` once on a fresh program and receiver (seeded settings). A download sends
// what an upload of the same receiver read, so that it carries a full configuration.
Measured RunOnce(Operation operation, comm::ReadPacing pacing) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tunewright-bench";
  std::filesystem::create_directories(folder);
  RecordingScheduler scheduler;
  ui::ScriptedUiServices ui;
  NoDialogs dialogs;
  emu::EmulatorConfig receiver;
  receiver.settingsSeed = 3;
  session::Workbench bench({scheduler, ui, dialogs, {folder / "bench.ini", folder}, {}, receiver, true});
  bench.app().setReadPacing(pacing);
  const bool realTime = operation == Operation::Open;
  session::PresetStartup startup(realTime ? app::kStartModeRealTime : app::kStartModeAsync, 1);
  bool started = false;
  bench.Start({}, startup, [&](bool ok) { started = ok; });
  Measured measured;
  if (!started || !bench.hasWindow() || !bench.SelectPort(session::Workbench::kVirtualDevice)) return measured;
  FrameTap tap(bench.app().log(), scheduler);
  bench.link().setLog(&tap);

  auto run = [&](Operation op) {
    std::optional<session::Workbench::Outcome> outcome;
    if (!bench.Run(op, [&](session::Workbench::Outcome o) { outcome = o; })) return false;
    scheduler.clock.runUntil([&] { return outcome.has_value(); }, 6LL * 3600 * 1000);
    return outcome && outcome->connected && (realTime || outcome->listResult == 0);
  };
  if (operation == Operation::Download) {
    if (!run(Operation::Upload)) return measured;
    scheduler.commands.clear();
  }
  const std::int64_t start = scheduler.now();
  measured.ok = run(operation);
  measured.virtualMs = static_cast<double>(scheduler.now() - start);
  measured.floorMs = FloorMs(scheduler.commands, receiver.latencyMs);
  measured.commands = scheduler.commands.size();
  bench.link().setLog(&bench.app().log());
  bench.Shutdown();
  return measured;
}

void BM_Transfer(benchmark::State& state, Operation operation, comm::ReadPacing pacing) {
  Measured measured;
  for (auto _ : state) {
    measured = RunOnce(operation, pacing);
    if (!measured.ok) state.SkipWithError("the operation did not complete");
  }
  state.counters["virtual_s"] = measured.virtualMs / 1000.0;
  state.counters["floor_s"] = measured.floorMs / 1000.0;
  state.counters["ratio"] = measured.floorMs > 0 ? measured.virtualMs / measured.floorMs : 0;
  state.counters["commands"] = static_cast<double>(measured.commands);
}

BENCHMARK_CAPTURE(BM_Transfer, upload_mandated, Operation::Upload, comm::ReadPacing::Mandated)
    ->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_Transfer, upload_reply, Operation::Upload, comm::ReadPacing::Reply)
    ->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_Transfer, download, Operation::Download, comm::ReadPacing::Mandated)
    ->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_Transfer, open_mandated, Operation::Open, comm::ReadPacing::Mandated)
    ->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_Transfer, open_reply, Operation::Open, comm::ReadPacing::Reply)
    ->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
