#include "comm/protocol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tw::comm;
using namespace std::string_literals;

namespace {

std::string standard(const std::string& body) { return "\x02"s + body + "\x03"s; }

// Status data where every offset holds a character that names it: offsets 0..9 hold '0'..'9',
// the rest cycle through letters, so a report shows which offsets it took.
std::string labelledStatusData() {
  std::string data;
  for (int i = 0; i < 172; ++i) data += static_cast<char>(i < 10 ? '0' + i : 'A' + (i % 26));
  return data;
}

std::vector<std::string> expand(std::string_view data) {
  std::vector<std::string> reports;
  ExpandStatusFrame(data, [&](const std::string& r) { reports.push_back(r); });
  return reports;
}

}  // namespace

TEST(Checksum, SumsBodyBytesModulo256AsUpperHex) {
  EXPECT_EQ(MakeChecksum("20050000F"), "CD");  // 461 = 0x1CD
  EXPECT_EQ(MakeChecksum(std::string(4, '@')), "00");  // 4 * 64 = 256
  EXPECT_EQ(MakeChecksum(""), "00");
  EXPECT_EQ(MakeChecksum("\xff\x01"), "00");
}

TEST(Checksum, CompleteExtendedAppendsChecksumAndEtxOnlyToExtendedText) {
  EXPECT_EQ(CompleteExtended("\x14" "20050000F"), "\x14" "20050000FCD\x03");
  EXPECT_EQ(CompleteExtended(standard("20000")), standard("20000"));
  EXPECT_EQ(CompleteExtended(""), "");
  EXPECT_EQ(CompleteExtended("\x14"), "\x14" "00\x03");
}

TEST(Classification, RecognisesFrameKindsWithoutReadingPastTheText) {
  EXPECT_TRUE(IsStandard(standard("07A1D")));
  EXPECT_FALSE(IsStandard(""));
  EXPECT_TRUE(IsExtended("\x14"));
  EXPECT_FALSE(IsExtended(std::string(1, '\0')));

  std::string status = "\x12R0210xAE0000000" "0" "rest\x03";
  ASSERT_EQ(status[16], '0');
  EXPECT_TRUE(IsStatusFrame(status));
  EXPECT_TRUE(IsSupportedModel(status));
  status[16] = '1';
  EXPECT_FALSE(IsStatusFrame(status));
  std::string otherModel = "\x12R0300xAE00000000\x03";
  EXPECT_TRUE(IsStatusFrame(otherModel));
  EXPECT_FALSE(IsSupportedModel(otherModel));
  EXPECT_FALSE(IsStatusFrame("\x12R0210xAE"));
  EXPECT_FALSE(IsSupportedModel("\x12R021"));
}

TEST(Classification, GuardAndParameterErrorByFrameKind) {
  EXPECT_TRUE(IsGuard(standard("012800")));
  EXPECT_TRUE(IsGuard(standard("022800")));
  EXPECT_FALSE(IsGuard(standard("002800")));
  EXPECT_TRUE(IsGuard("\x14" "200B0211xxx"));
  EXPECT_TRUE(IsGuard("\x14" "200B0212xxx"));
  EXPECT_FALSE(IsGuard("\x14" "200B0214xxx"));
  EXPECT_TRUE(IsParameterError("\x14" "200B0214xxx"));
  EXPECT_FALSE(IsParameterError(standard("042800")));
  EXPECT_FALSE(IsGuard("\x14" "200"));
  EXPECT_FALSE(IsParameterError(""));
}

TEST(Classification, OnlyTheFourIgnoredPrefixes) {
  for (const char* code : {"001000", "001234", "0013AB", "0014FF"}) EXPECT_TRUE(IsIgnoredReport(standard(code))) << code;
  EXPECT_FALSE(IsIgnoredReport(standard("001100")));
  EXPECT_FALSE(IsIgnoredReport(standard("002800")));
  EXPECT_FALSE(IsIgnoredReport("\x02" "001"));
}

TEST(Normalisation, OnlyCompleteEightByteStandardReportsGetClassZero) {
  std::string eight = standard("102800");
  NormaliseFrame(eight);
  EXPECT_EQ(eight, standard("002800"));

  for (std::string kept : {standard("10280"), standard("1028000"), "\x14" "1234567"s, "\x02" "1028000"s}) {
    const std::string before = kept;
    NormaliseFrame(kept);
    EXPECT_EQ(kept, before);
  }
}

TEST(ReplyRecognition, PrefixesAndExtendedAcknowledgement) {
  const tw::model::CommandRow row{"\x14" "200500001", "\x14" "200A00001", "\x14" "20110000", 0x01, -1};
  EXPECT_TRUE(MatchesReplyPrefix("\x14" "200A000011234567", row));
  EXPECT_TRUE(MatchesReplyPrefix("\x14" "20110000xyz", row));
  EXPECT_FALSE(MatchesReplyPrefix("\x14" "20110000xyz", row, false));
  EXPECT_FALSE(MatchesReplyPrefix("\x14" "200A0000", row));  // shorter than the prefix

  const std::string command = CompleteExtended("\x14" "200804000000" "1");
  EXPECT_TRUE(AcknowledgesExtendedWrite("\x14" "200904000000" "1AB\x03", command));
  EXPECT_FALSE(AcknowledgesExtendedWrite("\x14" "200904100000" "1AB\x03", command));  // other block
  EXPECT_FALSE(AcknowledgesExtendedWrite("\x14" "200904040000" "1AB\x03", command));  // parameter error
  EXPECT_FALSE(AcknowledgesExtendedWrite("\x14" "2009040", command));
  EXPECT_FALSE(AcknowledgesExtendedWrite(standard("002800"), command));
}

TEST(StatusExpansion, SeventySevenReportsInOrderFromTheirOffsets) {
  const std::string data = labelledStatusData();
  const auto reports = expand(data);
  ASSERT_EQ(reports.size(), 77u);
  EXPECT_EQ(reports[0], standard("0021"s + data[9] + data[10]));
  EXPECT_EQ(reports[1], standard("0022"s + data[40] + data[11]));
  EXPECT_EQ(reports[3], standard("002D0"s + data[22]));
  EXPECT_EQ(reports[5], standard("008B"s + data[27] + data[28]));
  EXPECT_EQ(reports[20], standard("0049"s + data[66] + data[67]));
  EXPECT_EQ(reports[48], standard("007610"));  // offset 103 is not "0"
  EXPECT_EQ(reports[75], standard("00980"s + data[153]));
  EXPECT_EQ(reports[76], standard("00200"s + data[8]));
  for (const auto& r : reports) EXPECT_EQ(r.size(), 8u) << r;
}

TEST(StatusExpansion, ZeroSelectorsChooseTheValuelessReport) {
  std::string data = labelledStatusData();
  data[27] = '0';
  data[28] = 'Z';
  data[103] = '0';
  const auto reports = expand(data);
  ASSERT_EQ(reports.size(), 77u);
  EXPECT_EQ(reports[4], standard("008200"));
  EXPECT_EQ(reports[5], standard("008B00"));
  EXPECT_EQ(reports[48], standard("007600"));
}

TEST(StatusExpansion, ShortDataLeavesOutReportsItCannotFillAndNeverOverreads) {
  const std::string data = labelledStatusData().substr(0, 20);
  const auto reports = expand(data);
  // Offsets below 20 only: 0021 (9,10), 0028 (19,20) needs 20: left out, 0026, 00230, 00240, 00250,
  // 0027, and 00200 (8).
  std::vector<std::string> codes;
  for (const auto& r : reports) codes.push_back(r.substr(1, 4));
  EXPECT_EQ(codes, (std::vector<std::string>{"0021", "0026", "0023", "0024", "0025", "0027", "0020"}));
  EXPECT_TRUE(expand("").empty());
}

TEST(StatusExpansion, StatusDataStartsAtByteNineAndStopsBeforeEtx) {
  const std::string frame = "\x12R0210xAE" "abc\x03";
  EXPECT_EQ(StatusData(frame), "abc");
  EXPECT_EQ(StatusData("\x12R02"), "");
}
