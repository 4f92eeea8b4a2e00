// The DSP parameter descriptors: the table against the receiver's parameters, the value
// texts of every display kind, the orders of a program's rows, and the command values
// read back through the reply decoding table.

#include "settings/dsp/dsp_descriptors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "model/decode.h"
#include "model/dsp_layout.h"
#include "settings/dsp/dsp_rows.h"
#include "settings/dsp/dsp_values.h"

namespace tw::settings::dsp {
namespace {

std::vector<int> Numbers(const DspNumbers& list) { return {list.begin(), list.end()}; }

std::vector<int> Range(int first, int last) {
  std::vector<int> numbers;
  for (int n = first; n <= last; ++n) numbers.push_back(n);
  return numbers;
}

std::vector<std::string> Names(std::span<const DspDescriptor> records) {
  std::vector<std::string> names;
  for (const DspDescriptor& record : records) names.emplace_back(record.name);
  return names;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
  return text;
}

std::string Checksum(std::string_view body) {
  unsigned sum = 0;
  for (char c : body) sum += static_cast<unsigned char>(c);
  char text[3];
  std::snprintf(text, sizeof text, "%02X", sum % 256);
  return text;
}

// The receiver's report of the value a command set: the same address read back (the read
// form "0210" in place of the write form "0211"), the same value characters.
std::string ReportOf(const std::string& command) {
  std::string body = command.substr(1, command.size() - 4);  // DC4 .. checksum ETX
  body[7] = '0';
  return "\x14" + body + Checksum(body) + "\x03";
}

TEST(DspDescriptorTable, OneRecordPerParameterAndEachListsNamesOnce) {
  EXPECT_EQ(kDspDescriptors.size(), 197u);
  const auto parameters = std::count_if(kDspDescriptors.begin(), kDspDescriptors.end(),
                                        [](const DspDescriptor& r) { return !IsChoiceRecord(r); });
  EXPECT_EQ(parameters, 185);
  EXPECT_EQ(Names(DspChoices(kDecodeName)), (std::vector<std::string>{"Pro Logic", "Pro LogicIIx", "Neo:6"}));
  EXPECT_EQ(Names(DspChoices(kSurroundDecodeName)),
            (std::vector<std::string>{"Pro Logic", "PLIIx Movie", "PLIIx Music", "PLIIx Game", "Neo:6 Cinema",
                                      "Neo:6 Music", "CSII Cinema", "CSII Music", "Neural Sur."}));
  EXPECT_TRUE(DspChoices(kList).empty());
  for (int number = model::kFirstDspNumber; number <= model::kLastDspNumber; ++number) {
    const DspDescriptor* d = FindDspDescriptor(number);
    ASSERT_NE(d, nullptr) << number;
    EXPECT_FALSE(IsChoiceRecord(*d)) << number;
    if (d->kind == kList) {
      EXPECT_EQ(DspChoices(d->selectorOrStep).size(), static_cast<std::size_t>(d->max + 1));
    }
  }
  EXPECT_EQ(FindDspDescriptor(26), nullptr);
  EXPECT_EQ(FindDspDescriptor(212), nullptr);
}

TEST(DspDescriptorTable, ProgramsListTheirNumbersInThePagesOrder) {
  const std::vector<std::vector<int>> expected = {Range(27, 31),
                                                  Range(32, 36),
                                                  Range(37, 41),
                                                  Range(42, 48),
                                                  Range(49, 55),
                                                  Range(56, 60),
                                                  Range(61, 68),
                                                  Range(69, 73),
                                                  Range(74, 81),
                                                  Range(82, 86),
                                                  Range(87, 98),
                                                  Range(99, 109),
                                                  Range(110, 120),
                                                  Range(121, 131),
                                                  {132, 133, 134, 135, 136, 139, 137, 140, 138, 141, 142},
                                                  Range(143, 150),
                                                  Range(151, 160),
                                                  Range(161, 168),
                                                  Range(169, 176),
                                                  Range(177, 186),
                                                  Range(187, 196),
                                                  {203, 197, 198, 199, 200, 201, 202},
                                                  {204},
                                                  Range(205, 211)};
  for (int program = 0; program < model::kSoundProgramCount; ++program) {
    EXPECT_EQ(Numbers(DspListOrder(program)), expected[static_cast<std::size_t>(program)]) << program;
    for (const int number : DspListOrder(program)) EXPECT_EQ(model::DspProgramOfNumber(number), program);
  }
  EXPECT_EQ(DspListOrder(-1).count, 0);
  EXPECT_EQ(DspListOrder(24).count, 0);
}

// What each parameter code of the receiver is on the page, whichever program it belongs to.
struct CodeRow {
  std::string_view code;
  std::string_view key;
  int kind;
  int min;
  int max;
  std::string_view unit;
  int slider;
};
constexpr CodeRow kCodeRows[] = {
    {"0E0", "DSP Level", kNumber, -6, 3, "dB", 0},
    {"1C0", "Dialogue Lift", kNumber, 0, 5, "", 0},
    {"000", "Init. Delay", kNumber, 1, 99, "ms", 1},
    {"010", "Room Size", kTenths, 1, 20, "", 1},
    {"020", "Liveness", kNumber, 0, 10, "", 0},
    {"0B0", "Rev. Time", kTenths, 10, 50, "sec", 1},
    {"0C0", "Rev. Delay", kNumber, 0, 250, "ms", 1},
    {"0D0", "Rev. Level", kNumber, 0, 100, "%", 1},
    {"051", "Dual Sur. Init. Delay", kDualNumber, 1, 49, "ms", 1},
    {"061", "Dual Sur. Room Size", kDualTenths, 1, 20, "", 1},
    {"071", "Dual Sur. Liveness", kDualNumber, 0, 10, "", 0},
    {"052", "Tri & Quad Sur. Init. Delay", kTriQuadNumber, 1, 49, "ms", 1},
    {"062", "Tri & Quad Sur. Room Size", kTriQuadTenths, 1, 20, "", 1},
    {"072", "Tri & Quad Sur. Liveness", kTriQuadNumber, 0, 10, "", 0},
    {"085", "Quad Only SB. Init. Delay", kQuadOnlyNumber, 1, 49, "ms", 1},
    {"095", "Quad Only SB. Room Size", kQuadOnlyTenths, 1, 20, "", 1},
    {"0A5", "Quad Only SB. Liveness", kQuadOnlyNumber, 0, 10, "", 0},
    {"1B0", "Decode Type", kList, 0, 2, "", 0},
    {"0F0", "Panorama", kOnOff, 0, 1, "", 0},
    {"110", "Center Width", kWidth, 0, 7, "", 0},
    {"100", "Dimension", kStdAtZero, -3, 3, "", 0},
    {"120", "C. Image", kTenthsBare, 0, 10, "", 0},
    {"200", "Focus Level", kFocus, 0, 8, "", 1},
    {"220", "TruBass Level", kTruBass, 0, 8, "", 1},
    {"240", "Direct", kAutoOff, 0, 1, "", 0},
    {"130", "CT LEVEL", kNumber, 0, 100, "%", 1},
    {"140", "SL LEVEL", kNumber, 0, 100, "%", 1},
    {"160", "SR LEVEL", kNumber, 0, 100, "%", 1},
    {"150", "SB1 LEVEL", kNumber, 0, 100, "%", 1},
    {"190", "SB2 LEVEL", kNumber, 0, 100, "%", 1},
    {"170", "PL LEVEL", kNumber, 0, 100, "%", 1},
    {"180", "PR LEVEL", kNumber, 0, 100, "%", 1},
};
// Programs with surround rows name their front sound field's delay and size "P.".
const std::set<int> kPresencePrograms = {11, 12, 13, 14, 16, 17, 18, 19, 20};

TEST(DspDescriptorTable, EveryParameterIsWhatItsReceiverCodeSets) {
  for (int number = model::kFirstDspNumber; number <= model::kLastDspNumber; ++number) {
    SCOPED_TRACE(number);
    const int program = *model::DspProgramOfNumber(number);
    const std::string_view code = DspParameterCode(number);
    const auto row = std::find_if(std::begin(kCodeRows), std::end(kCodeRows),
                                  [&](const CodeRow& r) { return r.code == code; });
    ASSERT_NE(row, std::end(kCodeRows)) << code;
    const DspDescriptor& d = *FindDspDescriptor(number);
    std::string key(row->key);
    if (kPresencePrograms.count(program) && (code == "000" || code == "010")) key = "P." + key;
    EXPECT_EQ(DspKey(number), key);
    EXPECT_EQ(d.kind, row->kind);
    EXPECT_EQ(d.min, row->min);
    EXPECT_EQ(d.max, code == "1B0" && program == 21 ? 8 : row->max);
    EXPECT_EQ(d.unit, row->unit);
    EXPECT_EQ(d.slider, row->slider);
    if (d.kind != kList) {
      EXPECT_EQ(d.selectorOrStep, 1);
    }
    EXPECT_EQ(DspAddress(number), "200B0211" + std::string(DspProgramCode(program)) + std::string(code));
  }
  EXPECT_EQ(DspAddress(27), "200B0211000E0");
  EXPECT_EQ(DspAddress(46), "200B0211090B0");
  EXPECT_EQ(DspAddress(212), "");
  EXPECT_EQ(DspProgramCode(10), "2D");
  EXPECT_EQ(DspProgramCode(24), "");
}

TEST(DspDescriptorTable, KeysAreUniqueInTheirSectionAndFoundAgain) {
  for (int program = 0; program < model::kSoundProgramCount; ++program) {
    std::set<std::string> keys;
    for (const int number : DspListOrder(program)) {
      const std::string key = DspKey(number);
      EXPECT_TRUE(keys.insert(Lower(key)).second) << key;
      EXPECT_EQ(FindDspNumberOfKey(program, key), number);
      EXPECT_EQ(FindDspNumberOfKey(program, " " + Lower(key) + " "), number);
    }
  }
  // The layout prefix belongs to the key.
  EXPECT_EQ(FindDspNumberOfKey(10, "Sur. Init. Delay"), std::nullopt);
  EXPECT_EQ(FindDspNumberOfKey(0, "Decode Type"), std::nullopt);
  EXPECT_EQ(FindDspNumberOfKey(0, "Rev. Time"), std::nullopt);  // another program's parameter
}

TEST(DspDescriptorTable, FactoryDefaultsLieInsideTheirRanges) {
  for (int number = model::kFirstDspNumber; number <= model::kLastDspNumber; ++number) {
    const DspDescriptor& d = *FindDspDescriptor(number);
    const std::optional<std::int32_t> value = DspFactoryDefault(number);
    ASSERT_TRUE(value.has_value()) << number;
    EXPECT_GE(*value, d.min) << number;
    EXPECT_LE(*value, d.max) << number;
  }
  const std::map<int, std::string> texts = {
      {27, "0dB"},        {29, "30ms"},  {30, "1.0"},       {46, "4.0sec"}, {47, "130ms"},
      {48, "70%"},        {97, "5"},     {98, "Pro Logic"}, {199, "STD"},   {200, "0.3"},
      {203, "Pro Logic"}, {204, "AUTO"}, {205, "100%"},     {208, "50%"},   {211, "33%"}};
  for (const auto& [number, text] : texts)
    EXPECT_EQ(DspValueText(*FindDspDescriptor(number), *DspFactoryDefault(number)), text);
  EXPECT_EQ(DspFactoryDefault(26), std::nullopt);
}

TEST(DspValueText, EveryKindAtBothEndsOfItsRange) {
  struct Ends {
    int number;
    std::string_view min;
    std::string_view max;
  };
  // clang-format off
  const Ends ends[] = {
      {27, "-6dB", "3dB"},    {28, "0", "5"},         {29, "1ms", "99ms"}, {30, "0.1", "2.0"},
      {46, "1.0sec", "5.0sec"}, {47, "0ms", "250ms"}, {48, "0%", "100%"},  {89, "1ms", "49ms"},
      {90, "0.1", "2.0"},     {92, "1ms", "49ms"},    {93, "0.1", "2.0"},  {95, "1ms", "49ms"},
      {96, "0.1", "2.0"},     {98, "Pro Logic", "Neo:6"}, {197, "OFF", "ON"}, {198, "0", "7"},
      {199, "-3", "3"},       {200, "0.0", "1.0"},    {201, "0", "8"},     {202, "0", "8"},
      {203, "Pro Logic", "Neural Sur."}, {204, "OFF", "AUTO"}, {205, "0%", "100%"}};
  // clang-format on
  std::set<int> kindsSeen;
  for (const Ends& e : ends) {
    const DspDescriptor& d = *FindDspDescriptor(e.number);
    kindsSeen.insert(d.kind);
    EXPECT_EQ(DspValueText(d, d.min), e.min) << e.number;
    EXPECT_EQ(DspValueText(d, d.max), e.max) << e.number;
  }
  std::set<int> kindsInTable;
  for (const DspDescriptor& d : kDspDescriptors) {
    if (!IsChoiceRecord(d)) kindsInTable.insert(d.kind);
  }
  EXPECT_EQ(kindsSeen, kindsInTable);

  EXPECT_EQ(DspValueText(*FindDspDescriptor(199), 0), "STD");
  EXPECT_EQ(DspValueText(*FindDspDescriptor(98), 1), "Pro LogicIIx");
  EXPECT_EQ(DspValueText(*FindDspDescriptor(30), -5), "-0.5");  // a stray report keeps its sign
  EXPECT_EQ(DspValueText(*FindDspDescriptor(98), 3), "3");      // no name to give it
  EXPECT_EQ(DspRangeText(*FindDspDescriptor(27)), "-6dB .. 3dB");
  EXPECT_EQ(DspRangeText(*FindDspDescriptor(98)), "Pro Logic, Pro LogicIIx, Neo:6");
}

TEST(DspValueText, EveryValueOfEveryRecordReadsBackAndNothingElseDoes) {
  for (int number = model::kFirstDspNumber; number <= model::kLastDspNumber; ++number) {
    SCOPED_TRACE(number);
    const DspDescriptor& d = *FindDspDescriptor(number);
    for (std::int32_t value = d.min; value <= d.max; ++value) {
      const std::string text = DspValueText(d, value);
      EXPECT_EQ(ParseDspValueText(d, text), value) << text;
      EXPECT_EQ(ParseDspValueText(d, Lower(text)), value) << text;
    }
    // Just outside the range: refused, unless the kind shows it as an in-range text
    // ("ON" stands for any non-zero value), which then reads back as that value.
    for (const std::int32_t outside : {d.min - 1, d.max + 1}) {
      const std::optional<std::int32_t> parsed = ParseDspValueText(d, DspValueText(d, outside));
      if (parsed) {
        EXPECT_EQ(DspValueText(d, *parsed), DspValueText(d, outside));
      }
      if (d.kind != kOnOff && d.kind != kAutoOff) {
        EXPECT_EQ(parsed, std::nullopt) << outside;
      }
    }
    EXPECT_EQ(ParseDspValueText(d, ""), std::nullopt);
    EXPECT_EQ(ParseDspValueText(d, "x"), std::nullopt);
  }
  const std::pair<int, std::string_view> refused[] = {
      {27, "4dB"},          {27, "-7dB"}, {27, "3"},     {27, "3 dB"},
      {27, " 3dB"},         {27, "+3dB"}, {29, "0ms"},   {30, "2.1"},
      {30, "1.00"},         {30, "10"},   {46, "4.0"},   {46, "40sec"},
      {98, "Neo:6 Cinema"}, {98, "0"},    {98, "3"},     {203, "Pro LogicIIx"},
      {197, "1"},           {199, "0"},   {199, "4"},    {199, "+1"},
      {200, "1.1"},         {204, "ON"},  {197, "AUTO"}, {205, "101%"},
      {205, "50"}};
  for (const auto& [number, text] : refused)
    EXPECT_EQ(ParseDspValueText(*FindDspDescriptor(number), text), std::nullopt) << number << " " << text;
}

TEST(DspOrders, ThreeLayoutProgramsSendTheirLayoutRowsInterleaved) {
  EXPECT_EQ(Numbers(DspSendOrder(10)), (std::vector<int>{87, 88, 89, 92, 95, 90, 93, 96, 91, 94, 97, 98}));
  EXPECT_EQ(Numbers(DspSendOrder(11)),
            (std::vector<int>{99, 100, 101, 102, 103, 105, 107, 104, 106, 108, 109}));
  EXPECT_EQ(Numbers(DspSendOrder(14)), Range(132, 142));  // Drama numbers its rows that way
  EXPECT_EQ(Numbers(DspSendOrder(16)), (std::vector<int>{151, 152, 153, 154, 155, 157, 159, 156, 158, 160}));
  // Two layouts only, or none: list order.
  EXPECT_EQ(Numbers(DspSendOrder(17)), Range(161, 168));
  EXPECT_EQ(Numbers(DspSendOrder(21)), (std::vector<int>{203, 197, 198, 199, 200, 201, 202}));
  for (int program = 0; program < model::kSoundProgramCount; ++program) {
    std::vector<int> sent = Numbers(DspSendOrder(program));
    std::vector<int> listed = Numbers(DspListOrder(program));
    std::sort(sent.begin(), sent.end());
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(sent, listed) << program;
  }
}

TEST(DspOrders, EachLayoutListsItsOwnSurroundRows) {
  EXPECT_EQ(Numbers(DspRowsOfLayout(10, kLayoutDual)), (std::vector<int>{87, 88, 89, 90, 91, 98}));
  EXPECT_EQ(Numbers(DspRowsOfLayout(10, kLayoutTri)), (std::vector<int>{87, 88, 92, 93, 94, 98}));
  EXPECT_EQ(Numbers(DspRowsOfLayout(10, kLayoutQuad)),
            (std::vector<int>{87, 88, 92, 93, 94, 95, 96, 97, 98}));
  EXPECT_EQ(Numbers(DspRowsOfLayout(14, kLayoutQuad)),
            (std::vector<int>{132, 133, 134, 135, 137, 140, 138, 141, 142}));
  EXPECT_EQ(Numbers(DspRowsOfLayout(17, kLayoutDual)), (std::vector<int>{161, 162, 163, 164}));
  for (const int layout : {kLayoutDual, kLayoutTri, kLayoutQuad})
    EXPECT_EQ(Numbers(DspRowsOfLayout(0, layout)), Range(27, 31));
  EXPECT_EQ(DspLayoutPrefix(kDualTenths), "Dual ");
  EXPECT_EQ(DspLayoutPrefix(kTriQuadNumber), "Tri & Quad ");
  EXPECT_EQ(DspLayoutPrefix(kQuadOnlyTenths), "Quad Only ");
  EXPECT_EQ(DspLayoutPrefix(kNumber), "");
}

TEST(DspCommand, FramesWithTheKindsWireValueAndAnUpperCaseChecksum) {
  const std::string body = "200B0211000E009";
  EXPECT_EQ(DspCommand(27, 3), "\x14" + body + Checksum(body) + "\x03");
  EXPECT_EQ(DspWireValue(27, -6), "00");
  EXPECT_EQ(DspWireValue(199, -3), "00");
  EXPECT_EQ(DspWireValue(199, 3), "06");
  EXPECT_EQ(DspWireValue(47, 250), "FA");
  EXPECT_EQ(DspWireValue(98, 1), "06");
  EXPECT_EQ(DspWireValue(98, 2), "04");
  EXPECT_EQ(DspWireValue(203, 8), "0B");
  // Nothing outside the record's range, even where the wire could carry it.
  EXPECT_EQ(DspWireValue(27, 4), std::nullopt);
  EXPECT_EQ(DspWireValue(98, 3), std::nullopt);
  EXPECT_EQ(DspCommand(211, 101), "");
  EXPECT_EQ(DspCommand(212, 0), "");
}

TEST(DspCommand, EveryValueSentReadsBackThroughTheDecodingTable) {
  for (int number = model::kFirstDspNumber; number <= model::kLastDspNumber; ++number) {
    const DspDescriptor& d = *FindDspDescriptor(number);
    for (std::int32_t value = d.min; value <= d.max; ++value) {
      const std::string command = DspCommand(number, value);
      ASSERT_FALSE(command.empty()) << number << " " << value;
      const model::DecodeResult result = model::Decode(ReportOf(command));
      ASSERT_TRUE(result.decoded) << number;
      ASSERT_EQ(result.values.size(), 1u) << number << " " << value;
      EXPECT_EQ(result.values[0].number, number);
      EXPECT_EQ(result.values[0].value, value) << number;
    }
  }
}

TEST(DspCommand, DecodeTypeOfEachProgramThatHasOneSendsTheCodeItReadsBack) {
  struct DecodeTypeRow {
    int program;
    int number;
    std::vector<std::string> codes;
  };
  const std::vector<std::string> threeCodes = {"00", "06", "04"};
  const std::vector<DecodeTypeRow> rows = {
      {10, 98, threeCodes},  {11, 109, threeCodes},
      {12, 120, threeCodes}, {13, 131, threeCodes},
      {14, 142, threeCodes}, {21, 203, {"00", "06", "07", "08", "04", "05", "09", "0A", "0B"}}};
  std::vector<int> withList;
  for (int number = model::kFirstDspNumber; number <= model::kLastDspNumber; ++number) {
    if (FindDspDescriptor(number)->kind == kList) withList.push_back(number);
  }
  std::vector<int> expectedNumbers;
  for (const DecodeTypeRow& row : rows) expectedNumbers.push_back(row.number);
  EXPECT_EQ(withList, expectedNumbers);
  for (const DecodeTypeRow& row : rows) {
    for (std::size_t index = 0; index < row.codes.size(); ++index) {
      const auto value = static_cast<std::int32_t>(index);
      const std::string command = DspCommand(row.number, value);
      const std::string body =
          "200B0211" + std::string(DspProgramCode(row.program)) + "1B0" + row.codes[index];
      EXPECT_EQ(command, "\x14" + body + Checksum(body) + "\x03");
      const model::DecodeResult result = model::Decode(ReportOf(command));
      ASSERT_EQ(result.values.size(), 1u);
      EXPECT_EQ(result.values[0].number, row.number);
      EXPECT_EQ(result.values[0].value, value);
    }
  }
}

TEST(DspNames, SectionPerProgramFoundAsTheProfileFindsIt) {
  EXPECT_EQ(DspSectionName(0), "DSP Parameters Hall in Munich");
  EXPECT_EQ(DspSectionName(3), "DSP Parameters Charch in Freiburg");
  EXPECT_EQ(DspSectionName(20), "DSP Parameters Recital/Opera");
  EXPECT_EQ(DspSectionName(23), "DSP Parameters 7ch Stereo");
  EXPECT_EQ(DspSectionName(24), "");
  EXPECT_EQ(DspProgramName(-1), "");
  for (int program = 0; program < model::kSoundProgramCount; ++program) {
    EXPECT_EQ(FindDspProgramOfSection(DspSectionName(program)), program);
    EXPECT_EQ(FindDspProgramOfSection("  " + Lower(DspSectionName(program))), program);
  }
  EXPECT_EQ(FindDspProgramOfSection("DSP Parameters"), std::nullopt);
  EXPECT_EQ(FindDspProgramOfSection("Hall in Munich"), std::nullopt);
  EXPECT_EQ(FindDspProgramOfSection("DSP Parameters Church in Freiburg"), std::nullopt);
}

}  // namespace
}  // namespace tw::settings::dsp
