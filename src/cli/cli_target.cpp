#include "cli/cli_target.h"

#include "app/app_settings.h"
#include "cli/cli_command.h"
#include "cli/cli_transcript.h"
#include "emu/emulator_options.h"
#include "files/profile.h"
#include "ui/main_view_link.h"

namespace tw::cli {

std::string ReceiverTarget::option() const { return emulator ? "--emulator" : "--port " + port; }

TargetOptions AddTargetOptions(CLI::App& command, ReceiverTarget& target) {
  auto* port = command.add_option("--port", target.port, "serial device of the receiver, e.g. /dev/ttyUSB0");
  auto* emulator = command.add_flag("--emulator", target.emulator, "use the in-process virtual receiver");
  port->excludes(emulator);
  command
      .add_option("--emulator-option", target.emulatorOptions,
                  "KEY=VALUE setting of the virtual receiver (repeatable)\n" + emu::EmulatorOptionHelp())
      ->needs(emulator);
  AddTranscriptOption(command, target.transcript, emulator, target.force);
  command
      .add_option("--pacing", target.pacing,
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
          ""));
  command.add_flag("-q,--quiet", target.quiet,
                   "no progress line on the terminal (there is none either when stderr is not a terminal)");
  return {port, emulator};
}

void CheckTarget(const ReceiverTarget& target, const std::string& commandName,
                 const std::vector<std::filesystem::path>& files) {
  if (target.port.empty() && !target.emulator) {
    throw CliFailure{kExitBadInput,
                     commandName + " needs --port DEVICE or --emulator (see " + commandName + " --help)"};
  }
  if (target.emulator) {
    emu::EmulatorConfig config;
    if (auto error = emu::ApplyEmulatorOptions(config, target.emulatorOptions)) throw CliFailure{kExitBadInput, *error};
  }
  CheckTranscriptPath(target.transcript, OutputOptions(target.force, files));
}

std::optional<comm::ReadPacing> ChosenPacing(const ReceiverTarget& target) {
  if (target.pacing.empty()) return std::nullopt;
  return app::ParsePacing(target.pacing);
}

comm::ReadPacing PacingFor(const ReceiverTarget& target) {
  if (const auto chosen = ChosenPacing(target)) return *chosen;
  files::Profile settings;
  (void)settings.Load(CliSettingsPath());  // a missing file gives the default, quietly
  return app::PacingOf(settings);
}

std::filesystem::path CliSettingsPath() { return app::DefaultSettingsPath("tunewright-cli"); }

std::string ConnectFailureText(std::string linkMessage, const comm::SerialPort& port) {
  const std::string_view portError = ui::LinkMessageText(comm::LinkMessage::PortError);
  // A receiver that did not answer as one: what an upload or download says then.
  if (linkMessage == ui::LinkMessageText(comm::LinkMessage::InitFailed)) {
    return linkMessage + " Check the cable and the receiver's power, then try again.";
  }
  if (linkMessage != portError) return linkMessage;
  // The port says why it could not be opened and what to do; without its words, the usual causes.
  const std::string cause = port.lastError();
  return linkMessage + " " + (cause.empty() ? "Check the --port device and that no other program has it open." : cause);
}

}  // namespace tw::cli
