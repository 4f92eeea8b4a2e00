#pragma once

// What a configuration file may change, checked on the entries the tool knows before and
// after a read (ConfigurationFile::KnownEntries). Shared by the file tests and the
// configuration file's fuzz target.

#include <cctype>
#include <string>
#include <string_view>
#include <vector>

#include "files/profile.h"

namespace tw::test {

inline bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

inline std::string_view WithoutTrailingBlanks(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// The settings a read changed without the file validly making the change, one line each:
// a setting may change only when the file holds its section, and a setting whose key the
// file holds must end showing the file's text (trailing blanks carry nothing: a name keeps
// its eight characters). (A memory's DSP section depends on the
// memory's program, and the memo is written escaped: those are left out.)
inline std::vector<std::string> ChangesNotMadeByTheFile(const files::Profile& file, const files::Profile& before,
                                                        const files::Profile& after) {
  std::vector<std::string> wrong;
  for (const std::string& section : after.SectionNames()) {
    if (EqualIgnoringCase(section, "User Memo")) continue;
    for (const std::string& key : after.KeyNames(section)) {
      if (!before.HasKey(section, key)) continue;
      const std::string now = after.GetString(section, key, "", std::string::npos);
      const std::string was = before.GetString(section, key, "", std::string::npos);
      if (now == was) continue;
      const std::string where = "[" + section + "] " + key + ": \"" + was + "\" became \"" + now + "\"";
      if (file.KeyNames(section).empty()) {
        wrong.push_back(where + " though the file has no such section");
      } else if (file.HasKey(section, key)) {
        const std::string given = file.GetString(section, key, "", std::string::npos);
        if (!EqualIgnoringCase(WithoutTrailingBlanks(now), WithoutTrailingBlanks(given))) wrong.push_back(where + " from the text \"" + given + "\"");
      }
    }
  }
  return wrong;
}

}  // namespace tw::test
