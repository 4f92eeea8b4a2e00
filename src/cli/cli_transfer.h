#pragma once

// What upload and download share: one Async Mode operation run through the whole program
// (the Workbench), so that connections, retries, logs and messages are those of the desktop
// program.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "cli/cli_target.h"
#include "session/workbench.h"

namespace tw::cli {

struct TransferRun {
  session::Workbench::Operation operation = session::Workbench::Operation::Upload;
  // Region of the Tuner Region dialog; a receiver that reports its own region wins.
  int tunerRegion = 1;
  // Runs once the window parts exist, before the operation starts (a download loads its
  // file into the images here).
  std::function<void(session::Workbench&)> prepare;
  // Runs after the list completed, before the program shuts down; also after an upload that
  // read everything but gave up some of its write-back, which then ends the command with
  // `writeBackFailed`'s message (exit kExitFileKeptReceiverChanged).
  std::function<void(session::Workbench&)> completed;
  std::function<std::string(session::Workbench&)> writeBackFailed;
  // Names the command on its progress line ("upload", "download").
  std::string label;
  // A download: the file sent and the command that sends it again, for a receiver left
  // holding part of it.
  std::string sentFile;
  std::string sendAgainCommand;
  // The file the command reads or writes: the transcript never replaces it.
  std::vector<std::filesystem::path> files;
};

// Runs the operation against `target`. A connection or list that fails ends the command
// with the program's own message (exit 1).
void RunTransfer(const ReceiverTarget& target, const TransferRun& run);

}  // namespace tw::cli
