#pragma once

#include "cli/cli_command.h"

#include <array>

namespace tw::cli {

// One registrar per command file, in the order `--help` lists them.
void registerDecode(CLI::App& parent, int& exitStatus);

inline constexpr std::array<CommandRegistrar, 1> kCommands = {registerDecode};

}  // namespace tw::cli
