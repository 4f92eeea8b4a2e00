#include "settings/configuration_check.h"

#include <algorithm>
#include <string_view>

#include "files/memory_sections.h"
#include "files/user_memo.h"
#include "model/ascii.h"

namespace tw::settings {
namespace {

// More ignored entries than this are summed up in one line.
constexpr std::size_t kListedIgnoredEntries = 5;
// Sections named when a file lacks settings; the rest are counted.
constexpr std::size_t kListedMissingSections = 4;

bool IsMemo(std::string_view section) { return model::EqualsIgnoringCase(section, files::kUserMemoSection); }

bool IsRegional(std::string_view section, std::span<const std::string> regionalSections) {
  return std::any_of(regionalSections.begin(), regionalSections.end(), [&](const std::string& regional) {
    return model::EqualsIgnoringCase(section, regional);
  });
}

}  // namespace

ConfigurationCheck CheckRead(const files::Profile& file, const files::Profile& knownBefore,
                             const files::Profile& knownAfter, std::span<const std::string> regionalSections) {
  using Reason = IgnoredEntry::Reason;
  ConfigurationCheck check;
  check.wideText = file.IsWideText();
  for (const std::string& section : file.SectionNames()) {
    for (const std::string& key : file.KeyNames(section)) {
      const std::string value = file.GetString(section, key, "");
      if (value.empty()) continue;  // an empty entry leaves its setting alone by design
      ++check.entries;
      if (!knownAfter.HasKey(section, key)) {
        check.ignored.push_back({section, key, value, Reason::NotASetting, {}});
        continue;
      }
      if (!IsMemo(section)) ++check.settings;
      const std::string now = knownAfter.GetString(section, key, "");
      if (model::EqualsIgnoringCase(value, now) || now != knownBefore.GetString(section, key, "")) {
        ++check.read;
      } else {
        check.ignored.push_back({section, key, value, Reason::NotAValue, {}});
      }
    }
  }
  for (files::Profile::UnseenEntry& unseen : file.UnseenEntries()) {
    if (unseen.value.empty()) continue;
    ++check.entries;
    const Reason reason = unseen.reason == files::Profile::UnseenEntry::Reason::BeforeAnySection
                              ? Reason::BeforeAnySection
                              : Reason::Repeated;
    check.ignored.push_back({std::move(unseen.section), std::move(unseen.key), std::move(unseen.value), reason, {}});
  }
  for (const std::string& section : knownAfter.SectionNames()) {
    if (IsMemo(section)) continue;
    if (IsRegional(section, regionalSections) && file.KeyNames(section).empty()) continue;
    bool lacking = false;
    for (const std::string& key : knownAfter.KeyNames(section)) {
      if (knownAfter.GetString(section, key, "").empty()) continue;
      ++check.completeSettings;
      if (file.GetString(section, key, "").empty()) {
        ++check.missing;
        if (files::MemoryOfSection(section) != 0) ++check.missingInMemories;
        lacking = true;
      }
    }
    if (lacking) check.missingSections.push_back(section);
  }
  return check;
}

ConfigurationCheck CurrentSettingsPart(ConfigurationCheck check) {
  check.missing -= check.missingInMemories;
  check.missingInMemories = 0;
  std::erase_if(check.missingSections, [](const std::string& section) { return files::MemoryOfSection(section) != 0; });
  return check;
}

std::string DescribeIgnored(const IgnoredEntry& entry) {
  std::string line = entry.section.empty() ? std::string() : "[" + entry.section + "] ";
  line += entry.key + " = \"" + entry.value + "\": ";
  switch (entry.reason) {
    case IgnoredEntry::Reason::NotASetting:
      return line + "not a setting of this tool, ignored";
    case IgnoredEntry::Reason::NotAValue:
      return line + "not one of this setting's values, left unchanged" +
             (entry.refusal.empty() ? "" : "; " + entry.refusal);
    case IgnoredEntry::Reason::BeforeAnySection:
      return line + "comes before the first [section], ignored";
    case IgnoredEntry::Reason::Repeated:
      return line + "repeats an entry earlier in the file, which is the one read";
  }
  return line;
}

std::optional<std::string> DescribeRefusal(const ConfigurationCheck& check, const std::string& quotedName) {
  if (check.read == 0 && check.wideText) {
    return quotedName + " is UTF-16 text, which this tool cannot read. Save it again as plain 8-bit text (for "
                        "example UTF-8 or Latin-1).";
  }
  if (check.entries == 0) {
    return quotedName + " holds no settings: it is empty or not a configuration file. Give a .qcf file saved by "
                        "Tunewright.";
  }
  if (check.read == 0) {
    return quotedName + " is not a configuration file: none of its " + std::to_string(check.entries) +
           " entries is a setting this tool can read. Give a .qcf file saved by Tunewright.";
  }
  return std::nullopt;
}

std::optional<std::string> DescribeMissingSettings(const ConfigurationCheck& check, const std::string& quotedName) {
  if (check.missing == 0) return std::nullopt;
  return quotedName + " holds " + std::to_string(check.completeSettings - check.missing) + " of the " +
         std::to_string(check.completeSettings) + " settings of a complete configuration file (was it cut short?); " +
         "the other " + std::to_string(check.missing) +
         " hold the values Tunewright had: factory values unless an upload or another file set them.";
}

std::optional<std::string> DescribeLackingSettings(const ConfigurationCheck& check) {
  if (check.missing == 0) return std::nullopt;
  const std::vector<std::string>& sections = check.missingSections;
  std::string text = "lacks " + std::to_string(check.missing) + " of the " + std::to_string(check.completeSettings) +
                     " settings, in " + std::to_string(sections.size()) + (sections.size() == 1 ? " section (" : " sections (");
  for (std::size_t i = 0; i < sections.size() && i < kListedMissingSections; ++i) {
    text += (i == 0 ? "[" : ", [") + sections[i] + "]";
  }
  if (sections.size() > kListedMissingSections) {
    text += " and " + std::to_string(sections.size() - kListedMissingSections) + " more";
  }
  return text + ")";
}

std::vector<std::string> DescribeWarnings(const ConfigurationCheck& check, const std::string& quotedName) {
  std::vector<std::string> lines;
  if (auto missing = DescribeMissingSettings(check, quotedName)) lines.push_back(std::move(*missing));
  for (std::size_t i = 0; i < check.ignored.size() && i < kListedIgnoredEntries; ++i) {
    lines.push_back(quotedName + ": " + DescribeIgnored(check.ignored[i]));
  }
  if (check.ignored.size() > kListedIgnoredEntries) {
    lines.push_back(quotedName + ": " + std::to_string(check.ignored.size() - kListedIgnoredEntries) +
                    " more entries were not read");
  }
  return lines;
}

}  // namespace tw::settings
