#include "app/command_line.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "model/ascii.h"

namespace tw::app {
namespace {

constexpr std::array<std::string_view, 2> kRegistrationSwitches = {"RegServer", "UnregServer"};
constexpr std::array<std::string_view, 2> kAutomationSwitches = {"Embedding", "Automation"};

bool IsOneOf(std::string_view name, const std::array<std::string_view, 2>& names) {
  return std::any_of(names.begin(), names.end(),
                     [&](std::string_view n) { return model::EqualsIgnoringCase(name, n); });
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  for (const std::string& argument : arguments) {
    if (argument.empty()) continue;
    const std::string_view name = std::string_view(argument).substr(1);
    const bool knownSwitch = IsOneOf(name, kRegistrationSwitches) || IsOneOf(name, kAutomationSwitches);
    const bool isSwitch = argument.front() == '-' || (argument.front() == '/' && knownSwitch);
    if (isSwitch) {
      if (IsOneOf(name, kRegistrationSwitches)) line.registrationSwitch = true;
      if (IsOneOf(name, kAutomationSwitches)) line.automationStart = true;
      continue;
    }
    if (!line.fileToOpen) line.fileToOpen = argument;
  }
  return line;
}

}  // namespace tw::app
