#pragma once

// Shell completion: the words that may follow on a command line of tunewright-cli, from the
// same command definitions as --help and from the settings catalogue.

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace tw::cli {

// `words` are the command line's words after the program's name, the last one the word being
// completed (empty for a new word). The candidates that begin with it; none where a file
// name belongs (the shell then offers files).
std::vector<std::string> CompletionCandidates(const CLI::App& tool, const std::vector<std::string>& words);

}  // namespace tw::cli
