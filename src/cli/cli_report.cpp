// tunewright-cli report FILE.qcf [-o OUT]: the configuration report of a file.

#include <unistd.h>

#include <iostream>
#include <memory>

#include "cli/cli_commands.h"
#include "cli/cli_configuration.h"
#include "cli/cli_output.h"
#include "comm/frame_notation.h"
#include "files/profile_storage.h"

namespace tw::cli {
namespace {

struct ReportOptions {
  std::string file;
  std::string output;
  int region = model::kDefaultTunerRegion;
  bool force = false;
};

}  // namespace

void registerReport(CLI::App& parent, int& exitStatus) {
  auto options = std::make_shared<ReportOptions>();
  CLI::App* command = parent.add_subcommand("report", "Print the configuration report of a .qcf file");
  command->add_option("FILE", options->file, "configuration file (.qcf)")->required();
  command->add_option("-o,--output", options->output, "write the report to this file instead of stdout");
  command->add_flag("--force", options->force, "replace OUT if it exists");
  AddRegionOption(*command, options->region);
  AddExample(*command, "report living-room.qcf -o living-room.txt");
  command->callback([options, &exitStatus] {
    OfflineConfiguration configuration(CheckedRegion(options->region));
    ReadConfigurationFile(configuration, options->file);
    const std::string report = configuration.BuildReport();
    if (options->output.empty()) {
      // On a terminal, texts from the file (the memo) must not drive it; a pipe gets the report as it is.
      std::cout << (::isatty(STDOUT_FILENO) == 1 ? comm::EscapeControlsByLine(report) : report) << std::flush;
    } else if (const files::FileStatus written = files::WriteFileAtomically(
                   options->output, report, OutputOptions(options->force, {options->file}));
               !written) {
      throw CliFailure{kExitBadInput, written.error};
    }
    exitStatus = kExitOk;
  });
}

}  // namespace tw::cli
