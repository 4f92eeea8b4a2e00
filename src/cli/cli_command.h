#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace tw::cli {

// Exit statuses shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitLinkFailed = 1;  // the receiver or the link failed (or: "they differ")
inline constexpr int kExitBadInput = 2;    // bad usage or a bad input file
// upload: the file is saved and complete, but the receiver may not hold every setting as
// before (some of the write-back after reading its memories was given up)
inline constexpr int kExitFileKeptReceiverChanged = 3;

// Thrown by a command to end with a one-line message on stderr and an exit status.
struct CliFailure {
  int status;
  std::string message;
  // Said after the message, a line each (what else went wrong on the way).
  std::vector<std::string> notes = {};
};

// Each command file provides a registrar; main.cpp lists them. A registrar adds its
// subcommand to `parent` and sets a callback that runs the command and stores its exit
// status in `exitStatus`.
using CommandRegistrar = void (*)(CLI::App& parent, int& exitStatus);

// Ends the command's --help (after its footer, if it has one) with an example of its use.
inline void AddExample(CLI::App& command, const std::string& arguments) {
  const std::string footer = command.get_footer();
  const std::string gap = footer.empty() ? "" : footer.back() == '\n' ? "\n" : "\n\n";
  command.footer(footer + gap + "Example: tunewright-cli " + arguments);
}

}  // namespace tw::cli
