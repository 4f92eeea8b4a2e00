#include "cli/cli_transfer.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <iostream>
#include <memory>
#include <optional>

#include "app/app_settings.h"
#include "app/given_device_port.h"
#include "app/state_folder.h"
#include "cli/cli_ui_services.h"
#include "cli/cli_interrupt.h"
#include "cli/cli_progress.h"
#include "cli/cli_transcript.h"
#include "comm/frame_notation.h"
#include "comm/link_constants.h"
#include "comm/list_phase.h"
#include "comm/memory_commands.h"
#include "comm/virtual_scheduler.h"
#include "emu/emulator_options.h"
#include "platform/qserial_port.h"
#include "platform/qt_scheduler.h"
#include "ui/dialogs/dialog.h"
#include "ui/ui_services.h"
#include "ui/main_view_link.h"

namespace tw::cli {
namespace {

using session::Workbench;

// The progress dialogs need no window here; the link ends them itself.
class NoDialogs final : public ui::DialogHost {
 public:
  void showDialog(ui::Dialog&) override {}
  void hideDialog(ui::Dialog&) override {}
};

// What the list is doing, in the words of the progress line.
std::string PhaseText(const comm::Link& link, Workbench::Operation operation, int position) {
  if (link.isWritingBack()) return "interrupted: writing the receiver's own settings back";
  const auto index = static_cast<std::size_t>(std::max(position, 0));
  const bool upload = operation == Workbench::Operation::Upload;
  const comm::ListPhase phase =
      upload ? comm::UploadPhaseAt(link.commandList(), index) : comm::DownloadPhaseAt(link.commandList(), index);
  switch (phase.kind) {
    case comm::ListPhase::Kind::Starting: return "connecting";
    case comm::ListPhase::Kind::CurrentSettings: return upload ? "reading current settings" : "writing current settings";
    case comm::ListPhase::Kind::Memory:
      return "memory " + std::to_string(phase.memory) + " of " + std::to_string(comm::kMemoryCount);
    case comm::ListPhase::Kind::WritingBack: return "writing current settings back";
  }
  return {};
}

// The command list's progress as the Command Sending dialog shows it; before the list, the
// connection.
class TransferProgress {
 public:
  TransferProgress(const std::string& label, const ReceiverTarget& target, const comm::Scheduler& scheduler)
      : line_(label, target.quiet, [&scheduler] { return scheduler.now(); }) {}

  void update(Workbench& bench, Workbench::Operation operation) {
    if (!line_.shown()) return;
    ui::CommandSendingDialog* dialog = bench.hasWindow() ? bench.view().commandDialog() : nullptr;
    if (dialog == nullptr) {
      if (!listSeen_) line_.show(0, 0, "connecting");
      return;
    }
    listSeen_ = true;
    const int position = dialog->progress().position();
    line_.show(position, dialog->progress().high(), PhaseText(bench.link(), operation, position));
  }
  void finish() { line_.finish(); }

 private:
  ProgressLine line_;
  bool listSeen_ = false;
};

// Generous: a full upload with all six memories takes some minutes of receiver time.
constexpr std::int64_t kEmulatorLimitMs = 6LL * 60 * 60 * 1000;
constexpr int kProgressPollMs = 200;

bool IsLogNotice(std::string_view message) { return message.rfind(session::kLogFailureStart, 0) == 0; }

std::vector<std::string> LogNotices(const CliUiServices& ui) {
  std::vector<std::string> notices;
  for (const std::string& message : ui.messages) {
    if (IsLogNotice(message)) notices.push_back(message);
  }
  return notices;
}

// Why the operation did not complete, in the program's own words where it said any.
std::string FailureText(const CliUiServices& ui, const Workbench::Outcome& outcome,
                        const std::string& label) {
  // A log that could not be written is said after the failure, never instead of it.
  std::string message;
  for (const std::string& said : ui.messages) {
    if (!IsLogNotice(said)) {
      message = said;
      break;
    }
  }
  // A list that ended with commands given up says how many, and where the error log is.
  if (outcome.listResult == 1 && !message.empty()) return message;
  if (message.empty()) {
    if (!outcome.connected) {
      message = std::string(ui::LinkMessageText(comm::LinkMessage::InitFailed));
    } else if (outcome.listResult == -1) {
      message = "the connection ended before the " + label + " began";
    } else {
      message = "the receiver stopped answering during the " + label;
    }
  }
  // A cable error with the port's own words (a device that went away) says what to do.
  const std::string_view cableCheck = ui::LinkMessageText(comm::LinkMessage::CableCheck);
  if (message.rfind(cableCheck, 0) == 0 && message.size() > cableCheck.size()) return message;
  const std::string_view portError = ui::LinkMessageText(comm::LinkMessage::PortError);
  if (message.rfind(portError, 0) == 0) {
    // The port says why it could not be opened and what to do; without its words, the usual causes.
    if (message.size() == portError.size()) message += " Check the --port device and that no other program has it open.";
    return message;
  }
  return message + " Check the cable and the receiver's power, then try again.";
}

[[noreturn]] void fail(const CliUiServices& ui, const Workbench::Outcome& outcome, const std::string& label) {
  throw CliFailure{kExitLinkFailed, FailureText(ui, outcome, label), LogNotices(ui)};
}

// Starts the program without asking anything, selects `device` and starts the operation.
// `done` receives the outcome.
void Begin(Workbench& bench, session::PresetStartup& startup, const std::string& device, const TransferRun& run,
           std::function<void(Workbench::Outcome)> done) {
  bench.Start({}, startup, [&bench, device, &run, done](bool windowed) {
    if (!windowed || !bench.hasWindow()) {
      done(Workbench::Outcome{});
      return;
    }
    // The list always holds the one device asked for; without it nothing connects.
    if (!bench.SelectPort(device)) {
      done(Workbench::Outcome{});
      return;
    }
    if (run.prepare) run.prepare(bench);
    if (!bench.Run(run.operation, done)) done(Workbench::Outcome{});
  });
}

// A download that began and did not complete has sent part of the file.
std::string MixtureText(const TransferRun& run) {
  return "the receiver now holds a mixture of the settings of " + run.sentFile +
         " and its own; sending the file again completes it: " + run.sendAgainCommand;
}

std::string InterruptedText(const TransferRun& run, const std::optional<Workbench::Outcome>& outcome) {
  if (run.operation == Workbench::Operation::Download) {
    if (outcome && outcome->listResult != -1) return "the download was interrupted part-way: " + MixtureText(run);
    return "the download was interrupted before anything was sent; the receiver is as it was";
  }
  return "the " + run.label + " was interrupted before it loaded any System Memory; nothing was saved";
}

void Finish(Workbench& bench, const CliUiServices& ui, const std::optional<Workbench::Outcome>& outcome,
            const TransferRun& run, const InterruptWatch& interrupts) {
  const std::string interruption = outcome ? outcome->interruption : std::string();
  if (interrupts.interrupted()) {
    throw CliFailure{interrupts.exitStatus(), interruption.empty() ? InterruptedText(run, outcome) : interruption,
                     LogNotices(ui)};
  }
  if (!outcome) {
    throw CliFailure{kExitLinkFailed, "the " + run.label + " did not end; the receiver stopped answering",
                     LogNotices(ui)};
  }
  const bool writeBackFailed = outcome->connected && outcome->listResult == 1 && outcome->readEverything &&
                               run.writeBackFailed;
  if (!writeBackFailed && (!outcome->connected || outcome->listResult != 0)) {
    try {
      fail(ui, *outcome, run.label);
    } catch (CliFailure& failure) {
      // What the receiver now holds goes with why: an upload that could not put the
      // receiver back, a download that sent part of the file (a list that ran and failed).
      if (!interruption.empty()) failure.message = interruption + " " + failure.message;
      const bool sentPart = outcome->listResult == 1 || outcome->listResult == 2;
      if (run.operation == Workbench::Operation::Download && sentPart) {
        std::string mixture = MixtureText(run);
        mixture.front() = 'T';
        failure.message += " " + mixture + ".";
      }
      throw;
    }
  }
  if (run.completed) {
    try {
      run.completed(bench);
    } catch (CliFailure& failure) {
      for (std::string& notice : LogNotices(ui)) failure.notes.push_back(std::move(notice));
      throw;
    }
  }
  if (writeBackFailed) {
    const std::string kept = run.writeBackFailed(bench);
    throw CliFailure{kExitFileKeptReceiverChanged, interruption.empty() ? kept : kept + " " + interruption,
                     LogNotices(ui)};
  }
}

void PrintWarnings(const CliUiServices& ui) {
  for (const std::string& notice : LogNotices(ui)) {
    std::cerr << "tunewright-cli: warning: " << comm::EscapeControls(notice) << '\n';
  }
}

app::Application::Paths CliPaths() {
  return {CliSettingsPath(), app::DefaultStateFolder()};
}

void RunOnEmulator(const ReceiverTarget& target, const TransferRun& run) {
  emu::EmulatorConfig config;
  emu::ApplyEmulatorOptions(config, target.emulatorOptions);  // checked before anything ran
  comm::VirtualScheduler scheduler;
  CliUiServices ui{false};  // the command ends with the message that tells why
  NoDialogs dialogs;
  // Logs follow the receiver's clock, started at the wall time of the command.
  const auto start = std::chrono::system_clock::now();
  Workbench bench({scheduler, ui, dialogs, CliPaths(), {}, config, true,
                   [&scheduler, start] { return start + std::chrono::milliseconds(scheduler.now()); }});
  TranscriptFile transcript(target.transcript, bench.virtualPort().transcript(),
                            OutputOptions(target.force, run.files));
  bench.app().setReadPacing(ChosenPacing(target));
  session::PresetStartup startup(app::kStartModeAsync, run.tunerRegion);
  std::optional<Workbench::Outcome> outcome;
  TransferProgress progress(run.label, target, scheduler);
  InterruptWatch interrupts;
  Begin(bench, startup, std::string(Workbench::kVirtualDevice), run,
        [&outcome](Workbench::Outcome o) { outcome = o; });
  scheduler.runUntil(
      [&] {
        interrupts.poll(bench);
        progress.update(bench, run.operation);
        return outcome.has_value();
      },
      kEmulatorLimitMs);
  Finish(bench, ui, outcome, run, interrupts);
  progress.finish();
  PrintWarnings(ui);
  bench.Shutdown();
  transcript.write();
}

void RunOnPort(const ReceiverTarget& target, const TransferRun& run) {
  int argc = 1;
  char name[] = "tunewright-cli";
  char* argv[] = {name, nullptr};
  QCoreApplication application(argc, argv);
  platform::QtScheduler scheduler;
  CliUiServices ui{false};  // the command ends with the message that tells why
  NoDialogs dialogs;
  const std::string device = target.port;
  Workbench bench({scheduler, ui, dialogs, CliPaths(),
                   [device] {
                     return std::make_unique<app::GivenDevicePort>(device,
                                                              std::make_unique<platform::QSerialPortBackend>());
                   },
                   {}, false});
  bench.app().setReadPacing(ChosenPacing(target));
  session::PresetStartup startup(app::kStartModeAsync, run.tunerRegion);
  std::optional<Workbench::Outcome> outcome;
  TransferProgress progress(run.label, target, scheduler);
  InterruptWatch interrupts;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    interrupts.poll(bench);
    progress.update(bench, run.operation);
  });
  poll.start(kProgressPollMs);
  Begin(bench, startup, device, run, [&outcome, &scheduler](Workbench::Outcome o) {
    outcome = o;
    // Leave the event loop from the loop itself, never from inside a write pause.
    scheduler.post([] { QCoreApplication::quit(); });
  });
  if (!outcome) QCoreApplication::exec();
  poll.stop();
  Finish(bench, ui, outcome, run, interrupts);
  progress.finish();
  PrintWarnings(ui);
  bench.Shutdown();
}

}  // namespace

void RunTransfer(const ReceiverTarget& target, const TransferRun& run) {
  if (target.emulator) {
    RunOnEmulator(target, run);
  } else {
    RunOnPort(target, run);
  }
}

}  // namespace tw::cli
