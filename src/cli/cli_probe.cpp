// tunewright-cli probe: connect as Real Time Mode does, up to the answers about the tuner
// region and the capabilities, then close and report them.

#include "cli/cli_commands.h"
#include "cli/cli_session_run.h"
#include "cli/cli_transcript.h"
#include "comm/link.h"
#include "comm/link_constants.h"
#include "comm/link_observer.h"
#include "emu/emulator_options.h"
#include "ui/main_view_link.h"

#include <functional>
#include <iostream>
#include <memory>
#include <optional>

namespace tw::cli {
namespace {

struct ProbeOptions {
  std::string port;
  bool emulator = false;
  std::vector<std::string> emulatorOptions;
  std::string transcript;
  bool force = false;
};

// Watches the connection attempt: done once the capability list (row 4) is answered.
class ProbeView final : public comm::LinkObserver {
 public:
  std::function<void()> onEnd;

  void ProgressChanged(comm::LinkActivity activity, int position) override {
    if (activity == comm::LinkActivity::Connecting && position >= model::kCapabilityRow && !answered) {
      answered = true;
      end();
    }
  }
  void MessageRaised(comm::LinkMessage raised) override {
    if (!message) message = std::string(ui::LinkMessageText(raised));
  }
  void ConnectFinished(bool connected) override {
    if (!connected) end();
  }

  bool ended() const { return ended_; }

  bool answered = false;
  std::optional<std::string> message;

 private:
  void end() {
    if (ended_) return;
    ended_ = true;
    if (onEnd) onEnd();
  }

  bool ended_ = false;
};

// The system's own message for a failed attempt, with the port's cause and remedy when the
// port could not be opened; a wrong model has none, so say what it was.
[[noreturn]] void fail(const comm::Link& link, const comm::SerialPort& port, const ProbeView& view) {
  std::string message = view.message.value_or("");
  if (message == ui::LinkMessageText(comm::LinkMessage::PortError) && !port.lastError().empty()) message += " " + port.lastError();
  if (message.empty() && !link.modelCode().empty() && link.modelCode() != "R0210") {
    message = "the receiver reports model " + link.modelCode() + ", not a TQ-N4400 (R0210)";
  }
  if (message.empty()) message = ui::LinkMessageText(comm::LinkMessage::InitFailed);
  throw CliFailure{kExitLinkFailed, message};
}

// Everything is read before the link closes, because closing resets the capabilities.
int probeWith(comm::SerialPort& port, comm::Scheduler& scheduler, const std::string& device,
              const std::function<void(ProbeView&)>& run) {
  ProbeView view;
  comm::Link link(port, scheduler, comm::WorkingMode::RealTime);
  link.setObserver(&view);
  link.Open(comm::PortChoice::Fixed(device));
  run(view);
  if (!view.answered) fail(link, port, view);
  const model::Capabilities caps = link.capabilities();
  const std::string model = link.modelCode();
  const int region = link.tunerRegion();
  link.setObserver(nullptr);
  link.Close();
  std::cout << "model " << model << '\n'
            << "region " << region << '\n'
            << "zone2 " << caps.zone2 << '\n'
            << "zone3 " << caps.zone3 << '\n'
            << "xm " << caps.xm << '\n'
            << "aac " << caps.aac << '\n';
  return kExitOk;
}

int runProbe(const ProbeOptions& options) {
  const TransferTarget target{options.port, options.emulator, options.emulatorOptions, options.transcript,
                              {},           options.force};
  constexpr std::int64_t kLimitMs = 10 * 60 * 1000;
  return RunSession<ProbeView>(target, kLimitMs, [&](auto& port, auto& scheduler, const std::string& device, auto wait) {
    return probeWith(port, scheduler, device, wait);
  });
}

}  // namespace

void registerProbe(CLI::App& parent, int& exitStatus) {
  auto options = std::make_shared<ProbeOptions>();
  CLI::App* command = parent.add_subcommand(
      "probe", "Connect to the receiver as Real Time Mode does, read its region and capabilities, and close");
  auto* port = command->add_option("--port", options->port, "serial device of the receiver, e.g. /dev/ttyUSB0");
  auto* emulator = command->add_flag("--emulator", options->emulator, "use the in-process virtual receiver");
  port->excludes(emulator);
  command->add_option("--emulator-option", options->emulatorOptions,
                      "KEY=VALUE setting of the virtual receiver (repeatable)\n" + emu::EmulatorOptionHelp())
      ->needs(emulator);
  AddTranscriptOption(*command, options->transcript, emulator, options->force);
  command->callback([options, &exitStatus] {
    if (options->port.empty() && !options->emulator) {
      throw CliFailure{kExitBadInput, "probe needs --port DEVICE or --emulator (see probe --help)"};
    }
    CheckTranscriptPath(options->transcript, OutputOptions(options->force));
    exitStatus = runProbe(*options);
  });
}

}  // namespace tw::cli
