// tunewright-cli upload: an Async Mode upload (every setting and the six System Memories)
// saved as a configuration file.

#include <iostream>
#include <memory>

#include "cli/cli_commands.h"
#include "cli/cli_configuration.h"
#include "cli/cli_transcript.h"
#include "cli/cli_transfer.h"
#include "files/safe_file_writer.h"
#include "pages/configuration_file.h"

namespace tw::cli {
namespace {

struct UploadOptions {
  TransferTarget target;
  int region = 1;
  std::string output;
};

void Save(pages::Workbench& bench, const UploadOptions& options) {
  const pages::BasicItemsOf<ui::BasicControlGroup> basicItems(bench.basicControls());
  const pages::ConfigurationFile file(bench.sheet(), &basicItems);
  // The command line keeps no User Memo: the file's memo is empty. Whether the file may be
  // replaced is decided now, not when the upload began minutes ago.
  const std::string text = file.Save(bench.link().images(), "").Text();
  const files::FileStatus status =
      files::WriteFileAtomically(options.output, text, OutputOptions(options.target.force));
  if (!status) {
    throw CliFailure{kExitBadInput, "the upload completed, but " + QuotedPath(options.output) +
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
  command->callback([options, &exitStatus] {
    // Everything that can be wrong with the output is found before the receiver is touched.
    CheckTarget(options->target, "upload", {options->output});
    CheckedRegion(options->region);
    CheckOutputPath(options->output, OutputOptions(options->target.force));
    TransferRun run;
    run.operation = pages::Workbench::Operation::Upload;
    run.tunerRegion = options->region;
    run.label = "upload";
    run.files = {options->output};
    run.completed = [options](pages::Workbench& bench) { Save(bench, *options); };
    RunTransfer(options->target, run);
    std::cout << "saved the receiver's configuration to " << options->output << '\n';
    exitStatus = kExitOk;
  });
}

}  // namespace tw::cli
