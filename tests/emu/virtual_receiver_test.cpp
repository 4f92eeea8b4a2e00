// The receiver's answers, frame by frame, without the line's timing.

#include "emu/virtual_receiver.h"

#include <gtest/gtest.h>

#include <map>

#include "comm/frame_notation.h"
#include "comm/protocol.h"
#include "emu/receiver_settings.h"
#include "receiver_test_support.h"

namespace tw::emu {
namespace {

using test::AnswerOf;
using test::Ext;
using test::ReadOf;
using test::Report;
using test::Std;
using test::WriteOf;

using Frames = std::vector<std::string>;

// Extended frame checks: declared length, checksum in upper case, ETX.
void ExpectWellFormedExtended(const std::string& frame) {
  ASSERT_GE(frame.size(), 12u) << comm::ToNotation(frame);
  EXPECT_EQ(frame[0], comm::DC4);
  EXPECT_EQ(frame.back(), comm::ETX);
  const std::string body = frame.substr(1, frame.size() - 4);
  EXPECT_EQ(std::stoi(body.substr(2, 2), nullptr, 16) + 4, static_cast<int>(body.size()))
      << comm::ToNotation(frame);
  EXPECT_EQ(frame.substr(frame.size() - 3, 2), comm::MakeChecksum(body)) << comm::ToNotation(frame);
}

TEST(VirtualReceiverOpening, OpeningSequenceIsAnsweredByOneStatusFrameAtTheEnd) {
  VirtualReceiver receiver{EmulatorConfig{}};
  EXPECT_TRUE(receiver.handleFrame(Std("20000")).empty());
  EXPECT_TRUE(receiver.handleFrame(Std("07A1D")).empty());
  EXPECT_TRUE(receiver.handleFrame(Std("07A1D")).empty());
  const Frames replies = receiver.handleFrame(Std("07E82"));
  ASSERT_EQ(replies.size(), 1u);
  const std::string& status = replies[0];
  EXPECT_TRUE(comm::IsStatusFrame(status));
  EXPECT_TRUE(comm::IsSupportedModel(status));
  EXPECT_EQ(status.size(), 9u + 0xAE + 1u);
  EXPECT_LE(status.size(), comm::kMaxFrameLength);
}

// The tool's status expansion yields, report by report, what the receiver holds.
void ExpectStatusMatchesReports(const VirtualReceiver& receiver) {
  const std::string status = receiver.statusFrame();
  std::vector<std::string> reports;
  comm::ExpandStatusFrame(comm::StatusData(status),
                          [&](const std::string& report) { reports.push_back(report); });
  ASSERT_EQ(reports.size(), 77u);
  for (const std::string& report : reports) {
    ASSERT_EQ(report.size(), 8u) << comm::ToNotation(report);
    const std::string code = report.substr(3, 2);
    std::string expected = MakeReport(code, receiver.reportValue(code));
    // Night mode off is reported without its parameter.
    if (code == "8B" && receiver.reportValue("8B")[0] == '0') expected = Report("8B00");
    EXPECT_EQ(comm::ToNotation(report), comm::ToNotation(expected));
  }
}

TEST(VirtualReceiverOpening, StatusFrameExpandsToTheFactoryState) {
  VirtualReceiver receiver{EmulatorConfig{}};
  ExpectStatusMatchesReports(receiver);
  // Factory: input DVD, Drama, volume -40.0 dB, all zones on.
  const std::string data(comm::StatusData(receiver.statusFrame()));
  EXPECT_EQ(data.substr(9, 2), "05");
  EXPECT_EQ(data.substr(19, 2), "29");
  EXPECT_EQ(data.substr(15, 2), "77");
  EXPECT_EQ(data[8], '1');
}

TEST(VirtualReceiverOpening, StatusFrameExpandsToRandomStatesToo) {
  for (std::uint32_t seed : {1u, 2u, 99u, 12345u}) {
    EmulatorConfig config;
    config.settingsSeed = seed;
    VirtualReceiver receiver{config};
    SCOPED_TRACE(seed);
    ExpectStatusMatchesReports(receiver);
  }
}

TEST(VirtualReceiverOpening, WrongModelCodeIsAStatusFrameOfAnotherModel) {
  EmulatorConfig config;
  config.modelCode = "R0999";
  VirtualReceiver receiver{config};
  const Frames replies = receiver.handleFrame(Std("07E82"));
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_TRUE(comm::IsStatusFrame(replies[0]));
  EXPECT_FALSE(comm::IsSupportedModel(replies[0]));
  EXPECT_EQ(replies[0].substr(1, 5), "R0999");
}

TEST(VirtualReceiverReads, EveryRowOfTheCommandTableIsAnsweredWithItsPrefixAndLength) {
  VirtualReceiver receiver{EmulatorConfig{}};
  for (int row = 0; row < model::kRowCount; ++row) {
    SCOPED_TRACE(row);
    const model::CommandRow& entry = model::kCommandTable[static_cast<std::size_t>(row)];
    const Frames replies = receiver.handleFrame(ReadOf(row));
    ASSERT_FALSE(replies.empty());
    const std::string& answer = replies[0];
    EXPECT_TRUE(comm::MatchesReplyPrefix(answer, entry)) << comm::ToNotation(answer);
    if (entry.request[0] == comm::STX) {
      for (const auto& reply : replies) EXPECT_EQ(reply.size(), 8u);
      continue;
    }
    ASSERT_EQ(replies.size(), 1u);
    ExpectWellFormedExtended(answer);
    EXPECT_EQ(answer[8], '0');
    const std::size_t prefix = std::string_view(entry.replyPrefix).size();
    EXPECT_EQ(static_cast<int>(answer.size() - prefix - 3), RowValueLength(row));
  }
}

TEST(VirtualReceiverReads, ValueLengthsFollowTheRowGroups) {
  // Region 5, capabilities 3, 3, 1, list 9; DSP 2; tuner 7; XM 2; names 10; I/O 2; distance 4;
  // tone 3; trigger 1; trim 2; GEQ 2; iPod outputs 1.
  const std::map<int, int> expected = {{0, 5},   {1, 3},   {2, 3},    {3, 1},   {4, 9},   {20, 2},  {228, 7},
                                       {268, 7}, {269, 2}, {309, 10}, {323, 2}, {337, 4}, {347, 3}, {351, 1},
                                       {424, 1}, {425, 2}, {439, 2},  {503, 2}, {504, 1}, {505, 1}};
  for (const auto& [row, length] : expected) EXPECT_EQ(RowValueLength(row), length) << "row " << row;
}

TEST(VirtualReceiverReads, CapabilitiesAndRegionAnswerAsConfigured) {
  EmulatorConfig config;
  config.zone2 = false;
  config.xm = false;
  config.aac = false;
  config.tunerRegion = 2;
  VirtualReceiver receiver{config};
  EXPECT_EQ(receiver.handleFrame(ReadOf(0)), Frames{AnswerOf(0, "00200")});
  EXPECT_EQ(receiver.handleFrame(ReadOf(1)), Frames{AnswerOf(1, "000")});
  EXPECT_EQ(receiver.handleFrame(ReadOf(2)), Frames{AnswerOf(2, "100")});
  EXPECT_EQ(receiver.handleFrame(ReadOf(3)), Frames{AnswerOf(3, "0")});
  EXPECT_EQ(receiver.handleFrame(ReadOf(4)), Frames{AnswerOf(4, "411213041")});
  // The region digit sits at index 12 of the answer.
  EXPECT_EQ(receiver.handleFrame(ReadOf(0))[0][12], '2');
}

TEST(VirtualReceiverReads, RowsOfAMissingZoneOrXmAnswerWithAParameterError) {
  EmulatorConfig config;
  config.zone3 = false;
  config.xm = false;
  VirtualReceiver receiver{config};
  for (int row = 0; row < model::kRowCount; ++row) {
    const model::CommandRow& entry = model::kCommandTable[static_cast<std::size_t>(row)];
    if (entry.request[0] != comm::DC4 || !(entry.flags & (model::kNeedsZone3 | model::kNeedsXm))) continue;
    const Frames replies = receiver.handleFrame(ReadOf(row));
    ASSERT_EQ(replies.size(), 1u) << row;
    EXPECT_TRUE(comm::IsParameterError(replies[0])) << row << " " << comm::ToNotation(replies[0]);
  }
}

TEST(VirtualReceiverReads, FactorySettingsMatchTheDefaultsOnTheWire) {
  VirtualReceiver receiver{EmulatorConfig{}};
  EXPECT_EQ(receiver.rowValue(20), "06");        // Hall in Munich DSP level 0 dB, sent + 6
  EXPECT_EQ(receiver.rowValue(22), "1E");        // its initial delay 30 ms
  EXPECT_EQ(receiver.rowValue(228), "1087.50");  // USA: current frequency FM 87.50
  EXPECT_EQ(receiver.rowValue(237), "0000630");  // page B preset 1: AM 630
  EXPECT_EQ(receiver.rowValue(269), "01");       // XM presets 1
  EXPECT_EQ(receiver.rowValue(309), "08 PHONO  ");
  EXPECT_EQ(receiver.rowValue(323), "05");    // Component IN 1: DVD
  EXPECT_EQ(receiver.rowValue(337), "0104");  // centre 2.60 m
  EXPECT_EQ(receiver.rowValue(338), "012C");  // front left 3.00 m
  EXPECT_EQ(receiver.rowValue(347), "10C");   // 350 Hz, 0 dB
  EXPECT_EQ(receiver.rowValue(351), "1");
  EXPECT_EQ(receiver.rowValue(425), "0C");
  EXPECT_EQ(receiver.rowValue(439), "0F");
  EXPECT_EQ(receiver.reportValue("41"), "28");  // front left level 0 dB
  EXPECT_EQ(receiver.reportValue("42"), "26");  // centre -1.0 dB
}

TEST(VirtualReceiverReads, RandomSettingsDifferFromFactoryAndBetweenMemories) {
  EmulatorConfig config;
  config.settingsSeed = 7;
  VirtualReceiver random{config};
  VirtualReceiver factory{EmulatorConfig{}};
  int differentFromFactory = 0;
  int differentBetweenMemories = 0;
  for (int row = 0; row < model::kRowCount; ++row) {
    const auto index = static_cast<std::size_t>(row);
    differentFromFactory += random.current().rows[index] != factory.current().rows[index];
    differentBetweenMemories += random.memory(1).rows[index] != random.memory(2).rows[index];
  }
  EXPECT_GT(differentFromFactory, 300);
  EXPECT_GT(differentBetweenMemories, 300);
  // The same seed gives the same receiver.
  VirtualReceiver again{config};
  EXPECT_EQ(again.current().rows, random.current().rows);
  EXPECT_EQ(again.memory(6).reports, random.memory(6).reports);
}

TEST(VirtualReceiverReads, RandomSettingsStayWithinTheirRanges) {
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    EmulatorConfig config;
    config.settingsSeed = seed;
    VirtualReceiver receiver{config};
    const ReceiverSettings& s = receiver.current();
    SCOPED_TRACE(seed);
    for (int row = 439; row <= 503; ++row) {  // graphic EQ -6.0 .. +6.0 dB
      const int value = std::stoi(s.rows[static_cast<std::size_t>(row)], nullptr, 16);
      EXPECT_GE(value, 3);
      EXPECT_LE(value, 27);
    }
    for (int row = 337; row <= 346; ++row) {  // one unit for all distances, within its range
      const std::string& value = s.rows[static_cast<std::size_t>(row)];
      EXPECT_EQ(value[0], s.rows[337][0]);
      const int distance = std::stoi(value.substr(1), nullptr, 16);
      if (value[0] == '0') {
        EXPECT_TRUE(distance >= 30 && distance <= 2400 && distance % 10 == 0) << distance;
      } else {
        EXPECT_TRUE(distance >= 10 && distance <= 800 && distance % 5 == 0) << distance;
      }
    }
    const int level = std::stoi(s.reports.at("46"), nullptr, 16);  // speaker level -10..+10 dB
    EXPECT_GE(level, 20);
    EXPECT_LE(level, 60);
    // With no surround speakers there is no surround back either.
    if (s.reports.at("72") == "02") {
      EXPECT_EQ(s.reports.at("73"), "04");
    }
    // Zone amplifiers never share an internal output.
    const int zone2 = s.reports.at("3E")[1] - '0';
    const int zone3 = s.reports.at("3F")[1] - '0';
    EXPECT_EQ(zone2 & zone3, 0);
    // Decoder mode 0..2 and a known audio select character.
    EXPECT_NE(std::string_view("012").find(s.reports.at("22")[0]), std::string_view::npos);
    EXPECT_NE(std::string_view("0834").find(s.reports.at("22")[1]), std::string_view::npos);
  }
}

TEST(VirtualReceiverWrites, EveryWritableRowIsEchoedAndReadsBackWhatWasWritten) {
  EmulatorConfig other;
  other.settingsSeed = 3;
  const VirtualReceiver source{other};
  VirtualReceiver receiver{EmulatorConfig{}};
  int written = 0;
  for (int row = 5; row < model::kPollRow; ++row) {
    const model::CommandRow& entry = model::kCommandTable[static_cast<std::size_t>(row)];
    if (entry.request[0] != comm::DC4) continue;
    SCOPED_TRACE(row);
    const std::string value = source.rowValue(row);
    const Frames echo = receiver.handleFrame(WriteOf(row, value));
    ASSERT_EQ(echo.size(), 1u);
    EXPECT_EQ(comm::ToNotation(echo[0]), comm::ToNotation(AnswerOf(row, value)));
    EXPECT_TRUE(comm::AcknowledgesExtendedWrite(echo[0], WriteOf(row, value)));
    EXPECT_EQ(receiver.handleFrame(ReadOf(row)), Frames{AnswerOf(row, value)});
    ++written;
  }
  EXPECT_EQ(written, 185 + 41 + 40 + 14 + 14 + 10 + 4 + 74 + 14 + 65 + 2);
}

TEST(VirtualReceiverWrites, PagesWritesWithLowerCaseDigitsAndChecksumsAreTaken) {
  VirtualReceiver receiver{EmulatorConfig{}};
  // Front left at 3.10 m, as the distance page writes it: lower-case digits and checksum.
  std::string body =
      "200904112"
      "0136";
  std::string frame = std::string(1, comm::DC4) + body;
  std::string checksum = comm::MakeChecksum(body);
  for (char& c : checksum) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  frame += checksum + "\x03";
  const Frames echo = receiver.handleFrame(frame);
  ASSERT_EQ(echo.size(), 1u);
  EXPECT_EQ(comm::ToNotation(echo[0]), comm::ToNotation(AnswerOf(338, "0136")));
  // Graphic EQ Presence R band 3 at +6.0 dB: "1b" is kept as "1B".
  receiver.handleFrame(
      Ext("200803019"
          "4"
          "1b"));
  EXPECT_EQ(receiver.rowValue(439 + 8 * 7 + 2), "1B");  // ninth channel, third band
}

TEST(VirtualReceiverWrites, NamesKeepTheirCase) {
  VirtualReceiver receiver{EmulatorConfig{}};
  const Frames echo =
      receiver.handleFrame(Ext("20110111001"
                               "08"
                               "My cd   "));
  ASSERT_EQ(echo.size(), 1u);
  EXPECT_EQ(receiver.rowValue(310), "08My cd   ");
}

TEST(VirtualReceiverWrites, WrongValuesAndUnknownAddressesGetAParameterError) {
  VirtualReceiver receiver{EmulatorConfig{}};
  const Frames unknownRead = receiver.handleFrame(Ext("200599900"));
  ASSERT_EQ(unknownRead.size(), 1u);
  EXPECT_TRUE(comm::IsParameterError(unknownRead[0]));
  ExpectWellFormedExtended(unknownRead[0]);
  EXPECT_EQ(unknownRead[0].substr(1, 9), "200599940");

  EXPECT_TRUE(comm::IsParameterError(receiver.handleFrame(WriteOf(439, "ZZ"))[0]));   // not hex
  EXPECT_TRUE(comm::IsParameterError(receiver.handleFrame(WriteOf(439, "0F0"))[0]));  // too long
  EXPECT_TRUE(comm::IsParameterError(receiver.handleFrame(WriteOf(0, "00300"))[0]));  // the region is not set
  EXPECT_EQ(receiver.rowValue(439), "0F");
  EXPECT_EQ(receiver.rowValue(0), "00100");
}

TEST(VirtualReceiverWrites, FramesSpoiltOnTheLineAreNotAnswered) {
  VirtualReceiver receiver{EmulatorConfig{}};
  std::string frame = ReadOf(20);
  frame[frame.size() - 2] = frame[frame.size() - 2] == '0' ? '1' : '0';  // checksum off by one digit
  EXPECT_TRUE(receiver.handleFrame(frame).empty());
  EXPECT_TRUE(receiver.handleFrame("\x14\x03").empty());
  EXPECT_TRUE(receiver.handleFrame("").empty());
  // A length that does not fit the payload is a parameter error.
  const Frames wrongLength = receiver.handleFrame(Ext("20070210000E0"));
  ASSERT_EQ(wrongLength.size(), 1u);
  EXPECT_TRUE(comm::IsParameterError(wrongLength[0]));
}

TEST(VirtualReceiverStandard, SystemCommandsAreAnsweredWithTheReportOfTheSameSetting) {
  VirtualReceiver receiver{EmulatorConfig{}};
  EXPECT_EQ(receiver.handleFrame(Std("2B301")), Frames{Report("B301")});  // speaker impedance
  EXPECT_EQ(receiver.handleFrame(Std("2690"
                                     "0")),
            Frames{Report("6900")});                                      // video conversion
  EXPECT_EQ(receiver.handleFrame(Std("26100")), Frames{Report("6100")});  // dimmer -4
  EXPECT_EQ(receiver.handleFrame(Std("27610")), Frames{Report("7610")});  // SW phase reverse
  EXPECT_EQ(receiver.handleFrame(Std("27B05")), Frames{Report("7B05")});  // 8ch, front DVD
  EXPECT_EQ(receiver.handleFrame(Std("28B21")), Frames{Report("8B21")});  // night music, mid
  EXPECT_EQ(receiver.reportValue("82"), "02");
  EXPECT_EQ(receiver.handleFrame(Std("26600")), Frames{Report("6600")});  // zone 2 volume out VAR
}

// Night mode off holds the parameter at Min, however it is switched off; switching it on
// again starts from Min.
TEST(VirtualReceiverStandard, NightModeOffHoldsItsParameterAtMin) {
  VirtualReceiver receiver{EmulatorConfig{}};
  receiver.handleFrame(Std("28B22"));  // music, max
  EXPECT_EQ(receiver.handleFrame(Std("07E9C")), Frames{Report("8200")});  // off
  EXPECT_EQ(receiver.reportValue("8B"), "00");
  receiver.handleFrame(Std("07E9B"));  // cinema
  EXPECT_EQ(receiver.reportValue("8B"), "10");
  EXPECT_EQ(receiver.handleFrame(Std("28B02")), Frames{Report("8B00")});
  EXPECT_EQ(receiver.reportValue("82"), "00");
}

TEST(VirtualReceiverStandard, VolumesAreReportedUnderTheirReportCodes) {
  VirtualReceiver receiver{EmulatorConfig{}};
  EXPECT_EQ(receiver.handleFrame(Std("230C7")), Frames{Report("26C7")});  // main 0.0 dB
  EXPECT_EQ(receiver.handleFrame(Std("23000")), Frames{Report("2600")});  // main muted
  EXPECT_EQ(receiver.handleFrame(Std("23127")), Frames{Report("2727")});  // zone 2 -80.0 dB
  EXPECT_EQ(receiver.handleFrame(Std("234C7")), Frames{Report("A2C7")});  // zone 3 0.0 dB
}

TEST(VirtualReceiverStandard, SpeakerLevelsAnswerWithTheReportOfTheSameChannel) {
  VirtualReceiver receiver{EmulatorConfig{}};
  // Surround back and presence: the command addresses and the report codes name the
  // channels in different orders; the report is the one that reads back as that channel.
  EXPECT_EQ(receiver.handleFrame(Std("2483c")), Frames{Report("463C")});  // SBL
  EXPECT_EQ(receiver.handleFrame(Std("24714")), Frames{Report("4514")});  // SBR
  EXPECT_EQ(receiver.handleFrame(Std("24630")), Frames{Report("4830")});  // PRL
  EXPECT_EQ(receiver.handleFrame(Std("24520")), Frames{Report("4720")});  // PRR
  EXPECT_EQ(receiver.handleFrame(Std("24132")), Frames{Report("4132")});  // FL
  EXPECT_EQ(receiver.handleFrame(Std("24932")), Frames{Report("4932")});  // SW
}

TEST(VirtualReceiverStandard, OperationCommandsAnswerWithTheirReports) {
  VirtualReceiver receiver{EmulatorConfig{}};
  EXPECT_EQ(receiver.handleFrame(Std("07EDA")), Frames{Report("2208")});  // audio HDMI
  EXPECT_EQ(receiver.handleFrame(Std("07EA8")), Frames{Report("2218")});  // decoder DTS
  EXPECT_EQ(receiver.handleFrame(Std("07EDC")), Frames{Report("2D04")});  // EX
  EXPECT_EQ(receiver.handleFrame(Std("07E9B")), Frames{Report("8201")});  // night cinema
  EXPECT_EQ(receiver.handleFrame(Std("07EA2")), Frames{Report("2301")});  // mute on
  EXPECT_EQ(receiver.handleFrame(Std("07EBB")), Frames{Report("2005")});  // zone 2 off: main, zone 3 on
  EXPECT_EQ(receiver.handleFrame(Std("07AEE")), Frames{Report("2002")});  // zone 3 off: main only
  EXPECT_EQ(receiver.handleFrame(Std("07E7F")), Frames{Report("2000")});  // all off
  EXPECT_EQ(receiver.handleFrame(Std("07AD4")), Frames{Report("2403")});  // zone 2 input CD-R
  EXPECT_EQ(receiver.handleFrame(Std("07AB9")), Frames{Report("A00E")});  // zone 3 input XM
  EXPECT_EQ(receiver.handleFrame(Std("07EA0")), Frames{Report("2501")});  // zone 2 mute on
  EXPECT_EQ(receiver.handleFrame(Std("07E26")), Frames{Report("A101")});  // zone 3 mute on
  EXPECT_EQ(receiver.handleFrame(Std("07EB0")), Frames{Report("2B02")});  // short message off
  EXPECT_EQ(receiver.handleFrame(Std("07E33")), Frames{Report("3A02")});  // control out 1: zone 2
  EXPECT_EQ(receiver.handleFrame(Std("07E98")), Frames{Report("3B00")});  // control out 2: zone OR
  EXPECT_EQ(receiver.handleFrame(Std("2AF03")), Frames{Report("2842")});  // 7ch enhancer low
  EXPECT_EQ(receiver.handleFrame(Std("07EE0")), Frames{Report("2880")});  // Straight
}

TEST(VirtualReceiverStandard, InputsRecallTheirOwnProgram) {
  VirtualReceiver receiver{EmulatorConfig{}};
  // CD plays The Roxy Theatre at the factory: program report first, then the input.
  EXPECT_EQ(receiver.handleFrame(Std("07A15")), (Frames{Report("2810"), Report("2101")}));
  EXPECT_EQ(receiver.handleFrame(Std("07EFB")), Frames{Report("2828")});  // CD now on Adventure
  EXPECT_EQ(receiver.handleFrame(Std("07AC1")), (Frames{Report("2829"), Report("2105")}));  // DVD: Drama
  EXPECT_EQ(receiver.handleFrame(Std("07A15")), (Frames{Report("2828"), Report("2101")}));
}

TEST(VirtualReceiverStandard, UnknownStandardCommandsAreNotAnswered) {
  VirtualReceiver receiver{EmulatorConfig{}};
  const ReceiverSettings before = receiver.current();
  for (const char* code : {"2FF00", "07E00", "12345", "FFFFF", "0F7F011EE1", "2ZZ00", "26 00", "0"}) {
    EXPECT_TRUE(receiver.handleFrame(Std(code)).empty()) << code;
  }
  EXPECT_EQ(receiver.current().reports, before.reports);
}

TEST(VirtualReceiverMemories, MainVolumeSaveAndLoad) {
  VirtualReceiver receiver{EmulatorConfig{}};
  receiver.handleFrame(Std("230A0"));
  EXPECT_EQ(receiver.handleFrame(Std("07E6C")), Frames{Report("3302")});  // save to memory 2
  receiver.handleFrame(Std("23050"));
  EXPECT_EQ(receiver.handleFrame(Std("07E76")), (Frames{Report("26A0"), Report("3202")}));  // load memory 2
  EXPECT_EQ(receiver.reportValue("26"), "A0");
  // Zone volumes have their own memories.
  receiver.handleFrame(Std("23140"));
  EXPECT_EQ(receiver.handleFrame(Std("07E8B")), Frames{Report("3805")});
  EXPECT_EQ(receiver.handleFrame(Std("07E91")), (Frames{Report("2740"), Report("3705")}));
  EXPECT_EQ(receiver.handleFrame(Std("07E20")), Frames{Report("A401")});
  EXPECT_EQ(receiver.handleFrame(Std("07E60")), (Frames{Report("A277"), Report("A301")}));
}

TEST(VirtualReceiverMemories, SystemSaveAndLoadCarryTheSystemSettings) {
  VirtualReceiver receiver{EmulatorConfig{}};
  receiver.handleFrame(Std("2483C"));        // SBL +10 dB
  receiver.handleFrame(WriteOf(439, "1B"));  // centre band 1 +6 dB
  receiver.handleFrame(Std("07EFB"));        // Adventure
  receiver.handleFrame(Std("2B301"));        // speaker impedance: not in a memory
  EXPECT_EQ(receiver.handleFrame(Std("07E2D")), Frames{Report("3103")});  // save System 3

  receiver.handleFrame(Std("24828"));
  receiver.handleFrame(WriteOf(439, "0F"));
  receiver.handleFrame(Std("07EE1"));
  receiver.handleFrame(Std("2B300"));
  const Frames loaded = receiver.handleFrame(Std("07E37"));  // load System 3
  ASSERT_EQ(loaded.size(), 1u);
  EXPECT_TRUE(comm::IsStatusFrame(loaded[0]));
  const std::string data(comm::StatusData(loaded[0]));
  EXPECT_EQ(data.substr(60, 2), "3C");  // SBL, report 46
  EXPECT_EQ(data.substr(19, 2), "28");  // Adventure
  EXPECT_EQ(receiver.rowValue(439), "1B");
  EXPECT_EQ(receiver.reportValue("B3"), "00");  // left as it was
  // The memory is untouched by the load and the other memories by the save.
  EXPECT_EQ(receiver.memory(3).rows[439], "1B");
  EXPECT_EQ(receiver.memory(4).rows[439], "0F");
}

TEST(VirtualReceiverMemories, RandomMemoriesLoadTheirOwnValues) {
  EmulatorConfig config;
  config.settingsSeed = 11;
  VirtualReceiver receiver{config};
  const std::string memoryValue = receiver.memory(5).rows[445];
  receiver.handleFrame(Std("07E39"));  // load System 5
  EXPECT_EQ(receiver.handleFrame(ReadOf(445)), Frames{AnswerOf(445, memoryValue)});
}

TEST(VirtualReceiverKeepAlive, PreambleIsSilentAndThePollIsAnswered) {
  VirtualReceiver receiver{EmulatorConfig{}};
  EXPECT_TRUE(receiver.handleFrame(Std("FFFFF")).empty());
  const Frames replies = receiver.handleFrame(ReadOf(model::kPollRow));
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0].substr(0, 9),
            "\x14"
            "200F0000");
  EXPECT_EQ(comm::ToNotation(replies[0]), comm::ToNotation(Ext("200F0000F0000000000")));
}

TEST(VirtualReceiverFaults, GuardedRowsRefuseWritesAndKeepTheirValue) {
  EmulatorConfig config;
  config.guardRows = {439};
  VirtualReceiver receiver{config};
  const Frames echo = receiver.handleFrame(WriteOf(439, "1B"));
  ASSERT_EQ(echo.size(), 1u);
  EXPECT_TRUE(comm::IsGuard(echo[0]));
  EXPECT_EQ(comm::ToNotation(echo[0]), comm::ToNotation(Ext("2008030100"
                                                            "0F")));
  EXPECT_EQ(receiver.rowValue(439), "0F");
  EXPECT_EQ(receiver.handleFrame(ReadOf(439)), Frames{AnswerOf(439, "0F")});  // reads are answered
}

TEST(VirtualReceiverFaults, GuardedReportCodesRefuseChanges) {
  EmulatorConfig config;
  config.guardCodes = {"26", "28"};
  VirtualReceiver receiver{config};
  EXPECT_EQ(receiver.handleFrame(Std("230C7")), Frames{Report("2677", '1')});
  EXPECT_EQ(receiver.handleFrame(Std("07A15")), (Frames{Report("2829", '1'), Report("2105", '1')}));
  EXPECT_EQ(receiver.handleFrame(Std("2B301")), Frames{Report("B301")});
  EXPECT_TRUE(comm::IsGuard(Report("2677", '1')));
}

TEST(VirtualReceiverFaults, ErrorRowsAnswerWithAParameterError) {
  EmulatorConfig config;
  config.errorRows = {351, 20};
  VirtualReceiver receiver{config};
  EXPECT_TRUE(comm::IsParameterError(receiver.handleFrame(ReadOf(351))[0]));
  EXPECT_TRUE(comm::IsParameterError(receiver.handleFrame(WriteOf(351, "0"))[0]));
  EXPECT_TRUE(comm::IsParameterError(receiver.handleFrame(ReadOf(20))[0]));
  EXPECT_FALSE(comm::IsParameterError(receiver.handleFrame(ReadOf(352))[0]));
}

TEST(VirtualReceiverFaults, KnobTurnsReportTheNewVolume) {
  VirtualReceiver receiver{EmulatorConfig{}};
  EXPECT_EQ(receiver.turnVolumeKnob(1), Report("2678"));
  EXPECT_EQ(receiver.turnVolumeKnob(-2), Report("2676"));
  receiver.handleFrame(Std("23000"));  // muted: the knob starts at the bottom
  EXPECT_EQ(receiver.turnVolumeKnob(-1), Report("2627"));
}

}  // namespace
}  // namespace tw::emu
