// tunewright-cli emulate: the virtual receiver on a pseudo-terminal, until interrupted.

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
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

// The link this run made, known by its inode, its time and its target, so that a link that
// someone else put there since (an inode number is soon used again) is never removed.
struct OwnLink {
  std::filesystem::path path;
  std::string target;
  struct stat info {};

  bool standsThere() const {
    struct stat now {};
    if (::lstat(path.c_str(), &now) != 0 || !S_ISLNK(now.st_mode) || now.st_dev != info.st_dev ||
        now.st_ino != info.st_ino || now.st_mtim.tv_sec != info.st_mtim.tv_sec ||
        now.st_mtim.tv_nsec != info.st_mtim.tv_nsec) {
      return false;
    }
    std::error_code error;
    return std::filesystem::read_symlink(path, error).string() == target && !error;
  }
};

// Makes `link` point at `target`. Whatever stands at that path already (a link of another
// run included) stays, and the run is refused.
OwnLink makeLink(const std::filesystem::path& link, const std::string& target) {
  if (::symlink(target.c_str(), link.c_str()) != 0) {
    const int error = errno;
    if (error == EEXIST) {
      throw CliFailure{kExitBadInput,
                       link.string() +
                           " exists already; choose another --link path, or remove it if no other "
                           "virtual receiver uses it"};
    }
    throw CliFailure{kExitBadInput, "cannot create the link " + link.string() + ": " + std::strerror(error)};
  }
  OwnLink own{link, target, {}};
  ::lstat(link.c_str(), &own.info);
  return own;
}

void removeLink(const OwnLink& link) {
  if (link.standsThere()) ::unlink(link.path.c_str());
}

int runEmulate(const EmulateOptions& options) {
  emu::EmulatorConfig config;
  if (auto problem = emu::ApplyEmulatorOptions(config, options.emulatorOptions)) {
    throw CliFailure{kExitBadInput, *problem};
  }
  emu::PtyServer server(config);
  if (!server.open()) throw CliFailure{kExitLinkFailed, server.error()};
  // Input dropped for a full line is always said; everything else with --transcript.
  server.transcript().setListener([all = options.transcript](const emu::TranscriptEntry& entry) {
    const bool dropped =
        entry.direction == emu::TranscriptEntry::Direction::ToReceiver && entry.note.rfind("dropped", 0) == 0;
    if (all || dropped) std::cerr << emu::Transcript::Format(entry) << std::endl;
  });
  std::optional<OwnLink> link;
  if (!options.link.empty()) link = makeLink(options.link, server.devicePath());

  gStopDescriptor = server.stopDescriptor();
  struct sigaction action {};
  action.sa_handler = onStopSignal;
  sigemptyset(&action.sa_mask);
  // A closed terminal (SIGHUP) ends the run as cleanly as Ctrl+C, its link removed.
  struct sigaction oldInt {
  }, oldTerm{}, oldHup{};
  sigaction(SIGINT, &action, &oldInt);
  sigaction(SIGTERM, &action, &oldTerm);
  sigaction(SIGHUP, &action, &oldHup);

  std::cout << server.devicePath() << std::endl;  // flushed: scripts wait for this line
  const bool served = server.run();

  sigaction(SIGINT, &oldInt, nullptr);
  sigaction(SIGTERM, &oldTerm, nullptr);
  sigaction(SIGHUP, &oldHup, nullptr);
  gStopDescriptor = -1;
  if (link) removeLink(*link);
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
      ->add_option("--link", options->link,
                   "also make PATH a symbolic link to the device (PATH must not exist; removed at exit)")
      ->type_name("PATH");
  command
      ->add_option("--emulator-option", options->emulatorOptions,
                   "the receiver's capabilities, state and faults (repeatable); keys below")
      ->type_name("KEY=VALUE")
      ->allow_extra_args(false);
  command->add_flag("--transcript", options->transcript,
                    "print every frame in and out, with its time, on stderr");
  command->footer("Emulator option keys:\n" + emu::EmulatorOptionHelp());
  AddExample(*command, "emulate --link /tmp/receiver --emulator-option zone3=0");
  command->callback([options, &exitStatus] { exitStatus = runEmulate(*options); });
}

}  // namespace tw::cli
