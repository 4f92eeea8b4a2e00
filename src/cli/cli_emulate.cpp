// tunewright-cli emulate: the virtual receiver on a pseudo-terminal, until interrupted.

#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "cli/cli_commands.h"
#include "emu/emulator_options.h"
#include "emu/pty_server.h"

namespace tw::cli {
namespace {

struct EmulateOptions {
  std::string link;
  std::vector<std::string> emulatorOptions;
  bool transcript = false;
};

volatile std::sig_atomic_t gStopDescriptor = -1;

void onStopSignal(int) {
  const int fd = gStopDescriptor;
  if (fd >= 0) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(fd, &byte, 1);
  }
}

// Makes `link` point at `target`; an existing symbolic link is replaced, anything else
// at that path is left alone and reported.
void makeLink(const std::filesystem::path& link, const std::string& target) {
  std::error_code error;
  const auto status = std::filesystem::symlink_status(link, error);
  if (!error && std::filesystem::exists(status)) {
    if (!std::filesystem::is_symlink(status)) {
      throw CliFailure{kExitBadInput,
                       link.string() + " exists and is not a symbolic link; choose another --link path"};
    }
    std::filesystem::remove(link, error);
  }
  std::filesystem::create_symlink(target, link, error);
  if (error) {
    throw CliFailure{kExitBadInput, "cannot create the link " + link.string() + ": " + error.message()};
  }
}

void removeLink(const std::filesystem::path& link) {
  std::error_code error;
  if (std::filesystem::is_symlink(std::filesystem::symlink_status(link, error)))
    std::filesystem::remove(link, error);
}

int runEmulate(const EmulateOptions& options) {
  emu::EmulatorConfig config;
  if (auto problem = emu::ApplyEmulatorOptions(config, options.emulatorOptions)) {
    throw CliFailure{kExitBadInput, *problem};
  }
  emu::PtyServer server(config);
  if (!server.open()) throw CliFailure{kExitLinkFailed, server.error()};
  if (options.transcript) {
    server.transcript().setListener(
        [](const emu::TranscriptEntry& entry) { std::cerr << emu::Transcript::Format(entry) << std::endl; });
  }
  if (!options.link.empty()) makeLink(options.link, server.devicePath());

  gStopDescriptor = server.stopDescriptor();
  struct sigaction action {};
  action.sa_handler = onStopSignal;
  sigemptyset(&action.sa_mask);
  struct sigaction oldInt {
  }, oldTerm{};
  sigaction(SIGINT, &action, &oldInt);
  sigaction(SIGTERM, &action, &oldTerm);

  std::cout << server.devicePath() << std::endl;  // flushed: scripts wait for this line
  const bool served = server.run();

  sigaction(SIGINT, &oldInt, nullptr);
  sigaction(SIGTERM, &oldTerm, nullptr);
  gStopDescriptor = -1;
  if (!options.link.empty()) removeLink(options.link);
  if (!served) throw CliFailure{kExitLinkFailed, server.error()};
  return kExitOk;
}

}  // namespace

void registerEmulate(CLI::App& parent, int& exitStatus) {
  auto options = std::make_shared<EmulateOptions>();
  CLI::App* command = parent.add_subcommand(
      "emulate",
      "Run the virtual TQ-N4400 on a pseudo-terminal: prints the device path, serves until interrupted");
  command
      ->add_option("--link", options->link, "also make PATH a symbolic link to the device (removed at exit)")
      ->type_name("PATH");
  command
      ->add_option("--emulator-option", options->emulatorOptions,
                   "the receiver's capabilities, state and faults (repeatable); keys below")
      ->type_name("KEY=VALUE")
      ->allow_extra_args(false);
  command->add_flag("--transcript", options->transcript,
                    "print every frame in and out, with its time, on stderr");
  command->footer("Emulator option keys:\n" + emu::EmulatorOptionHelp());
  command->callback([options, &exitStatus] { exitStatus = runEmulate(*options); });
}

}  // namespace tw::cli
