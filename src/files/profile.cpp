#include "files/profile.h"

#include "files/profile_storage.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace tw::files {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kWideMarks[] = {"\xFF\xFE", "\xFE\xFF"};
constexpr std::string_view kBlanks = " \t\r\v\f";

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

// Names compare without regard to ASCII letter case and surrounding blanks.
std::string Fold(std::string_view name) {
  std::string folded(Trim(name));
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

// The name of a "[name]" line (up to its last ']'), or false for any other line.
bool SectionNameOf(std::string_view line, std::string_view& name) {
  const std::string_view text = Trim(line);
  if (text.empty() || text.front() != '[') return false;
  const auto close = text.rfind(']');
  if (close == std::string_view::npos || close == 0) return false;
  name = Trim(text.substr(1, close - 1));
  return true;
}

// The key part of a "key=value" line; false for blank lines, comments and lines without '='.
bool KeyOf(std::string_view line, std::string_view& key) {
  const std::string_view text = Trim(line);
  if (text.empty() || text.front() == ';') return false;
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) return false;
  key = Trim(line.substr(0, equals));
  return true;
}

std::string_view ValueOf(std::string_view line) {
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) return {};
  std::string_view value = Trim(line.substr(equals + 1));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

// Profile lines are C strings: a NUL ends the text, and a line break inside a value would
// split it into two lines, so it becomes a blank.
std::string Sanitised(std::string_view text) {
  std::string clean(text.substr(0, text.find('\0')));
  std::replace(clean.begin(), clean.end(), '\r', ' ');
  std::replace(clean.begin(), clean.end(), '\n', ' ');
  return clean;
}

std::string CutToBuffer(std::string_view text, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  return std::string(text.substr(0, bufferSize - 1));
}

}  // namespace

Profile Profile::Parse(std::string_view bytes) {
  Profile profile;
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    profile.byteOrderMark_ = true;
    bytes.remove_prefix(kByteOrderMark.size());
  }

  for (std::string_view mark : kWideMarks) {
    if (bytes.substr(0, mark.size()) == mark) profile.wideText_ = true;
  }

  while (!bytes.empty()) {
    // A line ends at CR LF, LF or a lone CR.
    const auto end = bytes.find_first_of("\r\n");
    const std::string_view line = bytes.substr(0, end);
    std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
    if (end != std::string_view::npos && bytes[end] == '\r' && next < bytes.size() && bytes[next] == '\n') ++next;
    bytes.remove_prefix(next);

    std::string_view name;
    if (SectionNameOf(line, name)) {
      profile.sectionIndex_.emplace(Fold(name), profile.sections_.size());
      profile.sections_.push_back(Section{std::string(line), {}, {}});
      continue;
    }
    Section& section = profile.sections_.back();
    section.lines.emplace_back(line);
    IndexLine(section, section.lines.size() - 1);
  }
  return profile;
}

void Profile::IndexLine(Section& section, std::size_t lineIndex) {
  std::string_view key;
  if (KeyOf(section.lines[lineIndex], key)) section.keyLines.emplace(Fold(key), lineIndex);
}

FileStatus Profile::Load(const std::filesystem::path& path) {
  *this = Profile();
  std::string bytes;
  FileStatus status = ReadWholeFile(path, bytes);
  if (status) *this = Parse(bytes);
  return status;
}

FileStatus Profile::Save(const std::filesystem::path& path) const { return WriteFileAtomically(path, Text()); }

const Profile::Section* Profile::FindSection(std::string_view name) const {
  const auto found = sectionIndex_.find(Fold(name));
  return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

const std::string* Profile::FindValueLine(std::string_view section, std::string_view key) const {
  const Section* holder = FindSection(section);
  if (holder == nullptr) return nullptr;
  const auto found = holder->keyLines.find(Fold(key));
  return found == holder->keyLines.end() ? nullptr : &holder->lines[found->second];
}

std::string Profile::GetString(std::string_view section, std::string_view key, std::string_view defaultValue,
                               std::size_t bufferSize) const {
  if (const std::string* line = FindValueLine(section, key)) return CutToBuffer(ValueOf(*line), bufferSize);
  // The Windows functions drop trailing blanks of the default as well.
  const auto last = defaultValue.find_last_not_of(kBlanks);
  return CutToBuffer(defaultValue.substr(0, last == std::string_view::npos ? 0 : last + 1), bufferSize);
}

int Profile::GetInt(std::string_view section, std::string_view key, int defaultValue) const {
  const std::string* line = FindValueLine(section, key);
  if (line == nullptr) return defaultValue;
  std::string_view value = ValueOf(*line);
  if (value.empty()) return defaultValue;

  bool negative = false;
  if (value.front() == '-' || value.front() == '+') {
    negative = value.front() == '-';
    value.remove_prefix(1);
  }
  std::int64_t number = 0;
  for (const char c : value) {
    if (c < '0' || c > '9') break;
    number = std::min<std::int64_t>(number * 10 + (c - '0'), std::int64_t{INT_MAX} + 1);
  }
  if (negative) number = -number;
  return static_cast<int>(std::clamp<std::int64_t>(number, INT_MIN, INT_MAX));
}

bool Profile::HasKey(std::string_view section, std::string_view key) const {
  return FindValueLine(section, key) != nullptr;
}

void Profile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string cleanSection = Sanitised(section);
  const std::string cleanKey = Sanitised(key);
  const std::string cleanValue = Sanitised(value);

  // Names the file cannot hold are not written, so that the saved text always reads back as
  // what the profile holds: a section name that would not read back as itself, or a key
  // whose line would read as a section header.
  const std::string header = "[" + cleanSection + "]";
  const std::string keyLine = cleanKey + "=" + cleanValue;
  std::string_view readName;
  if (!SectionNameOf(header, readName) || Fold(readName) != Fold(cleanSection) || SectionNameOf(keyLine, readName)) {
    return;
  }

  const auto known = sectionIndex_.find(Fold(cleanSection));
  if (known == sectionIndex_.end()) {
    sectionIndex_.emplace(Fold(cleanSection), sections_.size());
    Section added{header, {keyLine}, {}};
    IndexLine(added, 0);
    sections_.push_back(std::move(added));
    return;
  }

  Section& holder = sections_[known->second];
  const auto line = holder.keyLines.find(Fold(cleanKey));
  if (line != holder.keyLines.end()) {
    std::string& text = holder.lines[line->second];
    text = text.substr(0, text.find('=')) + "=" + cleanValue;  // keep the key as the file spells it
    return;
  }

  // Append after the section's last non-blank line, so blank lines that separate it from
  // the next section stay where they are. Only blank lines move, so no key index changes.
  std::size_t insertAt = holder.lines.size();
  while (insertAt > 0 && Trim(holder.lines[insertAt - 1]).empty()) --insertAt;
  holder.lines.insert(holder.lines.begin() + static_cast<std::ptrdiff_t>(insertAt), cleanKey + "=" + cleanValue);
  IndexLine(holder, insertAt);
}

std::vector<std::string> Profile::SectionNames() const {
  std::vector<std::string> names;
  for (std::size_t i = 1; i < sections_.size(); ++i) {
    std::string_view name;
    SectionNameOf(sections_[i].header, name);
    const auto first = sectionIndex_.find(Fold(name));
    if (first != sectionIndex_.end() && first->second == i) names.emplace_back(name);
  }
  return names;
}

std::vector<std::string> Profile::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  const Section* holder = FindSection(section);
  if (holder == nullptr) return names;
  for (std::size_t i = 0; i < holder->lines.size(); ++i) {
    std::string_view key;
    if (!KeyOf(holder->lines[i], key)) continue;
    const auto first = holder->keyLines.find(Fold(key));
    if (first != holder->keyLines.end() && first->second == i) names.emplace_back(key);
  }
  return names;
}

std::vector<Profile::UnseenEntry> Profile::UnseenEntries() const {
  std::vector<UnseenEntry> unseen;
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    const Section& holder = sections_[i];
    std::string_view name;
    SectionNameOf(holder.header, name);
    const auto first = sectionIndex_.find(Fold(name));
    const bool repeated = i > 0 && (first == sectionIndex_.end() || first->second != i);
    for (std::size_t line = 0; line < holder.lines.size(); ++line) {
      std::string_view key;
      if (!KeyOf(holder.lines[line], key)) continue;
      UnseenEntry::Reason reason = UnseenEntry::Reason::RepeatedKey;
      if (i == 0) {
        reason = UnseenEntry::Reason::BeforeAnySection;
      } else if (repeated) {
        reason = UnseenEntry::Reason::RepeatedSection;
      } else if (holder.keyLines.at(Fold(key)) == line) {
        continue;  // the line reading sees
      }
      unseen.push_back({std::string(name), std::string(key), std::string(ValueOf(holder.lines[line])), reason});
    }
  }
  return unseen;
}

std::string Profile::Text() const {
  std::string text;
  if (byteOrderMark_) text += kByteOrderMark;
  auto appendLine = [&text](const std::string& line) {
    text += line;
    text += "\r\n";
  };
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    if (i > 0) appendLine(sections_[i].header);
    for (const std::string& line : sections_[i].lines) appendLine(line);
  }
  return text;
}

}  // namespace tw::files
