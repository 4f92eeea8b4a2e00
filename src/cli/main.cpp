// tunewright-cli: scripting front end of the receiver tool.

#include <iostream>

#include "cli/cli_commands.h"
#include "comm/frame_notation.h"

int main(int argc, char** argv) {
  CLI::App app{"Tunewright command-line tool for the TQ-N4400 receiver"};
  app.set_version_flag("--version", std::string("tunewright-cli ") + TW_VERSION);
  app.require_subcommand(1);

  int exitStatus = tw::cli::kExitOk;
  for (tw::cli::CommandRegistrar registrar : tw::cli::kCommands) registrar(app, exitStatus);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? tw::cli::kExitOk : tw::cli::kExitBadInput;
  } catch (const tw::cli::CliFailure& failure) {
    // Texts from files and devices are shown escaped: they must not drive the terminal.
    std::cerr << "tunewright-cli: " << tw::comm::EscapeControls(failure.message) << '\n';
    for (const std::string& note : failure.notes)
      std::cerr << "tunewright-cli: " << tw::comm::EscapeControls(note) << '\n';
    return failure.status;
  }
  return exitStatus;
}
