#include "app/log_format.h"

#include <gtest/gtest.h>

namespace tw::app {
namespace {

using namespace std::chrono_literals;

TEST(LogFormat, SentStandardFrameWritesControlCharactersOut) {
  EXPECT_EQ(TraceLine("\x02" "20000\x03", true, true), "STX, \"20000\", ETX  \t//[送](標)\r\n");
}

TEST(LogFormat, ReceivedExtendedFrameGetsCommentMarkAndTags) {
  EXPECT_EQ(TraceLine("\x14" "2030\x03", true, false), "//DC4, \"2030\", ETX  \t//[受](拡)\r\n");
  EXPECT_EQ(TraceLine("\x12" "R0210\x03", true, false), "//DC2, \"R0210\", ETX  \t//[受](拡)\r\n");
}

TEST(LogFormat, CommentLinesKeepControlCharacters) {
  EXPECT_EQ(TraceLine("初期化リトライ\x02", false, false), "//初期化リトライ\x02\r\n");
  EXPECT_EQ(TraceLine("", true, true), "\t//[送](拡)\r\n");
}

TEST(LogFormat, ErrorLinesWithAndWithoutParameter) {
  EXPECT_EQ(ErrorLine(std::pair<std::string, std::string>{"Speaker Set", "Center"}, "\x14" "20A\x03"),
            "Speaker Set Center\tDC4, \"20A\", ETX  \r\n");
  EXPECT_EQ(ErrorLine(std::pair<std::string, std::string>{}, "x"), " \tx\r\n");
  EXPECT_EQ(ErrorLine(std::nullopt, "StartTime :1"), "StartTime :1\r\n");
}

TEST(LogFormat, DurationShowsMinutesWithinTheHourAndSeconds) {
  EXPECT_EQ(FormatDuration(1h + 5min + 9s), "05'09\"");
  EXPECT_EQ(FormatDuration(1h + 3min + 27s), "03'27\"");
  EXPECT_EQ(FormatDuration(59min + 59s), "59'59\"");
  EXPECT_EQ(FormatDuration(0s), "00'00\"");
  EXPECT_EQ(FormatDuration(-5s), "00'00\"");
  EXPECT_EQ(FormatDuration(std::nullopt), "");
}

}  // namespace
}  // namespace tw::app
