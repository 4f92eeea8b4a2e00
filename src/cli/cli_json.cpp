#include "cli/cli_json.h"

#include <array>
#include <iostream>
#include <string_view>

namespace tw::cli {
namespace {

// How the program's messages say what to do, at the start of their last sentence.
constexpr std::array<std::string_view, 14> kRemedyOpenings = {
    "Check ",           "Choose ",      "Close that program", "Give ",           "Plug in ",
    "Put them back",    "Run ",         "Send ",              "Your user may not", "Only its owner may open it",
    "The serial ports", "Try again",    "Use ",               "Sending the file again",
};

}  // namespace

void AddJsonOption(CLI::App& command, bool& json) {
  command.add_flag("--json", json,
                   "print one JSON document on stdout: the result, or the error with its cause and remedy");
}

void PrintJsonResult(const std::string& command, const Json& result) {
  Json document = {{"command", command}, {"ok", true}};
  document.update(result);
  std::cout << document.dump(2) << '\n';
}

Json JsonError(const std::string& command, int status, const std::string& message) {
  const CauseAndRemedy split = SplitRemedy(message);
  Json error = {{"status", status}, {"message", message}, {"cause", split.cause}};
  error["remedy"] = split.remedy.empty() ? Json(nullptr) : Json(split.remedy);
  return {{"command", command}, {"ok", false}, {"error", error}};
}

bool WantsJson(const CLI::App& tool, std::string& command) {
  for (const CLI::App* sub : tool.get_subcommands()) {
    const CLI::Option* json = sub->get_option_no_throw("--json");
    if (json != nullptr && json->count() > 0) {
      command = sub->get_name();
      return true;
    }
  }
  return false;
}

CauseAndRemedy SplitRemedy(const std::string& message) {
  // Sentences end with ". " before the next one; the first sentence that opens as a remedy
  // begins the remedy.
  for (std::size_t end = message.find(". "); end != std::string::npos; end = message.find(". ", end + 2)) {
    const std::string_view rest = std::string_view(message).substr(end + 2);
    for (std::string_view opening : kRemedyOpenings) {
      if (rest.substr(0, opening.size()) == opening) return {message.substr(0, end + 1), std::string(rest)};
    }
  }
  return {message, ""};
}

}  // namespace tw::cli
