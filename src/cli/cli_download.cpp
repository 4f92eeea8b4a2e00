// tunewright-cli download: a configuration file sent to the receiver by an Async Mode
// download (every setting and the six System Memories).

#include <iostream>
#include <memory>

#include "cli/cli_commands.h"
#include "cli/cli_configuration.h"
#include "cli/cli_transfer.h"
#include "pages/configuration_file.h"

namespace tw::cli {
namespace {

struct DownloadOptions {
  TransferTarget target;
  int region = 1;
  std::string file;
};

// The file as read into the images of the program that sends it; the view then shows it,
// as after opening a file.
void LoadInto(pages::Workbench& bench, const files::Profile& profile) {
  const pages::BasicItemsOf<ui::BasicControlGroup> basicItems(bench.basicControls());
  const pages::ConfigurationFile file(bench.sheet(), &basicItems);
  std::string memo;
  file.Load(profile, bench.link().images(), memo);
  bench.view().RefreshAllPages();
}

}  // namespace

void registerDownload(CLI::App& parent, int& exitStatus) {
  auto options = std::make_shared<DownloadOptions>();
  CLI::App* command = parent.add_subcommand(
      "download", "Send a configuration file to the receiver (Async Mode download): every setting and the six "
                  "System Memories");
  AddTargetOptions(*command, options->target);
  AddRegionOption(*command, options->region);
  command->add_option("file", options->file, "configuration file to send (.qcf)")->required();
  command->callback([options, &exitStatus] {
    CheckTarget(options->target, "download", {options->file});
    const int region = CheckedRegion(options->region);
    // The file is read and checked before anything connects.
    OfflineConfiguration check(region);
    const auto profile = std::make_shared<files::Profile>(ReadConfigurationFile(check.workspace, options->file));
    TransferRun run;
    run.operation = pages::Workbench::Operation::Download;
    run.tunerRegion = region;
    run.label = "download";
    run.files = {options->file};
    run.prepare = [profile](pages::Workbench& bench) { LoadInto(bench, *profile); };
    RunTransfer(options->target, run);
    std::cout << "sent " << options->file << " to the receiver\n";
    exitStatus = kExitOk;
  });
}

}  // namespace tw::cli
