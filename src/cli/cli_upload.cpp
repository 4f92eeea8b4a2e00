// tunewright-cli upload: an Async Mode upload (every setting and the six System Memories)
// saved as a configuration file.

#include <iostream>
#include <memory>

#include "cli/cli_commands.h"
#include "cli/cli_configuration.h"
#include "cli/cli_json.h"
#include "cli/cli_transcript.h"
#include "cli/cli_transfer.h"
#include "files/safe_file_writer.h"
#include "settings/configuration_file.h"

namespace tw::cli {
namespace {

struct UploadOptions {
  ReceiverTarget target;
  int region = 1;
  std::string output;
  bool json = false;
};

void Save(session::Workbench& bench, const UploadOptions& options) {
  const settings::ConfigurationFile& file = bench.configuration();
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

// The file is complete; what the receiver may now hold differently, and how to put it back.
std::string WriteBackFailed(session::Workbench& bench, const UploadOptions& options) {
  const std::vector<int>& numbers = bench.link().writeBackFailures();
  return "saved the receiver's configuration to " + options.output +
         ": the file is complete. But putting the receiver's own settings back after reading its System Memories "
         "failed for " + std::to_string(numbers.size()) + (numbers.size() == 1 ? " command" : " commands") +
         ", so the receiver may not hold these as before: " + bench.view().DescribeSettings(numbers) +
         ". Put them back with: tunewright-cli download " + options.target.option() + " " + options.output +
         " (the error log lists the failed commands: " + bench.app().log().errorLogPath().string() + ")";
}

}  // namespace

void registerUpload(CLI::App& parent, int& exitStatus) {
  auto options = std::make_shared<UploadOptions>();
  CLI::App* command = parent.add_subcommand(
      "upload", "Read every setting and the six System Memories from the receiver (Async Mode upload) "
                "and save them as a configuration file");
  AddTargetOptions(*command, options->target);
  AddRegionOption(*command, options->region);
  command->add_option("-o,--output", options->output, "configuration file to write (.qcf)")->required();
  AddJsonOption(*command, options->json);
  command->footer("Exit status: 0 saved; 1 the receiver or the link failed (no file); 2 bad usage; 3 saved and "
                  "complete, but the receiver may not hold every setting as before (the message names them and "
                  "the command that puts them back).");
  AddExample(*command, "upload --port /dev/ttyUSB0 --pacing reply -o living-room.qcf");
  command->callback([options, &exitStatus] {
    // Everything that can be wrong with the output is found before the receiver is touched.
    CheckTarget(options->target, "upload", {options->output});
    CheckedRegion(options->region);
    CheckOutputPath(options->output, OutputOptions(options->target.force));
    TransferRun run;
    run.operation = session::Workbench::Operation::Upload;
    run.tunerRegion = options->region;
    run.label = "upload";
    run.files = {options->output};
    run.completed = [options](session::Workbench& bench) { Save(bench, *options); };
    run.writeBackFailed = [options](session::Workbench& bench) { return WriteBackFailed(bench, *options); };
    RunTransfer(options->target, run);
    if (options->json) {
      PrintJsonResult("upload", {{"file", options->output}});
    } else {
      std::cout << "saved the receiver's configuration to " << options->output << '\n';
    }
    exitStatus = kExitOk;
  });
}

}  // namespace tw::cli
