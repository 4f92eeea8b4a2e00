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

// The file is complete; what the receiver may now hold differently, and how to put it back.
std::string WriteBackFailed(pages::Workbench& bench, const UploadOptions& options) {
  const std::vector<int>& numbers = bench.link().writeBackFailures();
  const std::string target = options.target.emulator ? "--emulator" : "--port " + options.target.port;
  return "saved the receiver's configuration to " + options.output +
         ": the file is complete. But putting the receiver's own settings back after reading its System Memories "
         "failed for " + std::to_string(numbers.size()) + (numbers.size() == 1 ? " command" : " commands") +
         ", so the receiver may not hold these as before: " + bench.view().DescribeSettings(numbers) +
         ". Put them back with: tunewright-cli download " + target + " " + options.output +
         " (the error log lists the failed commands: " + bench.app().log().errorLogPath().string() + ")";
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
  command->footer("Exit status: 0 saved; 1 the receiver or the link failed (no file); 2 bad usage; 3 saved and "
                  "complete, but the receiver may not hold every setting as before (the message names them and "
                  "the command that puts them back).");
  command->callback([options, &exitStatus] {
    CheckTarget(options->target, "upload");
    CheckedRegion(options->region);
    CheckOutput(*options);
    TransferRun run;
    run.operation = pages::Workbench::Operation::Upload;
    run.tunerRegion = options->region;
    run.label = "upload";
    run.completed = [options](pages::Workbench& bench) { Save(bench, options->output); };
    run.writeBackFailed = [options](pages::Workbench& bench) { return WriteBackFailed(bench, *options); };
    RunTransfer(options->target, run);
    std::cout << "saved the receiver's configuration to " << options->output << '\n';
    exitStatus = kExitOk;
  });
}

}  // namespace tw::cli
