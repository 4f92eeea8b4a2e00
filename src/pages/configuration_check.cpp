#include "pages/configuration_check.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace tw::pages {
namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

ConfigurationCheck CheckRead(const files::Profile& file, const files::Profile& knownBefore,
                             const files::Profile& knownAfter) {
  ConfigurationCheck check;
  for (const std::string& section : file.SectionNames()) {
    for (const std::string& key : file.KeyNames(section)) {
      const std::string value = file.GetString(section, key, "");
      if (value.empty()) continue;  // an empty entry leaves its setting alone by design
      ++check.entries;
      if (!knownAfter.HasKey(section, key)) {
        check.ignored.push_back({section, key, value, false});
        continue;
      }
      const std::string now = knownAfter.GetString(section, key, "");
      if (EqualIgnoringCase(value, now) || now != knownBefore.GetString(section, key, "")) {
        ++check.read;
      } else {
        check.ignored.push_back({section, key, value, true});
      }
    }
  }
  return check;
}

std::string DescribeIgnored(const IgnoredEntry& entry) {
  std::string line = "[" + entry.section + "] " + entry.key + " = \"" + entry.value + "\": ";
  line += entry.knownKey ? "not one of this setting's values, left unchanged"
                         : "not a setting of this tool, ignored";
  return line;
}

}  // namespace tw::pages
