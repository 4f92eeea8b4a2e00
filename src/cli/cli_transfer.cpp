#include "cli/cli_transfer.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QTimer>
#include <chrono>
#include <iostream>
#include <memory>
#include <optional>

#include "app/app_settings.h"
#include "app/given_device_port.h"
#include "app/state_folder.h"
#include "cli/cli_ui_services.h"
#include "cli/cli_interrupt.h"
#include "cli/cli_transcript.h"
#include "comm/frame_notation.h"
#include "comm/link_constants.h"
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

// "upload 120/913" on stderr while the command list runs, when a person is watching.
class ProgressLine {
 public:
  explicit ProgressLine(std::string label) : label_(std::move(label)), shown_(::isatty(STDERR_FILENO) == 1) {}
  ~ProgressLine() {
    if (printed_) std::cerr << '\n';
  }
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  void update(Workbench& bench) {
    if (!shown_ || !bench.hasWindow()) return;
    ui::CommandSendingDialog* dialog = bench.view().commandDialog();
    if (dialog == nullptr) return;
    const int position = dialog->progress().position();
    const int high = dialog->progress().high();
    if (position == position_ && high == high_) return;
    position_ = position;
    high_ = high;
    std::cerr << '\r' << label_ << ' ' << position << '/' << high << std::flush;
    printed_ = true;
  }

 private:
  std::string label_;
  bool shown_;
  bool printed_ = false;
  int position_ = -1;
  int high_ = -1;
};

// Generous: a full upload with all six memories takes some minutes of receiver time.
constexpr std::int64_t kEmulatorLimitMs = 6LL * 60 * 60 * 1000;
constexpr int kProgressPollMs = 200;

emu::EmulatorConfig CheckedEmulatorConfig(const TransferTarget& target) {
  emu::EmulatorConfig config;
  if (auto error = emu::ApplyEmulatorOptions(config, target.emulatorOptions)) {
    throw CliFailure{kExitBadInput, *error};
  }
  return config;
}

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
  for (const std::string& notice : LogNotices(ui)) {
    std::cerr << "tunewright-cli: warning: " << comm::EscapeControls(notice) << '\n';
  }
}

std::optional<comm::ReadPacing> ChosenPacing(const TransferTarget& target) {
  if (target.pacing.empty()) return std::nullopt;
  return app::ParsePacing(target.pacing);
}

app::Application::Paths CliPaths() {
  // A settings file of its own, so that scripts never change the desktop program's choices.
  return {app::DefaultSettingsPath("tunewright-cli"), app::DefaultStateFolder()};
}

void RunOnEmulator(const TransferTarget& target, const TransferRun& run) {
  const emu::EmulatorConfig config = CheckedEmulatorConfig(target);
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
  ProgressLine progress(run.label);
  InterruptWatch interrupts;
  Begin(bench, startup, std::string(Workbench::kVirtualDevice), run,
        [&outcome](Workbench::Outcome o) { outcome = o; });
  scheduler.runUntil(
      [&] {
        interrupts.poll(bench);
        progress.update(bench);
        return outcome.has_value();
      },
      kEmulatorLimitMs);
  Finish(bench, ui, outcome, run, interrupts);
  bench.Shutdown();
  transcript.write();
}

void RunOnPort(const TransferTarget& target, const TransferRun& run) {
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
  ProgressLine progress(run.label);
  InterruptWatch interrupts;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    interrupts.poll(bench);
    progress.update(bench);
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
  bench.Shutdown();
}

}  // namespace

void AddTargetOptions(CLI::App& command, TransferTarget& target) {
  auto* port = command.add_option("--port", target.port, "serial device of the receiver, e.g. /dev/ttyUSB0");
  auto* emulator = command.add_flag("--emulator", target.emulator, "use the in-process virtual receiver");
  port->excludes(emulator);
  command
      .add_option("--emulator-option", target.emulatorOptions,
                  "KEY=VALUE setting of the virtual receiver (repeatable)\n" + emu::EmulatorOptionHelp())
      ->needs(emulator);
  AddTranscriptOption(command, target.transcript, emulator, target.force);
}

void AddPacingOption(CLI::App& command, std::string& pacing) {
  command
      .add_option("--pacing", pacing,
                  "how the reads are paced: mandated (the full pause after every frame, the default) or "
                  "reply (the next read follows " + std::to_string(comm::kReplySettleMs) +
                      " ms after a complete answer; writes keep the full pauses); default: the settings "
                      "file's [Link] Pacing")
      ->type_name("reply|mandated")
      ->check(CLI::Validator(
          [](std::string& value) -> std::string {
            if (app::ParsePacing(value)) return {};
            return "--pacing takes reply or mandated, not \"" + value + "\"";
          },
          "reply|mandated"));
}

void CheckTarget(const TransferTarget& target, const std::string& commandName,
                 const std::vector<std::filesystem::path>& files) {
  if (target.port.empty() && !target.emulator) {
    throw CliFailure{kExitBadInput,
                     commandName + " needs --port DEVICE or --emulator (see " + commandName + " --help)"};
  }
  if (target.emulator) CheckedEmulatorConfig(target);
  CheckTranscriptPath(target.transcript, OutputOptions(target.force, files));
}

void RunTransfer(const TransferTarget& target, const TransferRun& run) {
  if (target.emulator) {
    RunOnEmulator(target, run);
  } else {
    RunOnPort(target, run);
  }
}

}  // namespace tw::cli
