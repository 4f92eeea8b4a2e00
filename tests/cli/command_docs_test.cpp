// The commands as their documentation shows them: the README's table, each --help, the
// manual page, and bash's completion.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>

#include "cli/cli_run.h"

namespace tw::test {
namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The first word of every command in the README's table of commands.
std::set<std::string> ReadmeCommands() {
  const std::string readme = ReadAll(TW_README_PATH);
  const std::size_t table = readme.find("| command | what it does |");
  std::set<std::string> names;
  if (table == std::string::npos) return names;
  std::istringstream rows(readme.substr(table));
  std::string row;
  while (std::getline(rows, row) && row.rfind("|", 0) == 0) {
    const std::string first = row.substr(1, row.find(" | ", 1) - 1);
    for (std::size_t open = first.find('`'); open != std::string::npos;) {
      const std::size_t close = first.find('`', open + 1);
      if (close == std::string::npos) break;
      const std::string code = first.substr(open + 1, close - open - 1);
      names.insert(code.substr(0, code.find(' ')));
      open = first.find('`', close + 1);
    }
  }
  names.erase("command");
  return names;
}

// The commands `--help` lists, one indented line each after "Subcommands:".
std::set<std::string> HelpCommands() {
  const CliResult help = RunCliIn(std::filesystem::temp_directory_path(), "--help");
  std::istringstream lines(help.out.substr(help.out.find("Subcommands:") + 1));
  std::set<std::string> names;
  std::string line;
  std::getline(lines, line);
  while (std::getline(lines, line) && line.rfind("  ", 0) == 0) {
    std::istringstream words(line);
    std::string name;
    words >> name;
    names.insert(name);
  }
  return names;
}

TEST(CommandDocs, TheReadmeAndTheManualPageHaveEveryCommandAndEachHelpEndsWithAnExample) {
  const std::set<std::string> commands = HelpCommands();
  EXPECT_GE(commands.size(), 12u);
  EXPECT_EQ(ReadmeCommands(), commands);
  const std::string manual = ReadAll(TW_MANUAL_PATH);
  for (const std::string& command : commands) {
    const CliResult help = RunCliIn(std::filesystem::temp_directory_path(), command + " --help");
    EXPECT_TRUE(Contains(help.out, "Example: tunewright-cli " + command)) << command << ":\n" << help.out;
    EXPECT_TRUE(Contains(manual, ".SS \"" + command + "\"\n.PP\n.nf\ntunewright\\-cli " + command)) << command;
  }
}

// What bash offers after the words of `line` (the last one being completed), through the
// installed completion script and the tool.
std::string Completions(const std::string& line) {
  TempFolder folder("completion");
  const std::string script = "source '" TW_COMPLETION_PATH "'; COMP_WORDS=('" TW_CLI_PATH "' " + line +
                             "); COMP_CWORD=$((${#COMP_WORDS[@]}-1)); _tunewright_cli; printf '%s|' \"${COMPREPLY[@]}\"";
  WriteAll(folder.path() / "complete.sh", script);
  const std::string out = (folder.path() / "out").string();
  const int status = std::system(("bash '" + (folder.path() / "complete.sh").string() + "' > '" + out + "'").c_str());
  return status == 0 ? ReadAll(out) : "bash failed";
}

TEST(CommandDocs, BashCompletesCommandsOptionsPagesKeysAndValues) {
  struct Case {
    std::string line;
    std::string offered;
  };
  for (const Case& c : {Case{"up", "upload|"},
                        Case{"upload --pa", "--pacing|"},
                        Case{"set --emulator --pacing ''", "reply|mandated|"},
                        Case{"set --emulator 'Speaker\\ L'", "Speaker\\ Level|"},
                        Case{"set '\"Speaker Level' F", "FL|FR|"},
                        Case{"memory load m", "main-volume|"},
                        Case{"dock p", "play|pause|prev|"},
                        Case{"probe --emulator-option zone", "zone2=|zone3=|"},
                        Case{"download --emulator ''", "|"}}) {  // a file: bash offers file names
    EXPECT_EQ(Completions(c.line), c.offered) << c.line;
  }
}

}  // namespace
}  // namespace tw::test
