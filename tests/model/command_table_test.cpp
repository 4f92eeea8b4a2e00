#include "model/command_table.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace tw::model;

namespace {

const std::string kDc4 = "\x14";
const std::string kStx = "\x02";
const std::string kEtx = "\x03";

std::string Text(const char* text) { return text == nullptr ? std::string("(null)") : std::string(text); }

// Appends the checksum and ETX the way a sent extended frame carries them.
std::string Complete(const std::string& body) {
  unsigned sum = 0;
  for (std::size_t i = 1; i < body.size(); ++i) sum += static_cast<unsigned char>(body[i]);
  char digits[3];
  std::snprintf(digits, sizeof digits, "%02X", sum % 256);
  return body + digits + kEtx;
}

struct ExpectedRow {
  int index;
  std::string request;
  std::string reply;
  std::string alt;  // "(null)" when none
  std::uint32_t flags;
  int program;
};

void ExpectRow(const ExpectedRow& e) {
  SCOPED_TRACE("row " + std::to_string(e.index));
  const CommandRow& row = kCommandTable[e.index];
  EXPECT_EQ(Text(row.request), e.request);
  EXPECT_EQ(Text(row.replyPrefix), e.reply);
  EXPECT_EQ(Text(row.altReplyPrefix), e.alt);
  EXPECT_EQ(row.flags, e.flags);
  EXPECT_EQ(row.programGroup, e.program);
}

}  // namespace

TEST(CommandTable, HoldsTheRowsThenAnAllZeroTerminator) {
  for (int i = 0; i < kRowCount; ++i) ASSERT_NE(kCommandTable[i].request, nullptr) << "row " << i;
  const CommandRow& end = kCommandTable[kRowCount];
  EXPECT_EQ(end.request, nullptr);
  EXPECT_EQ(end.replyPrefix, nullptr);
  EXPECT_EQ(end.altReplyPrefix, nullptr);
  EXPECT_EQ(end.flags, 0u);
  EXPECT_EQ(end.programGroup, 0);
}

TEST(CommandTable, FixedRowsAndGroupBoundaries) {
  const std::string n = "(null)";
  const ExpectedRow rows[] = {
      {0, kDc4 + "200500001", kDc4 + "200A00001", n, 0x01, -1},
      {1, kDc4 + "200500000", kDc4 + "200800000", n, 0x01, -1},
      {2, kDc4 + "200500007", kDc4 + "200800007", n, 0x01, -1},
      {3, kDc4 + "20050000A", kDc4 + "20060000A", n, 0x01, -1},
      {4, kDc4 + "200500004", kDc4 + "200E00004", n, 0x01, -1},
      {5, kStx + "07A14" + kEtx, kStx + "0028", kStx + "0021", 0x0A, -1},
      {15, kStx + "07A55" + kEtx, kStx + "0028", kStx + "0021", 0x0A, -1},
      {16, kStx + "07AB4" + kEtx, kStx + "0028", kStx + "0021", 0x4A, -1},
      {17, kStx + "07A87" + kEtx, kStx + "0028", kStx + "0021", 0x0A, -1},
      {18, kStx + "07AC1" + kEtx, kStx + "0028", kStx + "0021", 0x0B, -1},
      {19, kStx + "07EE1" + kEtx, kStx + "002800" + kEtx, n, 0x05, -1},
      {20, kDc4 + "20090210000E0", kDc4 + "200B0210000E0", n, 0x05, 0},
      {24, kDc4 + "2009021000020", kDc4 + "200B021000020", n, 0x05, 0},
      {25, kStx + "07EE5" + kEtx, kStx + "002805" + kEtx, n, 0x05, -1},
      {210, kStx + "07EFD" + kEtx, kStx + "00282C" + kEtx, n, 0x05, -1},
      {211, kDc4 + "200902102C1B0", kDc4 + "200B02102C1B0", n, 0x05, 21},
      {215, kDc4 + "200902102C120", kDc4 + "200B02102C120", n, 0x05, 21},
      {216, kDc4 + "200902102C200", kDc4 + "200B02102C200", n, 0x85, 21},
      {217, kDc4 + "200902102C220", kDc4 + "200B02102C220", n, 0x85, 21},
      {218, kStx + "07EC0" + kEtx, kStx + "002834" + kEtx, n, 0x05, -1},
      {219, kDc4 + "2009021034240", kDc4 + "200B021034240", n, 0x05, 22},
      {220, kStx + "07EFF" + kEtx, kStx + "002817" + kEtx, n, 0x05, -1},
      {227, kDc4 + "2009021017180", kDc4 + "200B021017180", n, 0x05, 23},
      {228, kDc4 + "2006050000", kDc4 + "200D050000", n, 0x01, -1},
      {229, kDc4 + "2006050011", kDc4 + "200D050011", n, 0x01, -1},
      {268, kDc4 + "2006050058", kDc4 + "200D050058", n, 0x01, -1},
      {269, kDc4 + "2006051011", kDc4 + "2008051011", n, 0x41, -1},
      {308, kDc4 + "2006051058", kDc4 + "2008051058", n, 0x41, -1},
      {309, kDc4 + "20070110000", kDc4 + "20110110000", n, 0x01, -1},
      {319, kDc4 + "2007011000C", kDc4 + "2011011000C", n, 0x01, -1},
      {320, kDc4 + "2007011000E", kDc4 + "2011011000E", n, 0x41, -1},
      {322, kDc4 + "20070110010", kDc4 + "20110110010", n, 0x01, -1},
      {323, kDc4 + "2006010030", kDc4 + "2008010030", n, 0x01, -1},
      {326, kDc4 + "2006010000", kDc4 + "2008010000", n, 0x01, -1},
      {336, kDc4 + "2006010061", kDc4 + "2008010061", n, 0x01, -1},
      {337, kDc4 + "200504100", kDc4 + "200904100", n, 0x85, -1},
      {338, kDc4 + "200504102", kDc4 + "200904102", n, 0x85, -1},
      {346, kDc4 + "20050410A", kDc4 + "20090410A", n, 0x85, -1},
      {347, kDc4 + "2006033000", kDc4 + "2009033000", n, 0x05, -1},
      {348, kDc4 + "2006033001", kDc4 + "2009033001", n, 0x05, -1},
      {349, kDc4 + "2006033010", kDc4 + "2009033010", n, 0x01, -1},
      {350, kDc4 + "2006033011", kDc4 + "2009033011", n, 0x01, -1},
      {351, kDc4 + "200804000000", kDc4 + "200904000000", n, 0x81, -1},
      {361, kDc4 + "20080400000C", kDc4 + "20090400000C", n, 0x81, -1},
      {362, kDc4 + "200804000010", kDc4 + "200904000010", n, 0x81, -1},
      {363, kDc4 + "20080400000E", kDc4 + "20090400000E", n, 0xC1, -1},
      {364, kDc4 + "200804000100", kDc4 + "200904000100", n, 0x91, -1},
      {375, kDc4 + "20080400010E", kDc4 + "20090400010E", n, 0xD1, -1},
      {376, kDc4 + "200804000200", kDc4 + "200904000200", n, 0xA1, -1},
      {387, kDc4 + "20080400020E", kDc4 + "20090400020E", n, 0xE1, -1},
      {388, kDc4 + "200804001000", kDc4 + "200904001000", n, 0x81, -1},
      {424, kDc4 + "20080400120E", kDc4 + "20090400120E", n, 0xE1, -1},
      {425, kDc4 + "2006012000", kDc4 + "2008012000", n, 0x05, -1},
      {436, kDc4 + "2006012010", kDc4 + "2008012010", n, 0x05, -1},
      {437, kDc4 + "200601200E", kDc4 + "200801200E", n, 0x45, -1},
      {438, kDc4 + "2006012020", kDc4 + "2008012020", n, 0x05, -1},
      {439, kDc4 + "2006030000", kDc4 + "2008030000", n, 0x05, -1},
      {446, kDc4 + "2006030020", kDc4 + "2008030020", n, 0x05, -1},
      {501, kDc4 + "200603009C", kDc4 + "200803009C", n, 0x05, -1},
      {502, kDc4 + "20060300A0", kDc4 + "20080300A0", n, 0x05, -1},
      {503, kDc4 + "20060300A2", kDc4 + "20080300A2", n, 0x05, -1},
      {504, kDc4 + "200500400", kDc4 + "200600400", n, 0x01, -1},
      {505, kDc4 + "200500500", kDc4 + "200600500", n, 0x01, -1},
      {506, kDc4 + "20050000F", kDc4 + "200F0000", kDc4 + "20110000", 0x01, -1},
  };
  for (const ExpectedRow& row : rows) ExpectRow(row);
  EXPECT_EQ(kRegionRow, 0);
  EXPECT_EQ(kCapabilityRow, 4);
  EXPECT_EQ(kPollRow, 506);
}

TEST(CommandTable, ProgramBlocksHaveTheirSelectionAndReadCounts) {
  // Reads per program index 0..23, and each block starts with its selection row.
  const int reads[24] = {5, 5, 5, 7, 7, 5, 8, 5, 8, 5, 12, 11, 11, 11, 11, 8, 10, 8, 8, 10, 10, 7, 1, 7};
  const char* codes[24] = {"00", "05", "07", "09", "0B", "0D", "11", "0F", "10", "0E", "2D", "24",
                           "25", "28", "29", "20", "21", "1E", "1F", "18", "1C", "2C", "34", "17"};
  int row = 19;
  for (int program = 0; program < 24; ++program) {
    SCOPED_TRACE("program " + std::to_string(program));
    EXPECT_EQ(kCommandTable[row].programGroup, -1);
    EXPECT_EQ(Text(kCommandTable[row].replyPrefix), kStx + "0028" + codes[program] + kEtx);
    ++row;
    for (int k = 0; k < reads[program]; ++k, ++row) {
      EXPECT_EQ(kCommandTable[row].programGroup, program);
      EXPECT_EQ(Text(kCommandTable[row].request).substr(0, 11), kDc4 + "20090210" + codes[program]);
    }
  }
  EXPECT_EQ(row, 228);
}

TEST(CommandTable, ExtendedRepliesRepeatTheAddressAfterTheReplyLength) {
  // Value characters a reply adds, by row range (the poll row's prefix is shorter by design).
  auto valueLength = [](int row) {
    if (row <= 4) return std::array{5, 3, 3, 1, 9}[row];
    if (row <= 227) return 2;
    if (row <= 268) return 7;
    if (row <= 308) return 2;
    if (row <= 322) return 10;
    if (row <= 336) return 2;
    if (row <= 346) return 4;
    if (row <= 350) return 3;
    if (row <= 424) return 1;
    if (row <= 503) return 2;
    return 1;
  };
  for (int i = 0; i < kPollRow; ++i) {
    const std::string request = kCommandTable[i].request;
    if (request[0] != '\x14') continue;
    SCOPED_TRACE("row " + std::to_string(i));
    const std::string address = request.substr(5);
    char length[3];
    std::snprintf(length, sizeof length, "%02X", static_cast<unsigned>(address.size() + valueLength(i)));
    EXPECT_EQ(Text(kCommandTable[i].replyPrefix), kDc4 + "20" + length + address);
  }
}

TEST(CommandTable, StartUpWalkRowsAreAllButTheInputSelections) {
  for (int i = 0; i < kRowCount; ++i) {
    const bool atStart = (kCommandTable[i].flags & kReadAtStart) != 0;
    EXPECT_EQ(atStart, i < 5 || i > 17) << "row " << i;
  }
}

TEST(CommandTable, MemoryPassReadsOnlyTheMemoryProgramsReads) {
  // System Memory 3 holding program 5: of rows 19..227 the selections and program 5's reads.
  int selections = 0;
  int reads = 0;
  for (int i = 19; i <= 227; ++i) {
    const CommandRow& row = kCommandTable[i];
    ASSERT_NE(row.flags & kReadPerMemory, 0u) << "row " << i;
    if (row.programGroup == -1) ++selections;
    if (row.programGroup == 5) ++reads;
  }
  EXPECT_EQ(selections, 24);
  EXPECT_EQ(reads, 5);
}

TEST(Eligibility, CapabilityBitsNeedTheirCapability) {
  const Capabilities none{0, 0, 0, 0};
  const Capabilities all{};
  int eligibleWithNone = 0;
  for (int i = 0; i < kRowCount; ++i) {
    const CommandRow& row = kCommandTable[i];
    EXPECT_TRUE(IsEligible(row, all));
    const bool needsSomething = (row.flags & (kNeedsZone2 | kNeedsZone3 | kNeedsXm)) != 0;
    EXPECT_EQ(IsEligible(row, none), !needsSomething) << "row " << i;
    if (IsEligible(row, none)) ++eligibleWithNone;
  }
  // XM input, 40 XM presets, XM name, 50 zone/XM trigger rows, XM volume trim.
  EXPECT_EQ(eligibleWithNone, kRowCount - 93);

  const CommandRow zone2Trigger = kCommandTable[364];
  const CommandRow xmZone3Trigger = kCommandTable[387];
  EXPECT_FALSE(IsEligible(zone2Trigger, Capabilities{0, 1, 1, 1}));
  EXPECT_TRUE(IsEligible(zone2Trigger, Capabilities{1, 0, 0, 0}));
  EXPECT_FALSE(IsEligible(xmZone3Trigger, Capabilities{1, 1, 0, 1}));
  EXPECT_FALSE(IsEligible(xmZone3Trigger, Capabilities{1, 0, 1, 1}));
  EXPECT_TRUE(IsEligible(xmZone3Trigger, Capabilities{0, 5, 7, 0}));  // any non-zero counts
}

TEST(FindRowForCommand, WritesAndRepliesFindTheirRowThroughTheReplyPrefix) {
  struct Case {
    std::string command;
    int row;
  };
  const Case cases[] = {
      {Complete(kDc4 + "2008010130" + "05"), 323},  // I/O Assign write: selector forced to '0'
      {Complete(kDc4 + "2008010030" + "05"), 323},
      {Complete(kDc4 + "200B0211000E0" + "06"), 20},     // DSP Level of program 0
      {Complete(kDc4 + "200D050100" + "1087.50"), 228},  // current frequency
      {Complete(kDc4 + "200D050134" + "0000630"), 248},  // preset C4
      {Complete(kDc4 + "2008051158FF"), 308},            // XM preset E8
      {Complete(kDc4 + "201101110"
                       "01"
                       "08"
                       "ABC     "),
       310},
      {Complete(kDc4 + "20090411"
                       "6"
                       "0"
                       "0f0"),
       342},  // distance, channel 6
      {Complete(kDc4 + "2009033100"
                       "1"
                       "0C"),
       347},
      {Complete(kDc4 + "2009040112"
                       "0E"
                       "1"),
       424},  // CONTROL OUT2, Zone 3, XM
      {Complete(kDc4 + "2008012120"
                       "0c"),
       438},  // Volume Trim DOCK
      {Complete(kDc4 + "20080301"
                       "9"
                       "4"
                       "0f"),
       497},  // Graphic EQ PR band 3
      {kDc4 + "200F0000F01", 506},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindRowForCommand(c.command, kLinkDownload), c.row) << c.command;
    EXPECT_EQ(FindRowForCommand(c.command, kLinkRealTime), c.row) << c.command;
  }
}

TEST(FindRowForCommand, UploadMatchesRequestsAndTakesTheFirstMatch) {
  EXPECT_EQ(FindRowForCommand(Complete(kDc4 + "2006010030"), kLinkUpload), 323);
  EXPECT_EQ(FindRowForCommand(Complete(kDc4 + "200500001"), kLinkUpload), 0);
  EXPECT_EQ(FindRowForCommand(Complete(kDc4 + "20050000F"), kLinkUpload), 506);
  // Input 5 is read twice (rows 10 and 18): the first row wins.
  EXPECT_EQ(FindRowForCommand(kStx + "07AC1" + kEtx, kLinkUpload), 10);
  EXPECT_EQ(FindRowForCommand(kStx + "07EFD" + kEtx, kLinkUpload), 210);
  // In upload mode nothing is forced: a write matches no read request.
  EXPECT_EQ(FindRowForCommand(Complete(kDc4 + "2008010130" + "05"), kLinkUpload), -1);
  EXPECT_EQ(FindRowForCommand("@CURR", kLinkUpload), -1);
}

TEST(FindRowForCommand, OtherModesLookUpOnlyExtendedCommands) {
  EXPECT_EQ(FindRowForCommand(kStx + "07AC1" + kEtx, kLinkDownload), -1);
  EXPECT_EQ(FindRowForCommand(kStx + "0028" + kEtx, kLinkRealTime), -1);
  EXPECT_EQ(FindRowForCommand("@MEMORY1", kLinkDownload), -1);
  EXPECT_EQ(FindRowForCommand("", kLinkDownload), -1);
  EXPECT_EQ(FindRowForCommand("", kLinkUpload), -1);
  EXPECT_EQ(FindRowForCommand(kDc4, kLinkIdle), -1);
  EXPECT_EQ(FindRowForCommand(kDc4 + "2008010", kLinkIdle), -1);  // shorter than the selector index
  EXPECT_EQ(FindRowForCommand(std::string("\x14"
                                          "20080\0"
                                          "0030",
                                          11),
                              kLinkDownload),
            -1);
  // The request text is not what a reply prefix holds.
  EXPECT_EQ(FindRowForCommand(Complete(kDc4 + "2006010030"), kLinkIdle), -1);
}
