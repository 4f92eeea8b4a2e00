#pragma once

#include <array>

#include "cli/cli_command.h"

namespace tw::cli {

void registerRows(CLI::App& parent, int& exitStatus);
void registerParams(CLI::App& parent, int& exitStatus);
void registerDecode(CLI::App& parent, int& exitStatus);
void registerReport(CLI::App& parent, int& exitStatus);
void registerDiff(CLI::App& parent, int& exitStatus);

// One registrar per command file, in the order `--help` lists them.
inline constexpr std::array<CommandRegistrar, 5> kCommands = {
    registerRows, registerParams, registerDecode, registerReport, registerDiff,
};

}  // namespace tw::cli
