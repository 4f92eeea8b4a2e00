#pragma once

#include "cli/cli_command.h"

#include <array>

namespace tw::cli {

// One registrar per command file, in the order `--help` lists them.

inline constexpr std::array<CommandRegistrar, 0> kCommands = {};

}  // namespace tw::cli
