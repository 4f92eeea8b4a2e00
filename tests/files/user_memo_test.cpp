// The User Memo in a configuration file: one profile line with escaped line breaks.

#include "files/user_memo.h"

#include <gtest/gtest.h>

#include <string>

#include "files/profile.h"

namespace tw::files {
namespace {

std::string RoundTrip(std::string_view memo) {
  Profile written;
  WriteUserMemo(written, memo);
  std::string read = "unchanged";
  ReadUserMemo(Profile::Parse(written.Text()), read);
  return read;
}

TEST(UserMemo, TwoLinesAreOneProfileLineAndReadBackAsTwo) {
  Profile profile;
  WriteUserMemo(profile, "a\r\nb");
  EXPECT_EQ(profile.Text(), "[User Memo]\r\nUser Memo=a\\r\\nb\r\n");
  std::string memo;
  EXPECT_TRUE(ReadUserMemo(profile, memo));
  EXPECT_EQ(memo, "a\r\nb");
}

TEST(UserMemo, EscapingBothWays) {
  EXPECT_EQ(EscapeUserMemo(""), "");
  EXPECT_EQ(EscapeUserMemo("\r\n\r\n"), "\\r\\n\\r\\n");
  // Lone breaks (a memo typed where lines end in LF) are breaks too, never blanks.
  EXPECT_EQ(EscapeUserMemo("a\nb\rc"), "a\\r\\nb\\r\\nc");
  EXPECT_EQ(EscapeUserMemo("a\r\r\nb"), "a\\r\\n\\r\\nb");
  EXPECT_EQ(UnescapeUserMemo("x\\r\\ny\\r\\n"), "x\r\ny\r\n");
  EXPECT_EQ(UnescapeUserMemo("\\r\\"), "\\r\\");  // half an escape stays text
  EXPECT_EQ(UnescapeUserMemo("\\r\\r\\n"), "\\r\r\n");
  EXPECT_EQ(RoundTrip("Client: Smith\r\nRoom 2\r\n"), "Client: Smith\r\nRoom 2\r\n");
}

TEST(UserMemo, EmptyOrMissingEntryLeavesTheMemo) {
  std::string memo = "kept";
  EXPECT_FALSE(ReadUserMemo(Profile::Parse("[User Memo]\r\nUser Memo=\r\n"), memo));
  EXPECT_FALSE(ReadUserMemo(Profile::Parse(""), memo));
  EXPECT_EQ(memo, "kept");
  // Section and key names compare without letter case, as profile names do.
  EXPECT_TRUE(ReadUserMemo(Profile::Parse("[user memo]\nUSER MEMO = hi\n"), memo));
  EXPECT_EQ(memo, "hi");
}

TEST(UserMemo, BlanksAndQuotesAtTheEndsSurvive) {
  EXPECT_EQ(RoundTrip("  indented"), "  indented");
  EXPECT_EQ(RoundTrip("\"quoted\""), "\"quoted\"");
  EXPECT_EQ(RoundTrip("trailing \r\n"), "trailing \r\n");
  Profile profile;
  WriteUserMemo(profile, " x");
  EXPECT_EQ(profile.Text(), "[User Memo]\r\nUser Memo=\" x\"\r\n");
}

TEST(UserMemo, AFullMemoWithBreaksRoundTripsWhole) {
  // 1024 characters that the editor accepts escape to far more than 1023.
  std::string memo;
  while (memo.size() + 3 <= kUserMemoMaxLength) memo += "ab\r\n";
  memo.resize(kUserMemoMaxLength, 'z');
  ASSERT_GT(EscapeUserMemo(memo).size(), 1023u);
  EXPECT_EQ(RoundTrip(memo), memo);
}

TEST(UserMemo, AnOverlongMemoIsCutToTheEditorsLimitNeverInsideABreak) {
  std::string text(kUserMemoMaxLength - 1, 'x');
  text += "\\r\\ny";  // the break would straddle the limit
  std::string memo;
  ASSERT_TRUE(ReadUserMemo(Profile::Parse("[User Memo]\r\nUser Memo=" + text + "\r\n"), memo));
  EXPECT_EQ(memo, std::string(kUserMemoMaxLength - 1, 'x'));
  ASSERT_TRUE(
      ReadUserMemo(Profile::Parse("[User Memo]\r\nUser Memo=" + std::string(5000, 'q') + "\r\n"), memo));
  EXPECT_EQ(memo, std::string(kUserMemoMaxLength, 'q'));
}

TEST(UserMemo, TextInAnyScriptIsKeptAsTypedAndCutOnlyBetweenCharacters) {
  const std::string typed = "K\xC3\xBC" "che \xE2\x80\x93 \xE5\xAE\xA2\xE5\x8E\x85\r\nRack \xF0\x9F\x8E\xB5";
  EXPECT_EQ(RoundTrip(typed), typed);
  // 8-bit text of an older file (Latin-1 "\xE9\xA9" is no UTF-8) stays byte for byte.
  EXPECT_EQ(RoundTrip("caf\xE9 \xA9"), "caf\xE9 \xA9");

  // The limit counts characters: 1024 three-byte characters are read whole, a 1025th is not,
  // and no character is ever cut in two.
  std::string wide;
  for (std::size_t i = 0; i < kUserMemoMaxLength + 1; ++i) wide += "\xE5\xAE\xA2";
  std::string memo;
  ASSERT_TRUE(ReadUserMemo(Profile::Parse("[User Memo]\r\nUser Memo=" + wide + "\r\n"), memo));
  EXPECT_EQ(memo, wide.substr(0, 3 * kUserMemoMaxLength));
}

}  // namespace
}  // namespace tw::files
