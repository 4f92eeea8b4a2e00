#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tw::app {

// What the program's command line asks for.
struct CommandLine {
  // "RegServer" or "UnregServer" (after "-" or "/", any letter case): end at once.
  bool registrationSwitch = false;
  // "Embedding" or "Automation": a start without a document or window.
  bool automationStart = false;
  // The first argument that is not a switch: a configuration file to open.
  std::optional<std::string> fileToOpen;
};

// Parses the arguments after the program name. "-" always introduces a switch; "/" only
// for the switch names above, because "/" also begins every absolute path here.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace tw::app
