#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "files/profile.h"

namespace tw::pages {

// An entry of a configuration file that reading did not take: an unknown section or key,
// or a text that is none of the setting's values.
struct IgnoredEntry {
  std::string section;
  std::string key;
  std::string value;
  bool knownKey = false;  // the section and key are a setting's; the value was not one of its texts
};

// What a read made of a file, for telling a user.
struct ConfigurationCheck {
  std::size_t entries = 0;  // non-empty entries in the file
  std::size_t read = 0;     // of these, entries that set their setting
  std::vector<IgnoredEntry> ignored;
};

// Compares the entries of `file` with what the tool knows (KnownEntries) before and after
// reading it. An entry counts as read when its setting now shows the file's text (letter case
// aside), or shows a text other than before (a value written in another spelling).
ConfigurationCheck CheckRead(const files::Profile& file, const files::Profile& knownBefore,
                             const files::Profile& knownAfter);

// One line for a user about an ignored entry: `[section] key = "value": why`.
std::string DescribeIgnored(const IgnoredEntry& entry);

}  // namespace tw::pages
