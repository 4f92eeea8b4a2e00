#pragma once

#include "cli/cli_command.h"

#include <array>

namespace tw::cli {

void registerRows(CLI::App& parent, int& exitStatus);
void registerParams(CLI::App& parent, int& exitStatus);
void registerDecode(CLI::App& parent, int& exitStatus);
void registerEmulate(CLI::App& parent, int& exitStatus);
void registerProbe(CLI::App& parent, int& exitStatus);
void registerSet(CLI::App& parent, int& exitStatus);
void registerReport(CLI::App& parent, int& exitStatus);
void registerDiff(CLI::App& parent, int& exitStatus);
void registerUpload(CLI::App& parent, int& exitStatus);
void registerDownload(CLI::App& parent, int& exitStatus);
void registerCompare(CLI::App& parent, int& exitStatus);
void registerApply(CLI::App& parent, int& exitStatus);
void registerMemory(CLI::App& parent, int& exitStatus);
void registerDock(CLI::App& parent, int& exitStatus);

// One registrar per command file, in the order `--help` lists them.
inline constexpr std::array<CommandRegistrar, 14> kCommands = {
    registerProbe,  registerSet,    registerMemory, registerDock,   registerUpload, registerDownload, registerCompare,
    registerApply,  registerReport, registerParams, registerDiff,   registerDecode, registerRows,     registerEmulate,
};

}  // namespace tw::cli
