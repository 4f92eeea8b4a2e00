#include "model/dsp_layout.h"
#include "model/parameter_access.h"
#include "model/parameter_defaults.h"
#include "model/parameter_images.h"
#include "model/tuner_presets.h"

#include <gtest/gtest.h>

#include <string>

using namespace tw::model;

namespace {

std::int32_t Int(const ParameterImage& image, int number) {
  return std::get<std::int32_t>(GetParameter(image, number).value());
}

std::string Str(const ParameterImage& image, int number) {
  return std::get<std::string>(GetParameter(image, number).value());
}

}  // namespace

TEST(Defaults, SettingsReadByNumberAreTheFactoryValues) {
  const ParameterImages images;
  const ParameterImage& image = *images.Image(0);
  struct Case {
    int number;
    std::int32_t value;
  };
  const Case cases[] = {
      {1, 5},     {4, 14},    {9, -400},  {10, 0},    {11, 0},    {12, 1},  {14, 1},   {15, 5},   {18, -400},
      {19, 0},    {23, -400}, {25, 20},   {26, 20},   {212, 28},  {214, 8}, {232, 28}, {234, 22}, {254, 5},
      {267, 7},   {268, 0},   {269, 0},   {270, -10}, {274, -10}, {275, 0}, {277, 0},  {278, 0},  {279, 300},
      {281, 260}, {282, 240}, {285, 240}, {286, 300}, {288, 300}, {289, 0}, {290, 1},  {291, 0},  {292, 1},
      {294, 1},   {296, 1},   {298, 0},   {304, 0},   {307, 3},   {308, 1}, {344, 1},  {345, 3},  {382, 1},
      {383, 0},   {396, 0},   {427, 0},   {428, 1},   {429, 1},   {430, 2}, {432, 0},  {434, 2},  {477, 1},
      {516, 1},   {517, 1},   {518, 0},   {519, 1},   {521, 1},   {525, 0}, {526, 1},  {527, 2},  {528, 0},
      {529, 0},   {530, 3},   {531, 6},   {532, 0},   {538, 1},   {543, 1}, {544, 1},  {545, 0},  {548, 1},
      {549, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(Int(image, c.number), c.value) << c.number;
  EXPECT_EQ(Str(image, 240), " PHONO  ");
  EXPECT_EQ(Str(image, 249), "DVR/VCR2");
  EXPECT_EQ(Str(image, 253), "MULTI CH");
  EXPECT_EQ(Str(image, 436), "087.50");
  EXPECT_EQ(Str(image, 554), "");
  EXPECT_EQ(image.xm.extra, 1);
  EXPECT_EQ(image.graphicEq[9].id, 10);
  EXPECT_EQ(image.graphicEq[1].id, 2);
  EXPECT_EQ(image.parametricEq[8].extra, 0);
}

TEST(Defaults, ImagesAreNumberedAndTheImageInUseIsSelectable) {
  ParameterImages images;
  for (int i = 0; i < kImageCount; ++i) EXPECT_EQ(images.Image(i)->index, i);
  EXPECT_EQ(images.Image(-1), nullptr);
  EXPECT_EQ(images.Image(7), nullptr);
  EXPECT_EQ(images.InUseIndex(), 0);
  EXPECT_TRUE(images.SelectInUse(3));
  EXPECT_EQ(&images.InUse(), images.Image(3));
  EXPECT_FALSE(images.SelectInUse(7));
  EXPECT_FALSE(images.SelectInUse(-1));
  EXPECT_EQ(images.InUseIndex(), 3);

  // Every memory image starts the same as the current one, apart from its index.
  ParameterImage memory = *images.Image(6);
  memory.index = 0;
  EXPECT_EQ(memory, *images.Image(0));

  SetParameter(*images.Image(2), 9, -805);
  images.Image(2)->speakerDistance.unit = 1;
  images.Reset(2, 1);
  EXPECT_EQ(images.Image(2)->index, 2);
  EXPECT_EQ(Int(*images.Image(2), 9), -400);
  EXPECT_EQ(Int(*images.Image(2), 278), 0);  // unit cleared before the distances
  EXPECT_EQ(Int(*images.Image(2), 279), 300);
}

TEST(Defaults, SpeakerDistancesFollowTheUnit) {
  SpeakerDistanceBlock block;
  block.unit = 1;
  WriteSpeakerDistanceDefaults(block);
  EXPECT_EQ(block.unit, 1);
  EXPECT_EQ(block.distances, kSpeakerDistanceFeetDefaults);
  EXPECT_EQ(block.distances[9], 100);  // FL
  EXPECT_EQ(block.distances[7], 85);   // CT
  block.unit = 0;
  WriteSpeakerDistanceDefaults(block);
  EXPECT_EQ(block.distances[7], 260);
}

TEST(Defaults, ResetRestoresEveryBlockAndKeepsTheIndex) {
  ParameterImage image;
  image.index = 4;
  ResetToDefaults(image, 1);
  const ParameterImage clean = image;
  for (int number = 1; number <= 555; ++number) {
    SetParameter(image, number, 99);
    SetParameterText(image, number, "zz");
  }
  image.parametricEq[0].bands[3] = 5;
  image.dsp[165] = 7;  // a slot the default writer leaves alone
  ResetToDefaults(image, 1);
  EXPECT_EQ(image, clean);
  EXPECT_EQ(image.index, 4);
}

TEST(DspDefaults, EachProgramWritesOnlyItsOwnGroup) {
  ParameterImage image;
  image.dsp.fill(-1);
  WriteDspProgramDefaults(image, 0);
  EXPECT_EQ(image.dsp[0], 0);
  EXPECT_EQ(image.dsp[2], 30);
  EXPECT_EQ(image.dsp[4], 5);
  EXPECT_EQ(image.dsp[5], -1);

  WriteDspProgramDefaults(image, 23);
  EXPECT_EQ(image.dsp[222], -1);
  EXPECT_EQ(image.dsp[223], 100);
  EXPECT_EQ(image.dsp[226], 50);
  EXPECT_EQ(image.dsp[229], 33);

  // Action Game leaves its slots 5..7 as they were.
  WriteDspProgramDefaults(image, 17);
  EXPECT_EQ(image.dsp[158], -1);
  EXPECT_EQ(image.dsp[159 + 2], 22);
  EXPECT_EQ(image.dsp[159 + 4], 5);
  EXPECT_EQ(image.dsp[164], -1);
  EXPECT_EQ(image.dsp[166], -1);
  EXPECT_EQ(image.dsp[167], 23);
  EXPECT_EQ(image.dsp[172], 5);
  EXPECT_EQ(image.dsp[173], -1);

  const ParameterImage before = image;
  WriteDspProgramDefaults(image, -1);
  WriteDspProgramDefaults(image, 24);
  EXPECT_EQ(image, before);
}

TEST(DspDefaults, ByNumberThroughTheLayout) {
  const ParameterImages images;
  const ParameterImage& image = *images.Image(0);
  EXPECT_EQ(Int(image, 29), 30);  // Hall in Munich, third slot
  EXPECT_EQ(Int(image, 45), 3);   // Charch in Freiburg skips slot 3: fourth number is slot 4
  EXPECT_EQ(Int(image, 87), 0);
  EXPECT_EQ(Int(image, 89), 15);   // Standard's third number is slot 5
  EXPECT_EQ(Int(image, 137), 26);  // Drama's sixth number: slot 8
  EXPECT_EQ(Int(image, 138), 15);  // seventh: slot 11
  EXPECT_EQ(Int(image, 139), 10);  // eighth: slot 6
  EXPECT_EQ(Int(image, 199), 0);
  EXPECT_EQ(Int(image, 198), 3);
  EXPECT_EQ(Int(image, 204), 1);
  EXPECT_EQ(Int(image, 211), 33);
}

TEST(DspLayout, SlotsOfNumbers) {
  EXPECT_FALSE(DspSlotOfNumber(26).has_value());
  EXPECT_FALSE(DspSlotOfNumber(212).has_value());
  EXPECT_FALSE(DspSlotOfNumber(-27).has_value());
  EXPECT_EQ(DspSlotOfNumber(27), 0);
  EXPECT_EQ(DspSlotOfNumber(203), 215);  // Surround Decoder's decode type first
  EXPECT_EQ(DspSlotOfNumber(197), 216);
  EXPECT_EQ(DspProgramOfNumber(142), 14);
  EXPECT_EQ(DspProgramOfNumber(143), 15);
  // Drama's permuted slots.
  const int drama[] = {122, 123, 124, 125, 127, 130, 133, 128, 131, 134, 136};
  for (int i = 0; i < 11; ++i) EXPECT_EQ(DspSlotOfNumber(132 + i), drama[i]) << 132 + i;

  // 185 numbers name 185 distinct slots.
  std::array<int, kDspSlotCount> named{};
  for (int number = kFirstDspNumber; number <= kLastDspNumber; ++number) ++named.at(*DspSlotOfNumber(number));
  int total = 0;
  for (int count : named) {
    EXPECT_LE(count, 1);
    total += count;
  }
  EXPECT_EQ(total, 185);
}

TEST(TunerRegions, TablesHoldFortyPresetsAndTheCurrentFrequency) {
  ASSERT_EQ(kTunerRegionTables.size(), 4u);
  const char* a1[4] = {"076.00", "087.50", "087.50", "087.50"};
  const char* b4[4] = {"000531", "000530", "000531", "000530"};
  const char* e8[4] = {"082.10", "107.90", "108.00", "108.00"};
  for (int region = 0; region < 4; ++region) {
    SCOPED_TRACE("region " + std::to_string(region));
    const TunerTable& table = kTunerRegionTables[region];
    ASSERT_EQ(table.size(), 41u);
    EXPECT_EQ(table[0], a1[region]);
    EXPECT_EQ(table[11], b4[region]);
    EXPECT_EQ(table[39], e8[region]);
    EXPECT_EQ(table[40], a1[region]);
    EXPECT_EQ(table[16], table[0]);  // page C repeats page A
    EXPECT_EQ(table[32], table[0]);  // page E too
    EXPECT_EQ(table[24], table[8]);  // page D repeats page B
    for (std::string_view text : table) EXPECT_EQ(text.size(), 6u);
  }
}

TEST(TunerRegions, ResetReplacesOnlyTheTunerBlock) {
  ParameterImages images;
  ParameterImage& image = *images.Image(0);
  SetParameter(image, 9, -805);
  ResetTunerBlock(image, 0);
  EXPECT_EQ(Str(image, 436), "076.00");
  EXPECT_EQ(Str(image, 437), "076.00");
  EXPECT_EQ(Str(image, 445), "000630");  // B1
  EXPECT_EQ(Str(image, 448), "000531");  // B4
  EXPECT_EQ(Str(image, 476), "082.10");  // E8
  EXPECT_EQ(Int(image, 9), -805);
  ResetTunerBlock(image, 3);
  EXPECT_EQ(Str(image, 465), "001710");  // D5
  EXPECT_EQ(Str(image, 441), "108.00");  // A5

  const ParameterImage before = image;
  ResetTunerBlock(image, -1);
  ResetTunerBlock(image, 4);
  EXPECT_EQ(image, before);

  // An unknown region at a full reset leaves the frequencies empty rather than stale.
  ResetToDefaults(image, 9);
  EXPECT_EQ(Str(image, 436), "");
  EXPECT_EQ(Int(image, 9), -400);
}
