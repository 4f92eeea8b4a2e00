#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tw::files {

// Outcome of reading or writing a profile file: on failure, a message that names the file
// and the cause, fit to show to a user as it is.
struct FileStatus {
  bool ok = true;
  std::string error;

  explicit operator bool() const { return ok; }
  static FileStatus Success() { return {}; }
  static FileStatus Failure(std::string message) { return {false, std::move(message)}; }
};

// The buffer size that profile reads use unless told otherwise: a value is cut to 255 bytes.
inline constexpr std::size_t kProfileBufferSize = 256;

// A profile (INI) file held in memory, with the rules of the Windows profile functions:
// "[section]" lines and "key=value" lines; section and key names are compared without
// regard to ASCII letter case and without surrounding blanks; a read value loses its
// surrounding blanks and then one pair of surrounding double quotes; a written key replaces
// the existing line in place or is appended to its section, and a new section is appended
// to the file. Only the first section of a repeated name and the first key of a repeated
// key are seen, as with the Windows functions.
//
// Text is 8-bit and kept byte for byte; lines end in CR LF when written (CR LF, LF-only and
// CR-only input all read). A file is parsed once by Load and written once by Save, which
// replaces it atomically so that a failed save leaves the previous file as it was.
class Profile {
 public:
  Profile() = default;

  // Parses file content. Any bytes are accepted; lines that are neither a section nor a
  // key stay in place untouched.
  static Profile Parse(std::string_view bytes);

  // Reads and parses the whole file. On failure the profile is left empty.
  FileStatus Load(const std::filesystem::path& path);
  // Writes the whole profile to `path` through a temporary file beside it and a rename.
  FileStatus Save(const std::filesystem::path& path) const;

  // The value of `key` in `section`, or `defaultValue` when the key is absent; like a read
  // into a buffer of `bufferSize` bytes, the result holds at most bufferSize - 1 bytes.
  std::string GetString(std::string_view section, std::string_view key, std::string_view defaultValue,
                        std::size_t bufferSize = kProfileBufferSize) const;
  // The value read as a decimal integer (optional sign, leading digits); `defaultValue`
  // when the key is absent or empty, 0 when it starts with no digit; clamped to int.
  int GetInt(std::string_view section, std::string_view key, int defaultValue) const;
  bool HasKey(std::string_view section, std::string_view key) const;

  // Sets `key` in `section`. Names and value are cut at a NUL byte, and CR and LF bytes
  // become blanks, so that a value can never break the line structure of the file; a name
  // the file cannot hold (a key whose line would read as a section header) writes nothing.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);

  // Section names in file order (first occurrence of each), and the keys of one section.
  std::vector<std::string> SectionNames() const;
  std::vector<std::string> KeyNames(std::string_view section) const;

  // A "key=value" line that reading never sees, and why.
  struct UnseenEntry {
    enum class Reason { BeforeAnySection, RepeatedSection, RepeatedKey };
    std::string section;  // empty before any section
    std::string key;
    std::string value;
    Reason reason;
  };
  // Every such line in file order: lines before the first section, every line of a section
  // whose name came earlier, and a key that came earlier in its section.
  std::vector<UnseenEntry> UnseenEntries() const;

  // The bytes began with a UTF-16 byte-order mark: text this 8-bit reader cannot read.
  bool IsWideText() const { return wideText_; }

  // The file content, every line ended by CR LF.
  std::string Text() const;

 private:
  struct Section {
    std::string header;              // the "[name]" line as read or written; empty for the preamble
    std::vector<std::string> lines;  // the lines after the header, up to the next section
    std::unordered_map<std::string, std::size_t> keyLines;  // folded key -> first line holding it
  };

  const Section* FindSection(std::string_view name) const;
  const std::string* FindValueLine(std::string_view section, std::string_view key) const;
  static void IndexLine(Section& section, std::size_t lineIndex);

  bool byteOrderMark_ = false;        // a UTF-8 mark at the start, kept on writing
  bool wideText_ = false;
  std::vector<Section> sections_ = std::vector<Section>(1);  // [0]: the lines before any section
  std::unordered_map<std::string, std::size_t> sectionIndex_;  // folded name -> first section
};

}  // namespace tw::files
