// tunewright-cli diff A.qcf (B.qcf | --defaults): the settings that differ, by section.

#include <iostream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/cli_configuration.h"
#include "cli/cli_json.h"
#include "comm/frame_notation.h"

namespace tw::cli {
namespace {

struct DiffOptions {
  std::vector<std::string> files;
  bool defaults = false;
  int region = model::kDefaultTunerRegion;
  bool json = false;
};

std::string Fold(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

struct Difference {
  std::string section;
  std::string key;
  std::string a;
  std::string b;
};

// Every section and key of `a`, then those only `b` has, in file order.
std::vector<Difference> Differences(const files::Profile& a, const files::Profile& b) {
  std::vector<std::string> sections = a.SectionNames();
  std::set<std::string> seen;
  for (const std::string& s : sections) seen.insert(Fold(s));
  for (const std::string& s : b.SectionNames()) {
    if (seen.insert(Fold(s)).second) sections.push_back(s);
  }
  std::vector<Difference> differences;
  for (const std::string& section : sections) {
    std::vector<std::string> keys = a.KeyNames(section);
    std::set<std::string> seenKeys;
    for (const std::string& k : keys) seenKeys.insert(Fold(k));
    for (const std::string& k : b.KeyNames(section)) {
      if (seenKeys.insert(Fold(k)).second) keys.push_back(k);
    }
    for (const std::string& key : keys) {
      std::string left = a.GetString(section, key, "", std::string::npos);
      std::string right = b.GetString(section, key, "", std::string::npos);
      if (left != right) differences.push_back({section, key, std::move(left), std::move(right)});
    }
  }
  return differences;
}

// A section is printed once, before its first difference. Values from the files (a memo, a
// name) are shown escaped: they must not drive the terminal.
void PrintText(const std::vector<Difference>& differences) {
  std::ostringstream listing;
  const std::string* section = nullptr;
  for (const Difference& d : differences) {
    if (section == nullptr || *section != d.section) listing << '[' << d.section << "]\n";
    section = &d.section;
    listing << d.key << ": \"" << d.a << "\" vs \"" << d.b << "\"\n";
  }
  std::cout << comm::EscapeControlsByLine(listing.str());
}

void PrintJson(const std::vector<Difference>& differences) {
  Json list = Json::array();
  for (const Difference& d : differences) list.push_back({{"section", d.section}, {"key", d.key}, {"a", d.a}, {"b", d.b}});
  PrintJsonResult("diff", {{"equal", differences.empty()}, {"differences", std::move(list)}});
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
  AddJsonOption(*command, options->json);
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
    const std::vector<Difference> differences = Differences(first.KnownEntries(), second.KnownEntries());
    if (options->json) {
      PrintJson(differences);
    } else {
      PrintText(differences);
    }
    exitStatus = differences.empty() ? kExitOk : kExitLinkFailed;
  });
}

}  // namespace tw::cli
