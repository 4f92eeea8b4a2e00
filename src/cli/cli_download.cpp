// tunewright-cli download: a configuration file sent to the receiver by an Async Mode
// download (every setting and the six System Memories).

#include <iostream>
#include <memory>

#include "cli/cli_commands.h"
#include "cli/cli_configuration.h"
#include "cli/cli_json.h"
#include "cli/cli_transfer.h"
#include "settings/configuration_check.h"
#include "session/upload_recovery.h"

namespace tw::cli {
namespace {

struct DownloadOptions {
  ReceiverTarget target;
  int region = 1;
  std::string file;
  bool fillDefaults = false;
  bool currentOnly = false;
  bool json = false;
};

// A download sends every setting: a file that lacks some would put factory values on the
// receiver that the user never saw, so that happens only when asked for.
void RefuseIncomplete(const DownloadOptions& options, const settings::ConfigurationCheck& check) {
  if (options.fillDefaults) return;
  const settings::ConfigurationCheck sent = options.currentOnly ? settings::CurrentSettingsPart(check) : check;
  if (const auto lacking = settings::DescribeLackingSettings(sent)) {
    throw CliFailure{kExitBadInput,
                     QuotedPath(options.file) + " is not a complete configuration: it " + *lacking +
                         ". A download sends every setting, so the receiver would get factory values for these. "
                         "Give a complete file (tunewright-cli upload saves one), or add --fill-defaults to send "
                         "factory values for the missing settings on purpose."};
  }
}

// The command that sends the same file to the same receiver again.
std::string SendAgainCommand(const DownloadOptions& options) {
  const std::string target = options.target.emulator ? "--emulator" : "--port " + session::ShellWord(options.target.port);
  return "tunewright-cli download " + target + (options.currentOnly ? " --current-only " : " ") +
         session::ShellWord(options.file);
}

// The file as read into the images of the program that sends it; the view then shows it,
// as after opening a file.
void LoadInto(session::Workbench& bench, const files::Profile& profile) {
  std::string memo;
  bench.configuration().Load(profile, bench.link().images(), memo);
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
  command->add_flag("--fill-defaults", options->fillDefaults,
                    "send a file that lacks settings anyway: the receiver gets factory values for every setting "
                    "the file lacks");
  command->add_flag("--current-only", options->currentOnly,
                    "send the current settings alone, no System Memory, and only those an upload reads (as to "
                    "restore a receiver from a recovery file an interrupted upload left)");
  AddJsonOption(*command, options->json);
  AddExample(*command, "download --port /dev/ttyUSB0 living-room.qcf");
  command->callback([options, &exitStatus] {
    CheckTarget(options->target, "download", {options->file});
    const int region = CheckedRegion(options->region);
    // The file is read and checked before anything connects.
    OfflineConfiguration check(region);
    const auto profile = std::make_shared<files::Profile>(ReadConfigurationFile(
        check, options->file,
        [&options](const settings::ConfigurationCheck& read) { RefuseIncomplete(*options, read); }));
    TransferRun run;
    run.operation = session::Workbench::Operation::Download;
    run.tunerRegion = region;
    run.label = "download";
    run.files = {options->file};
    run.sentFile = options->file;
    run.sendAgainCommand = SendAgainCommand(*options);
    run.prepare = [profile, options](session::Workbench& bench) {
      LoadInto(bench, *profile);
      bench.link().setDownloadSendsMemories(!options->currentOnly);
    };
    RunTransfer(options->target, run);
    if (options->json) {
      PrintJsonResult("download", {{"file", options->file}, {"memories", !options->currentOnly}});
    } else {
      std::cout << "sent " << options->file << " to the receiver\n";
    }
    exitStatus = kExitOk;
  });
}

}  // namespace tw::cli
