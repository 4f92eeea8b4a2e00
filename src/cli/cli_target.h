#pragma once

// The receiver a command talks to, and how: the options every command that opens the port
// shares (probe, set, memory, dock, upload, download), checked the same way, and the one
// message for a connection that could not be made.

#include <CLI/CLI.hpp>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "comm/link_constants.h"
#include "comm/serial_port.h"

namespace tw::cli {

struct ReceiverTarget {
  std::string port;
  bool emulator = false;
  std::vector<std::string> emulatorOptions;
  std::string transcript;  // --transcript FILE (virtual receiver only)
  std::string pacing;      // --pacing reply|mandated; empty: the settings file's
  bool force = false;      // --force: output files may replace existing ones
  bool quiet = false;      // --quiet: no progress line

  // How the command names this target again in a message ("--emulator", "--port DEV").
  std::string option() const;
};

struct TargetOptions {
  CLI::Option* port;
  CLI::Option* emulator;
};

// Adds --port, --emulator, --emulator-option, --transcript, --force, --pacing and --quiet.
TargetOptions AddTargetOptions(CLI::App& command, ReceiverTarget& target);
// A bad-usage failure unless exactly one target is given; the emulator options are checked
// here too, so that nothing connects with a misspelt option; and the transcript's path,
// which may not be one of the command's own `files`.
void CheckTarget(const ReceiverTarget& target, const std::string& commandName,
                 const std::vector<std::filesystem::path>& files = {});
// The pacing given with --pacing; nothing when the settings file decides.
std::optional<comm::ReadPacing> ChosenPacing(const ReceiverTarget& target);
// The pacing given, or else the command-line tool's settings file's ([Link] Pacing).
comm::ReadPacing PacingFor(const ReceiverTarget& target);
// The command-line tool's own settings file, so that scripts never change the desktop
// program's choices.
std::filesystem::path CliSettingsPath();

// Why a connection could not be made, from the link's message: a port that could not be
// opened says its cause and remedy (the port's own words, or the usual causes); a receiver
// that did not answer, what to check.
std::string ConnectFailureText(std::string linkMessage, const comm::SerialPort& port);

}  // namespace tw::cli
