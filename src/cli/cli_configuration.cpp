#include "cli/cli_configuration.h"

#include <iostream>

#include "model/parameter_access.h"
#include "pages/configuration_check.h"

namespace tw::cli {
namespace {

// More than this many ignored entries are summed up in one line.
constexpr std::size_t kListedWarnings = 5;

}  // namespace

ui::MessageResult CliUiServices::messageBox(std::string_view text, std::string_view, ui::MessageIcon,
                                            ui::MessageButtons buttons) {
  std::string line(text);
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  if (echo_) std::cerr << "tunewright-cli: " << line << '\n';
  messages.push_back(std::move(line));
  switch (buttons) {
    case ui::MessageButtons::Ok:
      return ui::MessageResult::Ok;
    case ui::MessageButtons::OkCancel:
      return ui::MessageResult::Cancel;
    case ui::MessageButtons::YesNo:
      return ui::MessageResult::No;
  }
  return ui::MessageResult::Cancel;
}

CLI::Option* AddRegionOption(CLI::App& command, int& region) {
  return command.add_option("--region", region,
                            "tuner region: 0 Japan, 1 USA/Canada, 2 EU/Asia, 3 Other (default 1)");
}

int CheckedRegion(int region) {
  if (region < 0 || region >= model::kTunerRegionCount) {
    throw CliFailure{kExitBadInput, "--region must be 0, 1, 2 or 3, not " + std::to_string(region)};
  }
  return region;
}

std::string QuotedPath(const std::string& path) { return "\"" + path + "\""; }

files::Profile ReadConfigurationFile(pages::ConfigurationWorkspace& workspace, const std::string& path) {
  files::Profile profile;
  const files::FileStatus status = profile.Load(path);
  if (!status) throw CliFailure{kExitBadInput, status.error + " Give the path of a .qcf configuration file."};

  const files::Profile before = workspace.KnownEntries();
  workspace.Load(profile);
  const pages::ConfigurationCheck check = pages::CheckRead(profile, before, workspace.KnownEntries());
  if (check.entries == 0) {
    throw CliFailure{kExitBadInput, QuotedPath(path) +
                                        " holds no settings: it is empty or not a configuration file. "
                                        "Give a .qcf file saved by Tunewright."};
  }
  if (check.read == 0) {
    throw CliFailure{kExitBadInput, QuotedPath(path) + " is not a configuration file: none of its " +
                                        std::to_string(check.entries) +
                                        " entries is a setting this tool can read. Give a .qcf file saved by "
                                        "Tunewright."};
  }
  for (std::size_t i = 0; i < check.ignored.size() && i < kListedWarnings; ++i) {
    std::cerr << "tunewright-cli: warning: " << QuotedPath(path) << ": "
              << pages::DescribeIgnored(check.ignored[i]) << '\n';
  }
  if (check.ignored.size() > kListedWarnings) {
    std::cerr << "tunewright-cli: warning: " << QuotedPath(path) << ": "
              << check.ignored.size() - kListedWarnings << " more entries were not read\n";
  }
  return profile;
}

}  // namespace tw::cli
