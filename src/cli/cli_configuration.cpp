#include "cli/cli_configuration.h"

#include <iostream>

#include "comm/frame_notation.h"
#include "model/parameter_access.h"
#include "settings/configuration_check.h"

namespace tw::cli {

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

files::Profile ReadConfigurationFile(OfflineConfiguration& configuration, const std::string& path,
                                     const std::function<void(const settings::ConfigurationCheck&)>& vet) {
  files::Profile profile;
  const files::FileStatus status = profile.Load(path);
  if (!status) throw CliFailure{kExitBadInput, status.error + " Give the path of a .qcf configuration file."};

  const settings::ConfigurationCheck check = configuration.LoadChecked(profile);
  if (const auto refusal = settings::DescribeRefusal(check, QuotedPath(path))) throw CliFailure{kExitBadInput, *refusal};
  if (vet) vet(check);
  for (const std::string& line : settings::DescribeWarnings(check, QuotedPath(path))) {
    std::cerr << "tunewright-cli: warning: " << comm::EscapeControls(line) << '\n';
  }
  return profile;
}

}  // namespace tw::cli
