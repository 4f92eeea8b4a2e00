#include "model/parameter_access.h"
#include "model/parameter_images.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>

using namespace tw::model;

namespace {

// Numbers inside the parameter ranges that name no single field: the Straight command (5),
// the Graphic EQ (one value per channel record), the gap after it, 546/547 and the dock
// operation (553).
bool NamesAField(int number) {
  if (number < 1 || number > 555) return false;
  if (number == 5 || number == 546 || number == 547 || number == 553) return false;
  return number < 397 || number > 426;
}

bool IsText(int number) {
  return (number >= 240 && number <= 253) || (number >= 436 && number <= 476) || number == 554 ||
         number == 555;
}

std::int32_t Int(const ParameterImage& image, int number) {
  const auto value = GetParameter(image, number);
  if (!value || !std::holds_alternative<std::int32_t>(*value)) {
    ADD_FAILURE() << "no integer for " << number;
    return INT32_MIN;
  }
  return std::get<std::int32_t>(*value);
}

std::string Str(const ParameterImage& image, int number) {
  const auto value = GetParameter(image, number);
  if (!value || !std::holds_alternative<std::string>(*value)) {
    ADD_FAILURE() << "no text for " << number;
    return "?";
  }
  return std::get<std::string>(*value);
}

ParameterImage Fresh() {
  ParameterImage image;
  ResetToDefaults(image, 1);
  return image;
}

}  // namespace

TEST(BlockOfParameter, RangesAndGaps) {
  EXPECT_EQ(BlockOfParameter(1), Block::BasicControl);
  EXPECT_EQ(BlockOfParameter(14), Block::BasicControl);
  EXPECT_EQ(BlockOfParameter(15), Block::MultiZone);
  EXPECT_EQ(BlockOfParameter(27), Block::DspParameters);
  EXPECT_EQ(BlockOfParameter(211), Block::DspParameters);
  EXPECT_EQ(BlockOfParameter(212), Block::InputDsp);
  EXPECT_EQ(BlockOfParameter(278), Block::SpeakerDistance);
  EXPECT_EQ(BlockOfParameter(307), Block::ControlOut);
  EXPECT_EQ(BlockOfParameter(382), Block::ControlOut);
  EXPECT_EQ(BlockOfParameter(404), Block::GraphicEq);
  EXPECT_EQ(BlockOfParameter(427), Block::SpeakerSet);
  EXPECT_EQ(BlockOfParameter(476), Block::Tuner);
  EXPECT_EQ(BlockOfParameter(516), Block::Xm);
  EXPECT_EQ(BlockOfParameter(545), Block::AdvancedSetup);
  EXPECT_EQ(BlockOfParameter(555), Block::Ipod);
  for (int number : {INT_MIN, -1, 0, 405, 426, 546, 547, 556, 563, 564, INT_MAX}) {
    EXPECT_FALSE(BlockOfParameter(number).has_value()) << number;
  }
}

TEST(ParameterAccess, ExactlyTheNamedNumbersHaveAValue) {
  const ParameterImage image = Fresh();
  int named = 0;
  for (int number = -5; number <= 600; ++number) {
    const auto value = GetParameter(image, number);
    EXPECT_EQ(value.has_value(), NamesAField(number)) << number;
    if (value) {
      ++named;
      EXPECT_EQ(std::holds_alternative<std::string>(*value), IsText(number)) << number;
    }
  }
  EXPECT_EQ(named, 521);
}

TEST(ParameterAccess, EveryNumberNamesItsOwnField) {
  // Give every number a distinct value, then read them all back: two numbers sharing a
  // field, or a setter writing the wrong slot, shows up as a mismatch.
  ParameterImage image = Fresh();
  for (int number = 1; number <= 555; ++number) {
    if (!NamesAField(number)) continue;
    if (IsText(number)) {
      EXPECT_TRUE(SetParameterText(image, number, "T" + std::to_string(number))) << number;
      EXPECT_FALSE(SetParameter(image, number, 1)) << number;
    } else {
      EXPECT_TRUE(SetParameter(image, number, 1000 + number)) << number;
      EXPECT_FALSE(SetParameterText(image, number, "x")) << number;
    }
  }
  for (int number = 1; number <= 555; ++number) {
    if (!NamesAField(number)) continue;
    if (IsText(number)) {
      EXPECT_EQ(Str(image, number), "T" + std::to_string(number));
    } else {
      EXPECT_EQ(Int(image, number), 1000 + number);
    }
  }
}

// Copying one number changes that field alone; a Graphic EQ number brings every record.
TEST(ParameterAccess, CopyBringsTheNamedFieldAndNothingElse) {
  ParameterImage from = Fresh();
  for (int number = 1; number <= 555; ++number) {
    if (NamesAField(number) && IsText(number)) SetParameterText(from, number, "T" + std::to_string(number));
    if (NamesAField(number) && !IsText(number)) SetParameter(from, number, 1000 + number);
  }
  for (auto& record : from.graphicEq) record.bands[2] = 7;
  for (int number = -1; number <= 565; ++number) {
    ParameterImage to = Fresh();
    const ParameterImage before = to;
    const bool copied = CopyParameter(from, to, number);
    EXPECT_EQ(copied, NamesAField(number) || (number >= 397 && number <= 404)) << number;
    if (number >= 397 && number <= 404) {
      EXPECT_EQ(to.graphicEq, from.graphicEq) << number;
      to.graphicEq = before.graphicEq;
    } else if (copied) {
      EXPECT_EQ(GetParameter(to, number), GetParameter(from, number)) << number;
      CopyParameter(before, to, number);
    }
    EXPECT_EQ(to, before) << "only " << number << " changed";
  }
}

TEST(ParameterAccess, NumbersLandInTheirBlockSlots) {
  ParameterImage image = Fresh();
  struct Case {
    int number;
    const std::int32_t* field;
  };
  const Case cases[] = {
      {4, &image.basic[3]},
      {6, &image.basic[5]},
      {11, &image.basic[10]},
      {12, &image.basic[12]},
      {14, &image.basic[14]},
      {18, &image.multiZone[4]},
      {19, &image.multiZone[3]},
      {23, &image.multiZone[9]},
      {24, &image.multiZone[8]},
      {26, &image.multiZone[11]},
      {27, &image.dsp[0]},
      {45, &image.dsp[19]},
      {132, &image.dsp[122]},
      {136, &image.dsp[127]},
      {137, &image.dsp[130]},
      {139, &image.dsp[128]},
      {142, &image.dsp[136]},
      {197, &image.dsp[216]},
      {203, &image.dsp[215]},
      {204, &image.dsp[222]},
      {211, &image.dsp[229]},
      {213, &image.inputDsp[1]},
      {239, &image.inputDsp[27]},
      {267, &image.ioAssign[13]},
      {268, &image.speakerLevel[8]},
      {269, &image.speakerLevel[9]},
      {270, &image.speakerLevel[7]},
      {277, &image.speakerLevel[0]},
      {278, &image.speakerDistance.unit},
      {279, &image.speakerDistance.distances[9]},
      {280, &image.speakerDistance.distances[8]},
      {288, &image.speakerDistance.distances[0]},
      {290, &image.tone[1]},
      {291, &image.tone[3]},
      {292, &image.tone[2]},
      {297, &image.tone[8]},
      {304, &image.tone[17]},
      {305, &image.tone[15]},
      {306, &image.tone[16]},
      {307, &image.controlOut[0][37]},
      {308, &image.controlOut[0][0]},
      {341, &image.controlOut[0][33]},
      {344, &image.controlOut[0][36]},
      {345, &image.controlOut[1][37]},
      {346, &image.controlOut[1][0]},
      {382, &image.controlOut[1][36]},
      {383, &image.volumeTrim[13]},
      {396, &image.volumeTrim[0]},
      {427, &image.speakerSet[0]},
      {432, &image.speakerSet[7]},
      {433, &image.speakerSet[8]},
      {434, &image.speakerSet[5]},
      {435, &image.speakerSet[6]},
      {477, &image.xm.presets[0]},
      {516, &image.xm.presets[39]},
      {517, &image.displaySet[2]},
      {520, &image.displaySet[4]},
      {522, &image.displaySet[7]},
      {525, &image.displaySet[0]},
      {526, &image.displaySet[1]},
      {527, &image.displaySet[10]},
      {528, &image.displaySet[11]},
      {531, &image.multiCh[2]},
      {534, &image.other[2]},
      {535, &image.advancedSetup[0]},
      {545, &image.advancedSetup[10]},
      {548, &image.ipod.values[0]},
      {552, &image.ipod.values[4]},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(SetParameter(image, c.number, -7777)) << c.number;
    EXPECT_EQ(*c.field, -7777) << c.number;
  }
  ASSERT_TRUE(SetParameterText(image, 436, "090.00"));
  EXPECT_STREQ(image.tuner[40].data(), "090.00");
  ASSERT_TRUE(SetParameterText(image, 456, "000999"));  // preset C4
  EXPECT_STREQ(image.tuner[19].data(), "000999");
  ASSERT_TRUE(SetParameterText(image, 253, "ABC"));
  EXPECT_STREQ(image.inputNames[13].data(), "ABC");
  ASSERT_TRUE(SetParameterText(image, 554, "play"));
  EXPECT_STREQ(image.ipod.playInfo.data(), "play");
}

TEST(ParameterAccess, NumbersOutsideABlockAreIgnored) {
  const ParameterImage before = Fresh();
  ParameterImage image = before;
  for (int number : {INT_MIN, -278, -1, 0, 5, 397, 404, 405, 420, 426, 546, 547, 553, 556, 564, INT_MAX}) {
    EXPECT_FALSE(SetParameter(image, number, 42)) << number;
    EXPECT_FALSE(SetParameterText(image, number, "text")) << number;
  }
  // A block setter ignores numbers of other blocks, even when they name a field.
  EXPECT_FALSE(SetBlockValue(image, Block::BasicControl, 15, 42));
  EXPECT_FALSE(SetBlockValue(image, Block::VolumeTrim, 382, 42));
  EXPECT_FALSE(SetBlockValue(image, Block::Xm, 476, 42));
  EXPECT_FALSE(SetBlockText(image, Block::Tuner, 253, "x"));
  EXPECT_FALSE(SetBlockText(image, Block::InputRename, 436, "x"));
  EXPECT_FALSE(SetBlockValue(image, Block::GraphicEq, 398, 42));
  EXPECT_FALSE(SetBlockValue(image, static_cast<Block>(99), 1, 42));
  EXPECT_FALSE(SetBlockText(image, static_cast<Block>(-1), 240, "x"));
  EXPECT_EQ(image, before);
  EXPECT_TRUE(SetBlockValue(image, Block::MultiZone, 15, 42));
  EXPECT_EQ(image.multiZone[0], 42);
}

TEST(ParameterAccess, TextsAreCutToTheirFieldAndClearTheRest) {
  ParameterImage image = Fresh();
  // Names hold eight characters, frequencies nine, the iPod texts 120 and 88.
  ASSERT_TRUE(SetParameterText(image, 241, "ABCDEFGHIJKL"));
  EXPECT_EQ(Str(image, 241), "ABCDEFGH");
  ASSERT_TRUE(SetParameterText(image, 437, "0123456789ABC"));
  EXPECT_EQ(Str(image, 437), "012345678");
  ASSERT_TRUE(SetParameterText(image, 554, std::string(300, 'p')));
  EXPECT_EQ(Str(image, 554), std::string(120, 'p'));
  ASSERT_TRUE(SetParameterText(image, 555, std::string(300, 'l')));
  EXPECT_EQ(Str(image, 555), std::string(88, 'l'));
  // A shorter text leaves nothing of the longer one behind; a NUL ends the text.
  ASSERT_TRUE(SetParameterText(image, 437, "AB"));
  EXPECT_EQ(Str(image, 437), "AB");
  EXPECT_EQ(image.tuner[0][5], '\0');
  ASSERT_TRUE(SetParameterText(image, 241, std::string("CD\0EF", 5)));
  EXPECT_EQ(Str(image, 241), "CD");
  ASSERT_TRUE(SetParameterText(image, 240, ""));
  EXPECT_EQ(Str(image, 240), "");
  // Blanks are kept as stored.
  ASSERT_TRUE(SetParameterText(image, 242, "  X     "));
  EXPECT_EQ(Str(image, 242), "  X     ");
}

TEST(ParameterAccess, ReadsAFieldWithoutTerminatorOnlyToItsEnd) {
  ParameterImage image = Fresh();
  image.tuner[40].fill('9');  // no terminator left
  image.inputNames[0].fill('N');
  EXPECT_EQ(Str(image, 436), std::string(10, '9'));
  EXPECT_EQ(Str(image, 240), std::string(10, 'N'));
}

TEST(GraphicEq, RecordsAreAddressedByIndexAndFoundByChannelId) {
  ParameterImage image = Fresh();
  EXPECT_EQ(FindGraphicEqRecord(image, 0), 0);
  EXPECT_EQ(FindGraphicEqRecord(image, 2), 1);
  EXPECT_EQ(FindGraphicEqRecord(image, 10), 9);
  EXPECT_EQ(FindGraphicEqRecord(image, 1), -1);
  EXPECT_EQ(FindGraphicEqRecord(image, 11), -1);

  EXPECT_TRUE(SetGraphicEqValue(image, 8, 400, -15));  // Presence R band 3
  EXPECT_EQ(image.graphicEq[8].bands[2], -15);
  EXPECT_EQ(GetGraphicEqValue(image, 8, 400), -15);
  EXPECT_EQ(GetGraphicEqValue(image, 8, 397), 9);
  EXPECT_TRUE(SetGraphicEqValue(image, 9, 404, 60));
  EXPECT_EQ(image.graphicEq[9].bands[6], 60);

  const ParameterImage before = image;
  EXPECT_FALSE(SetGraphicEqValue(image, 10, 398, 1));
  EXPECT_FALSE(SetGraphicEqValue(image, -1, 398, 1));
  EXPECT_FALSE(SetGraphicEqValue(image, 0, 396, 1));
  EXPECT_FALSE(SetGraphicEqValue(image, 0, 405, 1));
  EXPECT_EQ(image, before);
  EXPECT_FALSE(GetGraphicEqValue(image, 10, 398).has_value());
  EXPECT_FALSE(GetGraphicEqValue(image, 0, INT_MIN).has_value());
}
