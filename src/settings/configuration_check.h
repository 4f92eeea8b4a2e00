#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "files/profile.h"

namespace tw::settings {

// An entry of a configuration file that reading did not take.
struct IgnoredEntry {
  enum class Reason {
    NotASetting,       // no setting of this tool has this section and key
    NotAValue,         // the text is none of the setting's values
    BeforeAnySection,  // the line comes before the first section
    Repeated,          // the section or key came earlier in the file, and only the first is read
  };
  std::string section;
  std::string key;
  std::string value;
  Reason reason = Reason::NotASetting;
  std::string refusal;  // NotAValue: why the setting's page refuses the value, when it can say
};

// What a read made of a file, for telling a user.
struct ConfigurationCheck {
  std::size_t entries = 0;  // non-empty entries in the file
  std::size_t read = 0;     // of these, entries that set their setting
  std::vector<IgnoredEntry> ignored;
  // Settings (non-empty entries other than the User Memo) the file holds, whatever their
  // values, and the settings a complete file of this configuration holds.
  std::size_t settings = 0;
  std::size_t completeSettings = 0;
  // The settings of a complete file that this file lacks, and the sections they are in
  // (in the order of a complete file).
  std::size_t missing = 0;
  std::vector<std::string> missingSections;
  std::size_t missingInMemories = 0;  // of `missing`, those of the System Memory sections
  bool wideText = false;  // the file is UTF-16 text
};

// Compares the entries of `file` with what the tool knows (KnownEntries) before and after
// reading it. An entry counts as read when its setting now shows the file's text (letter case
// aside), or shows a text other than before (a value written in another spelling). Lines
// that reading never sees (Profile::UnseenEntries) are ignored entries as well.
// `regionalSections` (Sheet::RegionalSections) count toward a complete file only when `file`
// holds them.
ConfigurationCheck CheckRead(const files::Profile& file, const files::Profile& knownBefore,
                             const files::Profile& knownAfter,
                             std::span<const std::string> regionalSections = {});

// The same check as far as the current settings go (a download that sends no memory).
ConfigurationCheck CurrentSettingsPart(ConfigurationCheck check);

// One line for a user about an ignored entry: `[section] key = "value": why`.
std::string DescribeIgnored(const IgnoredEntry& entry);

// Why a file that set nothing at all is refused, naming it by `quotedName`; nothing when
// the read set anything.
std::optional<std::string> DescribeRefusal(const ConfigurationCheck& check, const std::string& quotedName);

// The warning for a file that lacks settings (made by hand, or cut short): how many it held
// against a complete file, and what the others hold. Nothing when it is complete.
std::optional<std::string> DescribeMissingSettings(const ConfigurationCheck& check, const std::string& quotedName);

// What a download of a file that lacks settings would do: "lacks N of the M settings, in K
// sections ([A], [B], ... and J more)". Nothing when the file is complete.
std::optional<std::string> DescribeLackingSettings(const ConfigurationCheck& check);

// Every warning about a file that was read, one line each: the missing settings, then the
// first few ignored entries and how many more there were.
std::vector<std::string> DescribeWarnings(const ConfigurationCheck& check, const std::string& quotedName);

}  // namespace tw::settings
