// tunewright-cli diff A.qcf (B.qcf | --defaults): the settings that differ, by section.

#include <iostream>
#include <memory>
#include <set>
#include <sstream>

#include "cli/cli_commands.h"
#include "cli/cli_configuration.h"
#include "comm/frame_notation.h"

namespace tw::cli {
namespace {

struct DiffOptions {
  std::vector<std::string> files;
  bool defaults = false;
  int region = model::kDefaultTunerRegion;
};

std::string Fold(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

// Every section and key of `a`, then those only `b` has, in file order; a section is printed
// once, before its first difference.
int PrintDifferences(const files::Profile& a, const files::Profile& b, std::ostream& out) {
  std::vector<std::string> sections = a.SectionNames();
  std::set<std::string> seen;
  for (const std::string& s : sections) seen.insert(Fold(s));
  for (const std::string& s : b.SectionNames()) {
    if (seen.insert(Fold(s)).second) sections.push_back(s);
  }
  int differences = 0;
  for (const std::string& section : sections) {
    std::vector<std::string> keys = a.KeyNames(section);
    std::set<std::string> seenKeys;
    for (const std::string& k : keys) seenKeys.insert(Fold(k));
    for (const std::string& k : b.KeyNames(section)) {
      if (seenKeys.insert(Fold(k)).second) keys.push_back(k);
    }
    bool headed = false;
    for (const std::string& key : keys) {
      const std::string left = a.GetString(section, key, "", std::string::npos);
      const std::string right = b.GetString(section, key, "", std::string::npos);
      if (left == right) continue;
      if (!headed) {
        out << '[' << section << "]\n";
        headed = true;
      }
      out << key << ": \"" << left << "\" vs \"" << right << "\"\n";
      ++differences;
    }
  }
  return differences;
}

}  // namespace

void registerDiff(CLI::App& parent, int& exitStatus) {
  auto options = std::make_shared<DiffOptions>();
  CLI::App* command = parent.add_subcommand(
      "diff",
      "Show the settings that differ between two .qcf files, or a file and the factory settings "
      "(exit 0 when equal, 1 when they differ)");
  command->add_option("FILES", options->files, "A.qcf [B.qcf]")->expected(1, 2)->required();
  command->add_flag("--defaults", options->defaults, "compare A.qcf with the factory settings");
  AddRegionOption(*command, options->region);
  AddExample(*command, "diff living-room.qcf --defaults");
  command->callback([options, &exitStatus] {
    const int region = CheckedRegion(options->region);
    if (options->defaults == (options->files.size() == 2)) {
      throw CliFailure{kExitBadInput,
                       "diff needs two files, or one file and --defaults "
                       "(tunewright-cli diff A.qcf B.qcf | tunewright-cli diff A.qcf --defaults)"};
    }
    OfflineConfiguration first(region);
    ReadConfigurationFile(first, options->files[0]);
    OfflineConfiguration second(region);
    if (!options->defaults) ReadConfigurationFile(second, options->files[1]);
    // Every setting the tool knows, XM Set included whatever the region.
    // Values from the files (a memo, a name) are shown escaped: they must not drive the terminal.
    std::ostringstream listing;
    const int differences =
        PrintDifferences(first.KnownEntries(), second.KnownEntries(), listing);
    std::cout << comm::EscapeControlsByLine(listing.str());
    exitStatus = differences == 0 ? kExitOk : kExitLinkFailed;
  });
}

}  // namespace tw::cli
