#include "cli/cli_manual.h"

#include <sstream>

#include "app/manual_page.h"
#include "emu/emulator_options.h"

namespace tw::cli {
namespace {

bool IsPositional(const CLI::Option* option) { return option->get_positional() && option->get_lnames().empty() && option->get_snames().empty(); }

// "probe [OPTIONS]", "set [OPTIONS] PAGE KEY VALUE", "diff [OPTIONS] FILES..."
std::string Synopsis(const CLI::App& command) {
  std::string line = "tunewright-cli " + command.get_name() + " [OPTIONS]";
  for (const CLI::Option* option : command.get_options(IsPositional)) {
    std::string name = option->get_name(true);
    if (option->get_expected_max() > 1) name += "...";
    line += " " + (option->get_required() ? name : "[" + name + "]");
  }
  return line;
}

// "--port TEXT", "-q, --quiet", "--pacing reply|mandated"
std::string Term(const CLI::Option* option) {
  std::string term;
  for (const std::string& name : option->get_snames()) term += (term.empty() ? "-" : ", -") + name;
  for (const std::string& name : option->get_lnames()) term += (term.empty() ? "--" : ", --") + name;
  if (option->get_items_expected_max() > 0 && !option->get_type_name().empty()) term += " " + option->get_type_name();
  return term;
}

// An option's first line; the rest (the virtual receiver's keys) has a section of its own.
std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

// The virtual receiver's keys, from the help text that lists them: a key line, then its
// description indented further.
void EmulatorOptions(app::ManualPage& page) {
  std::istringstream lines(emu::EmulatorOptionHelp());
  std::string line;
  std::string key;
  std::string text;
  auto flush = [&] {
    if (!key.empty()) page.item(key, text);
    key.clear();
    text.clear();
  };
  while (std::getline(lines, line)) {
    const std::size_t indent = line.find_first_not_of(' ');
    if (indent == std::string::npos) continue;
    if (indent <= 2) {
      flush();
      key = line.substr(indent);
    } else {
      text += (text.empty() ? "" : " ") + line.substr(indent);
    }
  }
  flush();
}

}  // namespace

std::string ManualPageText(const CLI::App& tool) {
  app::ManualPage page("tunewright-cli", "command-line tool for the TQ-N4400 AV receiver", TW_VERSION);
  page.section("SYNOPSIS");
  page.paragraph("tunewright-cli COMMAND [OPTIONS] [ARGUMENTS]");
  page.section("DESCRIPTION");
  page.paragraph(tool.get_description() + ". Each command's options follow; tunewright-cli COMMAND --help says the "
                 "same. Exit status 0 is success, 1 a failure of the receiver or the link (or, for diff, a "
                 "difference), 2 bad usage or a bad input file.");
  page.section("COMMANDS");
  for (const CLI::App* command : tool.get_subcommands([](const CLI::App*) { return true; })) {
    page.subsection(command->get_name());
    page.verbatim(Synopsis(*command));
    page.paragraph(command->get_description());
    for (const CLI::Option* option : command->get_options()) {
      if (option->get_name().empty() || option->get_name() == "--help") continue;  // hidden, or help
      const std::string term = IsPositional(option) ? option->get_name(true) : Term(option);
      page.item(term, FirstLine(option->get_description()));
    }
    if (!command->get_footer().empty()) page.verbatim(command->get_footer());
  }
  page.section("VIRTUAL RECEIVER OPTIONS");
  page.paragraph("--emulator-option KEY=VALUE (repeatable) sets the in-process virtual receiver's capabilities, "
                 "settings and faults; tunewright-cli emulate takes the same keys.");
  EmulatorOptions(page);
  page.section("SEE ALSO");
  page.paragraph("tunewright(1)");
  return page.text();
}

}  // namespace tw::cli
