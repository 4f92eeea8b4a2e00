// tunewright-cli: scripting front end of the receiver tool.

#include <iostream>
#include <string_view>

#include "cli/cli_commands.h"
#include "cli/cli_complete.h"
#include "cli/cli_json.h"
#include "cli/cli_manual.h"
#include "comm/frame_notation.h"

int main(int argc, char** argv) {
  CLI::App app{"Tunewright command-line tool for the TQ-N4400 receiver"};
  app.set_version_flag("--version", std::string("tunewright-cli ") + TW_VERSION);
  app.require_subcommand(1);

  int exitStatus = tw::cli::kExitOk;
  for (tw::cli::CommandRegistrar registrar : tw::cli::kCommands) registrar(app, exitStatus);
  // The shell's completion asks: the words that may come next, a line each.
  if (argc >= 2 && std::string_view(argv[1]) == "--complete") {
    for (const std::string& word : tw::cli::CompletionCandidates(app, std::vector<std::string>(argv + 2, argv + argc)))
      std::cout << word << '\n';
    return tw::cli::kExitOk;
  }
  // The build writes the manual page from the same definitions as --help.
  if (argc == 2 && std::string_view(argv[1]) == "--manual-page") {
    std::cout << tw::cli::ManualPageText(app);
    return tw::cli::kExitOk;
  }

  std::string command;
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (tw::cli::WantsJson(app, command) && e.get_exit_code() != 0) {
      std::cout << tw::cli::JsonError(command, tw::cli::kExitBadInput, e.what()).dump(2) << '\n';
    }
    return app.exit(e) == 0 ? tw::cli::kExitOk : tw::cli::kExitBadInput;
  } catch (const tw::cli::CliFailure& failure) {
    if (tw::cli::WantsJson(app, command)) {
      std::cout << tw::cli::JsonError(command, failure.status, failure.message).dump(2) << '\n';
    }
    // Texts from files and devices are shown escaped: they must not drive the terminal.
    std::cerr << "tunewright-cli: " << tw::comm::EscapeControls(failure.message) << '\n';
    for (const std::string& note : failure.notes)
      std::cerr << "tunewright-cli: " << tw::comm::EscapeControls(note) << '\n';
    return failure.status;
  }
  return exitStatus;
}
