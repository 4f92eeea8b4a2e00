#pragma once

// --json: one JSON document on stdout for scripts. Every document has "command" and "ok";
// a result adds its own fields, a failure an "error" with the exit status, the message, and
// the message split into its cause and what to do about it.

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/cli_command.h"

namespace tw::cli {

using Json = nlohmann::ordered_json;

void AddJsonOption(CLI::App& command, bool& json);
// {"command": name, "ok": true} and `result`'s fields, printed.
void PrintJsonResult(const std::string& command, const Json& result);
// The document of a failure of `command`.
Json JsonError(const std::string& command, int status, const std::string& message);
// Whether the command that ran asked for --json (the parsed subcommand of `tool`), and its name.
bool WantsJson(const CLI::App& tool, std::string& command);

struct CauseAndRemedy {
  std::string cause;
  std::string remedy;  // empty where the message says no remedy
};
// From the first sentence that begins as the program's remedies do, a message is its remedy.
CauseAndRemedy SplitRemedy(const std::string& message);

}  // namespace tw::cli
