// tunewright-cli upload: an Async Mode upload (every setting and the six System Memories)
// saved as a configuration file.

#include <filesystem>
#include <iostream>
#include <memory>

#include "cli/cli_commands.h"
#include "cli/cli_configuration.h"
#include "cli/cli_transfer.h"
#include "pages/configuration_file.h"

namespace tw::cli {
namespace {

struct UploadOptions {
  TransferTarget target;
  int region = 1;
  std::string output;
  bool force = false;
};

// Everything that can be wrong with the output is found before the receiver is touched.
void CheckOutput(const UploadOptions& options) {
  const std::filesystem::path path(options.output);
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    throw CliFailure{kExitBadInput, QuotedPath(options.output) + " is a folder. Give the path of a .qcf file."};
  }
  if (std::filesystem::exists(path, ec) && !options.force) {
    throw CliFailure{kExitBadInput,
                     QuotedPath(options.output) + " exists already. Give --force to replace it, or another path."};
  }
  CheckWritableFolder(path);
}

void Save(pages::Workbench& bench, const std::string& output) {
  const pages::BasicItemsOf<ui::BasicControlGroup> basicItems(bench.basicControls());
  const pages::ConfigurationFile file(bench.sheet(), &basicItems);
  // The command line keeps no User Memo: the file's memo is empty.
  const files::FileStatus status = file.Save(output, bench.link().images(), "");
  if (!status) {
    throw CliFailure{kExitBadInput, "the upload completed, but " + QuotedPath(output) +
                                        " could not be written: " + status.error};
  }
}

}  // namespace

void registerUpload(CLI::App& parent, int& exitStatus) {
  auto options = std::make_shared<UploadOptions>();
  CLI::App* command = parent.add_subcommand(
      "upload", "Read every setting and the six System Memories from the receiver (Async Mode upload) "
                "and save them as a configuration file");
  AddTargetOptions(*command, options->target);
  AddPacingOption(*command, options->target.pacing);
  AddRegionOption(*command, options->region);
  command->add_option("-o,--output", options->output, "configuration file to write (.qcf)")->required();
  command->add_flag("--force", options->force, "replace the file if it exists");
  command->callback([options, &exitStatus] {
    CheckTarget(options->target, "upload");
    CheckedRegion(options->region);
    CheckOutput(*options);
    TransferRun run;
    run.operation = pages::Workbench::Operation::Upload;
    run.tunerRegion = options->region;
    run.label = "upload";
    run.completed = [options](pages::Workbench& bench) { Save(bench, options->output); };
    RunTransfer(options->target, run);
    std::cout << "saved the receiver's configuration to " << options->output << '\n';
    exitStatus = kExitOk;
  });
}

}  // namespace tw::cli
