#include "cli/cli_complete.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <sstream>
#include <string_view>

#include "cli/cli_set_edit.h"
#include "emu/emulator_options.h"
#include "pages/tuner/ipod_info.h"

namespace tw::cli {
namespace {

// Where serial adapters and the receiver's port show up.
constexpr std::array<std::string_view, 4> kSerialDevicePrefixes = {"ttyS", "ttyUSB", "ttyACM", "rfcomm"};

std::vector<std::string> SerialDevices() {
  std::vector<std::string> devices;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/dev", error)) {
    const std::string name = entry.path().filename().string();
    for (std::string_view prefix : kSerialDevicePrefixes) {
      if (name.rfind(prefix, 0) == 0) devices.push_back(entry.path().string());
    }
  }
  for (const auto& entry : std::filesystem::directory_iterator("/dev/serial/by-id", error)) devices.push_back(entry.path().string());
  std::sort(devices.begin(), devices.end());
  return devices;
}

// "zone2=", "seed=", ...: the keys of the virtual receiver's help, each on a line of its own.
std::vector<std::string> EmulatorKeys() {
  std::vector<std::string> keys;
  std::istringstream lines(emu::EmulatorOptionHelp());
  std::string line;
  while (std::getline(lines, line)) {
    const std::size_t start = line.find_first_not_of(' ');
    const std::size_t equals = line.find('=');
    if (start != std::string::npos && start <= 2 && equals != std::string::npos) keys.push_back(line.substr(start, equals - start + 1));
  }
  return keys;
}

// Values of an option that takes one; nothing for a file or free text.
std::vector<std::string> OptionValues(const std::string& option) {
  if (option == "--port") return SerialDevices();
  if (option == "--pacing") return {"reply", "mandated"};
  if (option == "--region") return {"0", "1", "2", "3"};
  if (option == "--emulator-option") return EmulatorKeys();
  return {};
}

std::vector<std::string> Positionals(const std::string& command, const std::vector<std::string>& before) {
  const std::size_t index = before.size();
  if (command == "set") {
    if (index == 0) return SettablePages();
    if (index == 1) return SettableKeys(before[0]);
  } else if (command == "memory") {
    if (index == 0) return {"load", "save"};
    if (index == 1) return {"system", "main-volume", "zone2-volume", "zone3-volume"};
    if (index == 2) return {"1", "2", "3", "4", "5", "6"};
  } else if (command == "dock" && index == 0) {
    std::vector<std::string> names;
    for (const pages::ipod::DockOperation& operation : pages::ipod::kDockOperations) names.emplace_back(operation.name);
    return names;
  }
  return {};
}

std::vector<std::string> OptionNames(const CLI::App& command) {
  std::vector<std::string> names;
  for (const CLI::Option* option : command.get_options()) {
    for (const std::string& name : option->get_lnames()) names.push_back("--" + name);
    for (const std::string& name : option->get_snames()) names.push_back("-" + name);
  }
  return names;
}

std::vector<std::string> Candidates(const CLI::App& tool, const std::vector<std::string>& words) {
  const std::string& current = words.back();
  const CLI::App* command = nullptr;
  std::vector<std::string> positionals;
  for (std::size_t i = 0; i + 1 < words.size(); ++i) {
    const std::string& word = words[i];
    if (command == nullptr) {
      for (const CLI::App* sub : tool.get_subcommands([](const CLI::App*) { return true; })) {
        if (sub->get_name() == word) command = sub;
      }
      continue;
    }
    if (word.rfind("-", 0) == 0) {
      // An option's value is no positional word.
      const CLI::Option* option = command->get_option_no_throw(word);
      if (option != nullptr && option->get_items_expected_max() > 0 && word.find('=') == std::string::npos) ++i;
      continue;
    }
    positionals.push_back(word);
  }
  if (command == nullptr) {
    if (current.rfind("-", 0) == 0) return {"--help", "--version"};
    std::vector<std::string> names;
    for (const CLI::App* sub : tool.get_subcommands([](const CLI::App*) { return true; })) names.push_back(sub->get_name());
    return names;
  }
  if (words.size() >= 2) {
    const std::string& previous = words[words.size() - 2];
    const CLI::Option* option = previous.rfind("-", 0) == 0 ? command->get_option_no_throw(previous) : nullptr;
    if (option != nullptr && option->get_items_expected_max() > 0) return OptionValues(previous);
  }
  if (current.rfind("-", 0) == 0) return OptionNames(*command);
  return Positionals(command->get_name(), positionals);
}

// A word as the shell's line holds it, begun with a quote or with escaped blanks: as the
// command will get it.
std::string Unquoted(const std::string& word) {
  std::string plain;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (word[i] == '"' || word[i] == '\'') continue;
    if (word[i] == '\\' && i + 1 < word.size()) ++i;
    plain += word[i];
  }
  return plain;
}

}  // namespace

std::vector<std::string> CompletionCandidates(const CLI::App& tool, const std::vector<std::string>& words) {
  if (words.empty()) return {};
  std::vector<std::string> plain;
  for (const std::string& word : words) plain.push_back(Unquoted(word));
  std::vector<std::string> matching;
  for (std::string& candidate : Candidates(tool, plain)) {
    if (candidate.rfind(plain.back(), 0) == 0) matching.push_back(std::move(candidate));
  }
  return matching;
}

}  // namespace tw::cli
