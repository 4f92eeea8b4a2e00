#pragma once

#include "cli/cli_command.h"

#include <array>

namespace tw::cli {

void registerRows(CLI::App& parent, int& exitStatus);
void registerParams(CLI::App& parent, int& exitStatus);

// One registrar per command file, in the order `--help` lists them.
void registerDecode(CLI::App& parent, int& exitStatus);

inline constexpr std::array<CommandRegistrar, 3> kCommands = {
    registerRows,
    registerParams,
    registerDecode,
};

}  // namespace tw::cli
