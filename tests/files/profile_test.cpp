#include "files/profile.h"

#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using tw::files::Profile;
using namespace std::string_literals;

namespace {

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

// A fresh folder per test, removed afterwards.
class ProfileFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::temp_directory_path() / ("tw_profile_" + std::string(info->name()) + "_" +
                                           std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::size_t EntriesInFolder() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }

  fs::path folder_;
};

}  // namespace

TEST(ProfileReading, SectionAndKeyNamesIgnoreCaseAndSurroundingBlanks) {
  const Profile profile = Profile::Parse("[ Speaker Level ]\r\n  fl =  -1.5dB \r\nCT=0.0dB\r\n");
  EXPECT_EQ(profile.GetString("speaker level", "FL", ""), "-1.5dB");
  EXPECT_EQ(profile.GetString("SPEAKER LEVEL", " ct ", ""), "0.0dB");
  EXPECT_EQ(profile.GetString("Speaker Level", "SW", "none"), "none");
  EXPECT_EQ(profile.GetString("Speaker", "FL", "none"), "none");
  // The tuner's "Current " key carries a trailing blank; it still finds "Current".
  EXPECT_EQ(Profile::Parse("[Tuner Set]\r\nCurrent =FM 87.50MHz\r\n").GetString("Tuner Set", "Current ", ""),
            "FM 87.50MHz");
}

TEST(ProfileReading, OnePairOfSurroundingDoubleQuotesIsRemoved) {
  const Profile profile = Profile::Parse(
      "[Input Rename]\r\nPHONO=\"MY AMP  \"\r\nCD=\"\"x\"\"\r\nDVD=\"open\r\nTUNER='single'\r\nDTV=\"\r\n");
  EXPECT_EQ(profile.GetString("Input Rename", "PHONO", ""), "MY AMP  ");  // inner blanks kept
  EXPECT_EQ(profile.GetString("Input Rename", "CD", ""), "\"x\"");
  EXPECT_EQ(profile.GetString("Input Rename", "DVD", ""), "\"open");
  EXPECT_EQ(profile.GetString("Input Rename", "TUNER", ""), "'single'");
  EXPECT_EQ(profile.GetString("Input Rename", "DTV", ""), "\"");
}

TEST(ProfileReading, ValuesAreCutToTheBufferAndDefaultsLoseTrailingBlanks) {
  const std::string longValue(300, 'x');
  const Profile profile = Profile::Parse("[User Memo]\r\nUser Memo=" + longValue + "\r\n");
  EXPECT_EQ(profile.GetString("User Memo", "User Memo", "").size(), 255u);
  EXPECT_EQ(profile.GetString("User Memo", "User Memo", "", 1024).size(), 300u);
  EXPECT_EQ(profile.GetString("User Memo", "User Memo", "", 1), "");
  EXPECT_EQ(profile.GetString("User Memo", "User Memo", "", 0), "");
  EXPECT_EQ(profile.GetString("User Memo", "Other", "def  "), "def");
}

TEST(ProfileReading, FirstSectionAndFirstKeyOfARepeatedNameWin) {
  const Profile profile = Profile::Parse("[A]\nk=1\nk=2\n[a]\nk=3\nj=4\n");
  EXPECT_EQ(profile.GetString("A", "k", ""), "1");
  EXPECT_EQ(profile.GetString("A", "j", "absent"), "absent");
  EXPECT_EQ(profile.KeyNames("a"), (std::vector<std::string>{"k"}));
  EXPECT_EQ(profile.SectionNames(), (std::vector<std::string>{"A"}));
}

TEST(ProfileReading, IntegersWithDefaultsSignsAndJunk) {
  const Profile profile = Profile::Parse(
      "[S]\nA=42\nB=-17x\nC=abc\nD=\nE=99999999999\nF=\"7\"\nG=+3\nH=-99999999999\n");
  EXPECT_EQ(profile.GetInt("S", "A", 5), 42);
  EXPECT_EQ(profile.GetInt("S", "B", 5), -17);
  EXPECT_EQ(profile.GetInt("S", "C", 5), 0);
  EXPECT_EQ(profile.GetInt("S", "D", 5), 5);
  EXPECT_EQ(profile.GetInt("S", "missing", 5), 5);
  EXPECT_EQ(profile.GetInt("S", "E", 5), INT_MAX);
  EXPECT_EQ(profile.GetInt("S", "F", 5), 7);
  EXPECT_EQ(profile.GetInt("S", "G", 5), 3);
  EXPECT_EQ(profile.GetInt("S", "H", 5), INT_MIN);
}

TEST(ProfileReading, BadInputNeverBreaksAndOnlyValidLinesCount) {
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 131 + 7) % 256);
  const Profile noise = Profile::Parse(garbage);
  EXPECT_EQ(noise.GetString("Basic Control", "Input", "unset"), "unset");

  // LF-only lines, a UTF-8 byte-order mark, NUL bytes, a lone '[' and a comment.
  const Profile mixed = Profile::Parse("\xEF\xBB\xBF[DispSet]\nPort=COM3\n[\n;Port=X\nA\0B=1\n"s);
  EXPECT_EQ(mixed.GetString("DispSet", "Port", ""), "COM3");
  EXPECT_EQ(mixed.GetString("DispSet", "A\0B"s, ""), "1");
  EXPECT_EQ(mixed.KeyNames("DispSet").size(), 2u);
  EXPECT_EQ(Profile::Parse("").GetString("", "", "d"), "d");
}

TEST(ProfileWriting, ReplacesInPlaceAppendsToSectionAndAppendsNewSections) {
  Profile profile = Profile::Parse(
      "; kept comment\r\n[Speaker Level]\r\nfl=0.0dB\r\nFR=0.0dB\r\n\r\n[Speaker Set]\r\nFront=Large\r\n");
  profile.WriteString("SPEAKER LEVEL", "FL", "-2.0dB");   // in place, the file's spelling kept
  profile.WriteString("Speaker Level", "CT", "1.5dB");    // appended before the blank line
  profile.WriteString("Tone Control", "Tone Bypass", "Off");  // a new section at the end
  profile.WriteString("Tone Control", "Audio Delay", "0ms");
  EXPECT_EQ(profile.Text(),
            "; kept comment\r\n"
            "[Speaker Level]\r\nfl=-2.0dB\r\nFR=0.0dB\r\nCT=1.5dB\r\n\r\n"
            "[Speaker Set]\r\nFront=Large\r\n"
            "[Tone Control]\r\nTone Bypass=Off\r\nAudio Delay=0ms\r\n");
  EXPECT_EQ(profile.GetString("speaker level", "ct", ""), "1.5dB");
  EXPECT_EQ(profile.SectionNames(),
            (std::vector<std::string>{"Speaker Level", "Speaker Set", "Tone Control"}));
}

TEST(ProfileWriting, AnEmptyProfileBuildsTheFileInWriteOrderWithCrLf) {
  Profile profile;
  profile.WriteString("DispSet", "Port", "Auto");
  profile.WriteString("DispSet", "ActivePage", "");
  profile.WriteString("DispSet", "Port", "COM3");
  EXPECT_EQ(profile.Text(), "[DispSet]\r\nPort=COM3\r\nActivePage=\r\n");
}

TEST(ProfileWriting, ValuesCannotBreakTheLineStructure) {
  Profile profile;
  profile.WriteString("User Memo", "User Memo", "a\r\nb");
  profile.WriteString("S", "K", "before\0after"s);
  EXPECT_EQ(profile.Text(), "[User Memo]\r\nUser Memo=a  b\r\n[S]\r\nK=before\r\n");
  EXPECT_EQ(Profile::Parse(profile.Text()).GetString("User Memo", "User Memo", ""), "a  b");

  // A key whose line would read as a section header writes nothing: the saved text reads
  // back as the profile.
  profile.WriteString("S", "[T]\r\nPort", "v");
  EXPECT_EQ(profile.Text(), "[User Memo]\r\nUser Memo=a  b\r\n[S]\r\nK=before\r\n");
}

TEST(ProfileWriting, TextRoundTripsEveryByteAndNormalisesLineEnds) {
  std::string value;
  // Every byte a value can hold (blanks at its ends are trimmed by the reading rules).
  for (int c = 0x21; c < 256; ++c) value += static_cast<char>(c);
  Profile profile;
  profile.WriteString("Input Rename", "PHONO", value);
  const Profile reread = Profile::Parse(profile.Text());
  EXPECT_EQ(reread.GetString("Input Rename", "PHONO", "", 1024), value);
  EXPECT_EQ(reread.Text(), profile.Text());

  const Profile lfOnly = Profile::Parse("[A]\nk=v\n\n[B]\nj=w");
  EXPECT_EQ(lfOnly.Text(), "[A]\r\nk=v\r\n\r\n[B]\r\nj=w\r\n");
  const Profile withMark = Profile::Parse("\xEF\xBB\xBF[A]\r\nk=v\r\n");
  EXPECT_EQ(withMark.Text(), "\xEF\xBB\xBF[A]\r\nk=v\r\n");
}

TEST_F(ProfileFileTest, SaveThenLoadGivesTheSameBytes) {
  const fs::path file = folder_ / "client.qcf";
  Profile profile;
  profile.WriteString("User Memo", "User Memo", "Line\\r\\nTwo \xE9\xFC");
  profile.WriteString("Basic Control", "Main Volume", "-12.5dB");
  ASSERT_TRUE(profile.Save(file));
  EXPECT_EQ(ReadBytes(file), "[User Memo]\r\nUser Memo=Line\\r\\nTwo \xE9\xFC\r\n[Basic Control]\r\nMain Volume=-12.5dB\r\n");

  Profile loaded;
  ASSERT_TRUE(loaded.Load(file));
  EXPECT_EQ(loaded.Text(), profile.Text());
  EXPECT_EQ(loaded.GetString("basic control", "main volume", ""), "-12.5dB");
  EXPECT_EQ(EntriesInFolder(), 1u);  // no temporary file left behind
}

TEST_F(ProfileFileTest, SaveKeepsTheFilesPermissions) {
  const fs::path file = folder_ / "settings.ini";
  WriteBytes(file, "[DispSet]\r\nPort=Auto\r\n");
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
  Profile profile;
  ASSERT_TRUE(profile.Load(file));
  profile.WriteString("DispSet", "Port", "COM1");
  ASSERT_TRUE(profile.Save(file));
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(ReadBytes(file), "[DispSet]\r\nPort=COM1\r\n");
}

TEST_F(ProfileFileTest, ReadFailuresNameTheFileAndTheCauseAndLeaveTheProfileEmpty) {
  Profile profile = Profile::Parse("[A]\r\nk=v\r\n");
  const auto missing = profile.Load(folder_ / "absent.qcf");
  EXPECT_FALSE(missing);
  EXPECT_NE(missing.error.find("absent.qcf"), std::string::npos) << missing.error;
  EXPECT_NE(missing.error.find("does not exist"), std::string::npos) << missing.error;
  EXPECT_EQ(profile.GetString("A", "k", "d"), "d");

  const auto folder = profile.Load(folder_);
  EXPECT_FALSE(folder);
  EXPECT_NE(folder.error.find("folder"), std::string::npos) << folder.error;

  const fs::path huge = folder_ / "huge.qcf";
  WriteBytes(huge, "");
  fs::resize_file(huge, 17u * 1024u * 1024u);
  const auto tooLarge = profile.Load(huge);
  EXPECT_FALSE(tooLarge);
  EXPECT_NE(tooLarge.error.find("too large"), std::string::npos) << tooLarge.error;
}

TEST_F(ProfileFileTest, SaveIntoAPlaceThatCannotHoldAFileFailsClearly) {
  const fs::path notAFolder = folder_ / "plain";
  WriteBytes(notAFolder, "x");
  Profile profile;
  profile.WriteString("A", "k", "v");
  const auto status = profile.Save(notAFolder / "client.qcf");
  EXPECT_FALSE(status);
  EXPECT_NE(status.error.find("Cannot write"), std::string::npos) << status.error;
  EXPECT_NE(status.error.find("client.qcf"), std::string::npos) << status.error;
  EXPECT_NE(status.error.find("Not a directory"), std::string::npos) << status.error;
  EXPECT_EQ(ReadBytes(notAFolder), "x");

  const auto ontoFolder = profile.Save(folder_);
  EXPECT_FALSE(ontoFolder);
  EXPECT_TRUE(fs::is_directory(folder_));
}

// A full disk, simulated by a file-size limit (it binds even a privileged user): the save
// fails, says so, and the previous configuration is still there, whole.
TEST_F(ProfileFileTest, AFailedSaveLeavesThePreviousFileIntact) {
  const fs::path file = folder_ / "client.qcf";
  const std::string previous = "[Speaker Level]\r\nFL=0.0dB\r\n";
  WriteBytes(file, previous);

  Profile profile;
  for (int i = 0; i < 200; ++i) profile.WriteString("Tuner Set", "Preset" + std::to_string(i), "FM 87.50MHz");

  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limited = saved;
  limited.rlim_cur = 64;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
  const auto status = profile.Save(file);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_FALSE(status);
  EXPECT_NE(status.error.find("client.qcf"), std::string::npos) << status.error;
  EXPECT_NE(status.error.find("unchanged"), std::string::npos) << status.error;
  EXPECT_EQ(ReadBytes(file), previous);
  EXPECT_EQ(EntriesInFolder(), 1u);  // the partial temporary file is gone
}

// A folder the user may not write to: the save fails, names the file and the cause, and
// the previous file stays. Root writes anywhere, so the save runs in a child process that
// gives up root first.
TEST_F(ProfileFileTest, SaveIntoAFolderTheUserMayNotWriteFailsAndKeepsThePreviousFile) {
  const fs::path file = folder_ / "client.qcf";
  const std::string previous = "[Speaker Level]\r\nFL=0.0dB\r\n";
  WriteBytes(file, previous);
  const fs::perms readOnly = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                             fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec;
  fs::permissions(folder_, readOnly);
  const pid_t child = ::fork();
  if (child == 0) {
    constexpr uid_t kNobody = 65534;
    if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(3);
    Profile profile;
    profile.WriteString("A", "k", "v");
    const auto status = profile.Save(file);
    const bool named = status.error.find("client.qcf") != std::string::npos &&
                       status.error.find("ermission denied") != std::string::npos;
    ::_exit(status ? 1 : named ? 0 : 2);
  }
  int childStatus = 0;
  ASSERT_EQ(::waitpid(child, &childStatus, 0), child);
  fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
  ASSERT_TRUE(WIFEXITED(childStatus));
  EXPECT_EQ(WEXITSTATUS(childStatus), 0) << "1: the save succeeded; 2: its message lacks the file or the cause";
  EXPECT_EQ(ReadBytes(file), previous);
  EXPECT_EQ(EntriesInFolder(), 1u);
}
