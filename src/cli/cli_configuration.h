#pragma once

// What the configuration commands share: a configuration without a receiver, reading a
// ".qcf" file with clear errors, and the tuner region option.

#include <functional>
#include <string>

#include "cli/cli_command.h"
#include "settings/offline_configuration.h"

namespace tw::cli {

using settings::OfflineConfiguration;

// Adds "--region N" (0 Japan, 1 USA/Canada, 2 EU/Asia, 3 Other) to `command`.
CLI::Option* AddRegionOption(CLI::App& command, int& region);
// The region, or a bad-usage failure when it is not 0..3.
int CheckedRegion(int region);

// Reads `path` into `configuration` (merging into what it holds). A file that cannot be read or
// holds no setting of this tool ends the command with a message naming the file (exit 2);
// settings the file lacks and entries that were not read are warned about on stderr.
// `vet`, when given, sees what the read made of the file before any warning and may end the
// command (by throwing CliFailure). Returns the file as read.
files::Profile ReadConfigurationFile(OfflineConfiguration& configuration, const std::string& path,
                                     const std::function<void(const settings::ConfigurationCheck&)>& vet = {});

// `path` in double quotes, as messages name files.
std::string QuotedPath(const std::string& path);

}  // namespace tw::cli
