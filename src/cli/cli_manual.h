#pragma once

// The manual page of tunewright-cli, from the same command and option definitions as --help.

#include <CLI/CLI.hpp>
#include <string>

namespace tw::cli {

// roff text of tunewright-cli(1): one section per command of `tool`.
std::string ManualPageText(const CLI::App& tool);

}  // namespace tw::cli
