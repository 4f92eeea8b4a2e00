#pragma once

#include "cli/cli_command.h"

#include <array>

namespace tw::cli {

void registerRows(CLI::App& parent, int& exitStatus);
void registerParams(CLI::App& parent, int& exitStatus);
void registerDecode(CLI::App& parent, int& exitStatus);
void registerProbe(CLI::App& parent, int& exitStatus);
void registerEmulate(CLI::App& parent, int& exitStatus);

// One registrar per command file, in the order `--help` lists them.
inline constexpr std::array<CommandRegistrar, 5> kCommands = {
    registerRows,
    registerParams,
    registerDecode,
    registerProbe,
    registerEmulate,
};

}  // namespace tw::cli
