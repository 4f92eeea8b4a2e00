#pragma once

#include <array>

#include "cli/cli_command.h"

namespace tw::cli {

void registerRows(CLI::App& parent, int& exitStatus);
void registerParams(CLI::App& parent, int& exitStatus);
void registerDecode(CLI::App& parent, int& exitStatus);
inline constexpr std::array<CommandRegistrar, 13> kCommands = {
    registerEmulate,
    registerProbe,
    registerRows,
    registerParams,
    registerDecode,
    registerEmulate,
    registerProbe,
    registerReport,
    registerDiff,
    registerReport,
    registerDiff,
    registerSet,
    registerSet,
};

}  // namespace tw::cli
