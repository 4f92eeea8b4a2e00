// Configuration files as they arrive from the field: cut short at any point, binary noise,
// UTF-16, CR-only line ends, huge files and lines, repeated sections and keys, keys of no
// page. Each is read without a crash, with a message that names the problem, and without a
// change the file does not validly make.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/profile.h"
#include "model/parameter_access.h"
#include "settings/configuration_check.h"
#include "settings/offline_configuration.h"
#include "pages/file_invariants.h"
#include "support/scripted_ui_services.h"

namespace tw::pages::test {

using settings::ConfigurationCheck;
namespace {

using files::Profile;

constexpr const char* kName = "\"f.qcf\"";

// The command-line tool's configuration: factory settings of a region, every page.
struct Reader {
  struct Result {
    ConfigurationCheck check;
    std::vector<std::string> wrongChanges;
    std::optional<std::string> refusal;
    std::vector<std::string> warnings;
    bool told() const { return refusal.has_value() || !warnings.empty(); }
  };


  Result read(std::string_view bytes) {
    const Profile before = workspace.KnownEntries();
    const Profile file = Profile::Parse(bytes);
    Result result;
    result.check = workspace.LoadChecked(file);
    result.wrongChanges = tw::test::ChangesNotMadeByTheFile(file, before, workspace.KnownEntries());
    result.refusal = DescribeRefusal(result.check, kName);
    result.warnings = DescribeWarnings(result.check, kName);
    return result;
  }
  const model::ParameterImages& images() { return workspace.images; }

  settings::OfflineConfiguration workspace{1};
};

bool SameImages(const model::ParameterImages& a, const model::ParameterImages& b) {
  return std::equal(a.All().begin(), a.All().end(), b.All().begin());
}

// A file as Tunewright saves it, with a memo and settings away from the factory values.
struct RealFile {
  RealFile() {
    Reader source;
    source.workspace.memo = "Smith residence\r\nliving room";
    model::ParameterImage& current = *source.workspace.images.Image(0);
    EXPECT_TRUE(model::SetParameter(current, 9, -125));    // main volume
    EXPECT_TRUE(model::SetParameter(current, 268, -35));   // speaker level FL
    EXPECT_TRUE(model::SetParameter(current, 279, 450));   // speaker distance FL, 4.50 m
    EXPECT_TRUE(model::SetParameter(*source.workspace.images.Image(2), 9, -805));  // memory 2 muted
    text = source.workspace.Save().Text();
    images = source.workspace.images;
  }
  std::string text;
  model::ParameterImages images;
};

const RealFile& Real() {
  static const RealFile file;
  return file;
}

// Every line of `text` ending in CR LF, each value cut to at most `length` bytes.
std::string ValuesCutTo(const std::string& text, std::size_t length) {
  std::string cut;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    std::string line = text.substr(start, end - start);
    const std::size_t equals = line.find('=');
    if (line.front() != '[' && equals != std::string::npos) line = line.substr(0, equals + 1 + length);
    cut += line + "\r\n";
    start = end + 2;
  }
  return cut;
}

TEST(MalformedFiles, ACompleteFileIsReadWithoutAWord) {
  Reader reader;
  const Reader::Result result = reader.read(Real().text);
  EXPECT_FALSE(result.told()) << (result.warnings.empty() ? *result.refusal : result.warnings.front());
  EXPECT_EQ(result.check.settings, result.check.completeSettings);
  EXPECT_GT(result.check.settings, 100u);
  EXPECT_TRUE(result.wrongChanges.empty());
  EXPECT_TRUE(SameImages(reader.images(), Real().images));
  EXPECT_EQ(reader.workspace.memo, "Smith residence\r\nliving room");
}

// Every value cut at every byte: a cut value is either still one of its setting's texts or
// changes nothing, and the file never goes by without a word.
TEST(MalformedFiles, EveryValueCutAtEveryByteChangesOnlyWhatItStillNames) {
  // The memo is free text: a cut one is still a memo. Settings are cut up to the longest.
  std::size_t longest = 0;
  for (const std::string& section : Profile::Parse(Real().text).SectionNames()) {
    if (section == "User Memo") continue;
    for (const std::string& key : Profile::Parse(Real().text).KeyNames(section)) {
      longest = std::max(longest, Profile::Parse(Real().text).GetString(section, key, "", 4096).size());
    }
  }
  for (std::size_t length = 0; length < longest; ++length) {
    Reader reader;
    const Reader::Result result = reader.read(ValuesCutTo(Real().text, length));
    EXPECT_EQ(result.wrongChanges, std::vector<std::string>{}) << "values cut to " << length << " bytes";
    EXPECT_TRUE(result.told()) << "values cut to " << length << " bytes";
  }
}

// The settings (non-empty entries but the memo) in a file of known entries; only those of
// `onlySection` when given.
std::size_t SettingsIn(const std::string& text, std::string_view onlySection = {}) {
  const Profile file = Profile::Parse(text);
  std::size_t count = 0;
  for (const std::string& section : file.SectionNames()) {
    if (section == "User Memo" || (!onlySection.empty() && section != onlySection)) continue;
    for (const std::string& key : file.KeyNames(section)) count += file.GetString(section, key, "").empty() ? 0 : 1;
  }
  return count;
}

// Cut where any section ends: the file says how many settings it held against a complete file.
TEST(MalformedFiles, AFileCutShortSaysHowManySettingsItHeld) {
  const std::string& text = Real().text;
  const std::size_t all = SettingsIn(text);
  Reader complete;
  EXPECT_EQ(complete.read(text).check.completeSettings, all);
  int cuts = 0;
  for (std::size_t end = text.find("\r\n["); end != std::string::npos; end = text.find("\r\n[", end + 2)) {
    const std::string head = text.substr(0, end + 2);
    const std::size_t held = SettingsIn(head);
    // XM Set is a section of tuner region 1 only: it counts when the file has it.
    const std::size_t expected = head.find("\r\n[XM Set]\r\n") != std::string::npos ? all : all - SettingsIn(text, "XM Set");
    Reader reader;
    const Reader::Result result = reader.read(head);
    EXPECT_EQ(result.wrongChanges, std::vector<std::string>{});
    ASSERT_FALSE(result.warnings.empty()) << "cut after " << held << " settings";
    EXPECT_EQ(result.warnings.front(),
              std::string(kName) + " holds " + std::to_string(held) + " of the " + std::to_string(expected) +
                  " settings of a complete configuration file (was it cut short?); the other " +
                  std::to_string(expected - held) +
                  " hold the values Tunewright had: factory values unless an upload or another file set them.");
    ++cuts;
  }
  EXPECT_GT(cuts, 20);
}

// The first sections cut literally at every byte, headers and keys included.
TEST(MalformedFiles, TheHeadOfAFileCutAtEveryByteNeverMisleads) {
  const std::string& text = Real().text;
  const std::size_t head = std::min<std::size_t>(text.size(), 700);
  for (std::size_t cut = 0; cut < head; ++cut) {
    Reader reader;
    const Reader::Result result = reader.read(text.substr(0, cut));
    EXPECT_EQ(result.wrongChanges, std::vector<std::string>{}) << "cut at byte " << cut;
    EXPECT_TRUE(result.told()) << "cut at byte " << cut;
  }
}

struct BadFile {
  const char* name;
  std::string bytes;
  const char* says;  // in the refusal or the warnings
  bool refused;
  bool readsLikeTheRealFile;
};

std::string Noise(std::size_t size) {
  std::string bytes;
  std::uint32_t state = 12345;
  for (std::size_t i = 0; i < size; ++i) {
    state = state * 1103515245u + 12345u;
    bytes += static_cast<char>(state >> 24);
  }
  return bytes;
}

std::string Utf16(const std::string& text) {
  std::string wide = "\xFF\xFE";
  for (const char c : text) {
    wide += c;
    wide += '\0';
  }
  return wide;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

std::vector<BadFile> BadFiles() {
  const std::string& real = Real().text;
  const std::string megabyte(1u << 20, 'x');
  std::string padding;
  while (padding.size() < 10u * 1024 * 1024) padding += "; padding comment line of a very large file\r\n";
  return {
      {"binary noise", Noise(64 * 1024), "", true, false},
      {"UTF-16", Utf16(real), "is UTF-16 text", true, false},
      {"CR-only line ends", Replaced(real, "\r\n", "\r"), "", false, true},
      {"LF-only line ends", Replaced(real, "\r\n", "\n"), "", false, true},
      {"a 10 MB file", real + padding, "", false, true},
      {"lines of 1 MB",
       Replaced(real, "Main Volume=-12.5dB", "Main Volume=-12.5dB" + megabyte) + megabyte + "=" + megabyte + "\r\n",
       "not one of this setting's values", false, false},
      {"a repeated section", real + "[Basic Control]\r\nMain Volume=Mute\r\n", "repeats an entry", false, true},
      {"a repeated key", Replaced(real, "Main Volume=-12.5dB", "Main Volume=-12.5dB\r\nMain Volume=Mute"),
       "repeats an entry", false, true},
      {"keys of no page", real + "[Garden]\r\nHose=on\r\n[Speaker Level]\r\n", "not a setting of this tool", false,
       true},
      {"keys before any section", "Main Volume=Mute\r\n" + real, "comes before the first [section]", false, true},
      {"an unrelated file", "[Window]\r\nWidth=800\r\nHeight=600\r\n", "none of its 2 entries", true, false},
      {"an empty file", "", "holds no settings", true, false},
  };
}

TEST(MalformedFiles, BadFilesAreRefusedOrWarnedAboutAndChangeNothingTheyDoNotName) {
  for (const BadFile& bad : BadFiles()) {
    Reader reader;
    const Reader::Result result = reader.read(bad.bytes);
    EXPECT_EQ(result.wrongChanges, std::vector<std::string>{}) << bad.name;
    EXPECT_EQ(result.refusal.has_value(), bad.refused) << bad.name;
    std::string told = result.refusal.value_or("");
    for (const std::string& line : result.warnings) told += line + "\n";
    EXPECT_NE(told.find(bad.says), std::string::npos) << bad.name << ": " << told;
    if (bad.refused) {
      EXPECT_TRUE(SameImages(reader.images(), model::ParameterImages(1))) << bad.name << " changed settings";
    }
    if (bad.readsLikeTheRealFile) {
      EXPECT_TRUE(SameImages(reader.images(), Real().images)) << bad.name;
    }
  }
}

}  // namespace
}  // namespace tw::pages::test
