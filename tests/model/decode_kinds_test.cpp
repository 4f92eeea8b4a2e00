// The arithmetic of every decode node kind, and how Decode treats bad frames.

#include <gtest/gtest.h>

#include <string>

#include "model/decode.h"

namespace tw::model {
namespace {

const std::string kStx = "\x02";
const std::string kEtx = "\x03";

// A one-entry table with prefix STX "00"; the value field of `node` starts after it.
struct OneEntryTable {
  std::array<ReplyEntry, 2> entries{};
  explicit OneEntryTable(DecodeNode node) {
    ReplyEntry& e = entries[0];
    for (char c : kStx + "00") e.prefix.chars[e.prefix.length++] = c;
    node.group = 1;
    e.nodes[0] = node;
    e.nodeCount = 1;
  }
  DecodeResult decode(const std::string& valueChars) const {
    return Decode(kStx + "00" + valueChars + kEtx, entries);
  }
};

DecodeNode MakeNode(std::uint32_t kind, int pos, int len = 0, int offset = 0, int scale = 0) {
  DecodeNode node;
  node.number = 42;
  node.kind = kind;
  node.pos = static_cast<std::int16_t>(pos);
  node.len = static_cast<std::int16_t>(len);
  node.offset = static_cast<std::int16_t>(offset);
  node.scale = static_cast<std::int16_t>(scale);
  return node;
}

std::int32_t ValueOf(const DecodeResult& result) {
  EXPECT_TRUE(result.decoded);
  EXPECT_EQ(result.values.size(), 1u);
  return result.values.empty() ? INT32_MIN : result.values[0].value;
}

TEST(DecodeKind0, ReadsUpperCaseHex) {
  const OneEntryTable table(MakeNode(kKindHex, 3, 2));
  EXPECT_EQ(ValueOf(table.decode("1F")), 31);
  EXPECT_EQ(ValueOf(table.decode("FF")), 255);
  // Anything else follows the receiver's loose rule: 'f' counts 47, 'G' counts 16.
  EXPECT_EQ(ValueOf(table.decode("1f")), 16 + 47);
  EXPECT_EQ(ValueOf(table.decode("1G")), 16 + 16);
  EXPECT_EQ(ValueOf(table.decode(" 0")), (32 - 48) * 16);
}

TEST(DecodeKind0, FieldShortenedWhereTheFrameEnds) {
  const OneEntryTable table(MakeNode(kKindHex, 3, 4));
  EXPECT_EQ(ValueOf(Decode(kStx + "00AB", table.entries)), 0xAB);
  EXPECT_EQ(ValueOf(Decode(kStx + "00", table.entries)), 0);  // nothing left to read
}

TEST(DecodeKind1, GivesTheListIndexOrDropsTheNode) {
  static constexpr std::string_view values[] = {"00", "03", "01"};
  DecodeNode node = MakeNode(kKindList, 3, 2);
  node.values = values;
  const OneEntryTable table(node);
  EXPECT_EQ(ValueOf(table.decode("01")), 2);
  const DecodeResult miss = table.decode("02");
  EXPECT_TRUE(miss.decoded);
  EXPECT_TRUE(miss.values.empty());
  EXPECT_TRUE(Decode(kStx + "000", table.entries).values.empty());  // "0" is no list text
}

TEST(DecodeKind2, ScalesOnlyAboveOneThenSubtractsTheOffset) {
  EXPECT_EQ(ValueOf(OneEntryTable(MakeNode(kKindScaledHex, 3, 2, 200, 10)).decode("1C")), 80);
  EXPECT_EQ(ValueOf(OneEntryTable(MakeNode(kKindScaledHex, 3, 2, 6, 0)).decode("0A")), 4);
  EXPECT_EQ(ValueOf(OneEntryTable(MakeNode(kKindScaledHex, 3, 2, 6, 1)).decode("0A")), 4);
  EXPECT_EQ(ValueOf(OneEntryTable(MakeNode(kKindScaledHex, 3, 2, 0, -3)).decode("0A")), 10);
}

TEST(DecodeKind3, CopiesTheTextAndDropsNodesLongerThanTwenty) {
  const DecodeResult result = OneEntryTable(MakeNode(kKindText, 3, 6)).decode("087.50");
  ASSERT_EQ(result.values.size(), 1u);
  EXPECT_TRUE(result.values[0].isText());
  EXPECT_EQ(result.values[0].text, "087.50");
  EXPECT_EQ(OneEntryTable(MakeNode(kKindText, 3, 20)).decode("ABC").values.at(0).text, "ABC\x03");
  EXPECT_TRUE(OneEntryTable(MakeNode(kKindText, 3, 21)).decode("ABC").values.empty());
}

TEST(DecodeKind4, HexTimesFiveMinusSixty) {
  EXPECT_EQ(ValueOf(OneEntryTable(MakeNode(kKindHexTimes5Minus60, 3, 2)).decode("0C")), 0);
  EXPECT_EQ(ValueOf(OneEntryTable(MakeNode(kKindHexTimes5Minus60, 3, 2)).decode("00")), -60);
}

TEST(DecodeKind5, HexTimesFiveMinusTwoHundred) {
  EXPECT_EQ(ValueOf(OneEntryTable(MakeNode(kKindHexTimes5Minus200, 3, 2)).decode("28")), 0);
  EXPECT_EQ(ValueOf(OneEntryTable(MakeNode(kKindHexTimes5Minus200, 3, 2)).decode("14")), -100);
}

TEST(DecodeKind6, GivesTheConstantWhateverTheFrameHolds) {
  const OneEntryTable table(MakeNode(kKindConstant, -805, 99));
  EXPECT_EQ(ValueOf(table.decode("")), -805);
  EXPECT_EQ(ValueOf(table.decode("FFFF")), -805);
}

TEST(DecodeKind7, HalvesTowardZero) {
  const OneEntryTable table(MakeNode(kKindHalfStep, 3, 2));
  EXPECT_EQ(ValueOf(table.decode("10")), 2);   // (16 - 12) / 2
  EXPECT_EQ(ValueOf(table.decode("0F")), 1);   // 3 / 2
  EXPECT_EQ(ValueOf(table.decode("0B")), 0);   // -1 / 2 truncates to 0, not -1
  EXPECT_EQ(ValueOf(table.decode("09")), -1);  // -3 / 2
}

TEST(DecodeKind8, HexTimesFiveMinus995) {
  EXPECT_EQ(ValueOf(OneEntryTable(MakeNode(kKindHexTimes5Minus995, 3, 2)).decode("C7")), 0);
  EXPECT_EQ(ValueOf(OneEntryTable(MakeNode(kKindHexTimes5Minus995, 3, 2)).decode("01")), -990);
}

TEST(DecodeKind9, ReportsOnlyTheNumber) {
  const DecodeResult result = OneEntryTable(MakeNode(kKindNumberOnly, 3, 2)).decode("12");
  ASSERT_EQ(result.values.size(), 1u);
  EXPECT_EQ(result.values[0].number, 42);
  EXPECT_FALSE(result.values[0].hasValue());
}

TEST(DecodeKind10, HexTimesFiveMinus75) {
  EXPECT_EQ(ValueOf(OneEntryTable(MakeNode(kKindHexTimes5Minus75, 3, 2)).decode("0F")), 0);
  EXPECT_EQ(ValueOf(OneEntryTable(MakeNode(kKindHexTimes5Minus75, 3, 2)).decode("1E")), 75);
}

TEST(DecodeKind11, HexMinusTen) {
  EXPECT_EQ(ValueOf(OneEntryTable(MakeNode(kKindHexMinus10, 3, 2)).decode("00")), -10);
  EXPECT_EQ(ValueOf(OneEntryTable(MakeNode(kKindHexMinus10, 3, 2)).decode("14")), 10);
}

TEST(DecodeKind12To14, FillTheTextBuffersUpToTheirCapacity) {
  const std::string long200(200, 'x');
  for (std::uint32_t kind : {kKindTextBuffer1, kKindTextBuffer2, kKindTextBuffer3}) {
    const std::size_t buffer = kind - kKindTextBuffer1;
    const DecodeResult result = OneEntryTable(MakeNode(kind, 3, 150)).decode(long200);
    ASSERT_EQ(result.values.size(), 1u);
    EXPECT_TRUE(result.values[0].isText());
    ASSERT_TRUE(result.textBuffers[buffer].has_value());
    EXPECT_EQ(result.textBuffers[buffer]->size(), kTextBufferCapacity[buffer]) << "kind " << kind;
    EXPECT_EQ(result.values[0].text, *result.textBuffers[buffer]);
    for (std::size_t other = 0; other < 3; ++other) {
      EXPECT_EQ(result.textBuffers[other].has_value(), other == buffer) << "kind " << kind;
    }
  }
  EXPECT_EQ(OneEntryTable(MakeNode(kKindTextBuffer1, 3, 120)).decode("hello").textBuffers[0], "hello\x03");
}

TEST(DecodeKind15To19, PutTheConstantIntoTheirSlot) {
  for (std::uint32_t kind = kKindSlot1; kind <= kKindSlot5; ++kind) {
    const std::size_t slot = kind - kKindSlot1;
    const DecodeResult result = OneEntryTable(MakeNode(kind, 2)).decode("");
    EXPECT_EQ(ValueOf(result), 2);
    for (std::size_t s = 0; s < kValueSlotCount; ++s) {
      EXPECT_EQ(result.slots[s].has_value(), s == slot) << "kind " << kind << " slot " << s;
    }
    EXPECT_EQ(result.slots[slot], 2);
  }
}

TEST(DecodeKind, UnknownKindsProduceNothing) {
  const DecodeResult result = OneEntryTable(MakeNode(20, 3, 2)).decode("12");
  EXPECT_TRUE(result.decoded);
  EXPECT_TRUE(result.values.empty());
}

// ---- frames as the receiver sends them ----------------------------------------------

TEST(DecodeFrame, TheGuardCharacterOfAStandardReportIsIgnored) {
  for (char guard : {'0', '1', '2', 'X'}) {
    const DecodeResult result = Decode(kStx + "0" + guard + "26C7" + kEtx);  // 199 * 5 - 995
    ASSERT_TRUE(result.decoded) << guard;
    EXPECT_EQ(result.group, 1);
    ASSERT_EQ(result.values.size(), 1u);
    EXPECT_EQ(result.values[0].number, 9);
    EXPECT_EQ(result.values[0].value, 0);
  }
  // The report class (byte 1) is not ignored here; normalising it is the link's job.
  EXPECT_FALSE(Decode(kStx + "1026C7" + kEtx).decoded);
}

TEST(DecodeFrame, VolumeZeroZeroIsMutedNotTheLowestLevel) {
  const DecodeResult result = Decode(kStx + "002600" + kEtx);
  ASSERT_EQ(result.values.size(), 1u);
  EXPECT_EQ(result.values[0].value, -805);
  EXPECT_EQ(Decode(kStx + "002601" + kEtx).values.at(0).value, -990);
}

TEST(DecodeFrame, AnInputOutsideTheListIsDecodedButProducesNothing) {
  const DecodeResult result = Decode(kStx + "00210B" + kEtx);
  EXPECT_TRUE(result.decoded);
  EXPECT_EQ(result.group, 1);
  EXPECT_TRUE(result.values.empty());
  EXPECT_TRUE(result.inputReport);
}

TEST(DecodeFrame, MultiChannelFrontInput) {
  const DecodeResult result = Decode(kStx + "007B05" + kEtx);
  ASSERT_EQ(result.values.size(), 2u);
  EXPECT_EQ(result.values[0].number, 529);
  EXPECT_EQ(result.values[0].value, 1);
  EXPECT_EQ(result.values[1].number, 530);
  EXPECT_EQ(result.values[1].value, 3);
}

TEST(DecodeFrame, OnlyInputReportsAreMarkedAsSuch) {
  EXPECT_TRUE(Decode(kStx + "002105" + kEtx).inputReport);
  EXPECT_FALSE(Decode(kStx + "002805" + kEtx).inputReport);
  EXPECT_FALSE(Decode(kStx + "0026C7" + kEtx).inputReport);
}

TEST(DecodeFrame, ShortFramesDecodeWhatTheArithmeticGives) {
  // The value field holds only the ETX (3 - 48 = -45), or nothing at all.
  EXPECT_EQ(Decode(kStx + "0026" + kEtx).values.at(0).value, -45 * 5 - 995);
  EXPECT_EQ(Decode(kStx + "0026").values.at(0).value, -995);
  // A prefix cut short matches nothing.
  EXPECT_FALSE(Decode(kStx + "002").decoded);
  EXPECT_FALSE(Decode("").decoded);
  EXPECT_FALSE(Decode(kStx).decoded);
  EXPECT_FALSE(Decode("\x14").decoded);
}

TEST(DecodeFrame, TheFrameEndsAtItsFirstNul) {
  const std::string withNul = kStx + "002" + std::string(1, '\0') + "6C7" + kEtx;
  EXPECT_FALSE(Decode(withNul).decoded);
  const std::string valueCut = kStx + "0026C" + std::string(1, '\0') + "7" + kEtx;
  EXPECT_EQ(Decode(valueCut).values.at(0).value, 12 * 5 - 995);
}

TEST(DecodeFrame, LowerCaseAndNonHexDigitsGiveWrongNumbersWithoutHarm) {
  EXPECT_EQ(Decode(kStx + "0026c7" + kEtx).values.at(0).value, ((99 - 55) * 16 + 7) * 5 - 995);
  EXPECT_FALSE(Decode(kStx + "0026c7" + kEtx).values.empty());
  EXPECT_TRUE(Decode("\x14"
                     "2008010030"
                     "0c"
                     "00"
                     "\x03")
                  .values.empty());  // "0c" is no input
}

TEST(DecodeFrame, OverlongFramesAreReadFromTheWorkBufferOnly) {
  // A 554 report with far more characters than its buffer holds.
  const std::string frame =
      "\x14"
      "207D00402" +
      std::string(1000, 'A') + kEtx;
  const DecodeResult result = Decode(frame);
  ASSERT_EQ(result.values.size(), 1u);
  EXPECT_EQ(result.values[0].text, std::string(120, 'A'));
}

TEST(DecodeFrame, ExtendedFramesKeepTheirThirdCharacter) {
  // Only standard reports have a guard character at index 2.
  EXPECT_FALSE(Decode("\x14"
                      "2108010030"
                      "05"
                      "00"
                      "\x03")
                   .decoded);
}

}  // namespace
}  // namespace tw::model
