// Section "Basic Control" of configuration files and reports.

#include <gtest/gtest.h>

#include "model/parameter_images.h"
#include "settings/basic/basic_control_settings.h"

namespace tw::test {
namespace {

struct FilesFixture {
  model::ParameterImage& image() { return *images.Image(0); }
  std::string describe(int number) { return settings.DescribeItem(image(), number, -1, false).value; }
  bool parse(int number, std::string_view text) { return settings.ParseItem(image(), number, -1, text); }
  const settings::PageSettings& settings = settings::BasicControlSettings();
  model::ParameterImages images{1};
};

TEST(BasicControlFiles, DescribeOnlyTheItemsWithKeys) {
  FilesFixture f;
  for (int number : {0, 5, 11, 12, 13, 14, 15, -1}) {
    const settings::ItemText text = f.settings.DescribeItem(f.image(), number, -1, false);
    EXPECT_TRUE(text.section.empty() && text.key.empty() && text.value.empty()) << number;
  }
  f.image().basic[3] = 26;
  EXPECT_EQ(f.describe(4), "7ch Enhancer Low");
  f.image().basic[0] = 40;  // no such input
  EXPECT_EQ(f.describe(1), "");
}

TEST(BasicControlFiles, ParsesTheSpecialTexts) {
  FilesFixture f;
  EXPECT_TRUE(f.parse(4, "Straight"));
  EXPECT_EQ(f.image().basic[3], 28);
  EXPECT_TRUE(f.parse(9, "Mute"));
  EXPECT_EQ(f.image().basic[8], -805);
  EXPECT_TRUE(f.parse(9, "-12.5dB"));
  EXPECT_EQ(f.image().basic[8], -125);
  EXPECT_TRUE(f.parse(9, "16.0dB"));
  EXPECT_EQ(f.image().basic[8], 160);
  EXPECT_TRUE(f.parse(10, "ON"));
  EXPECT_EQ(f.image().basic[9], 1);
  EXPECT_TRUE(f.parse(8, "Max"));
  EXPECT_EQ(f.image().basic[7], 2);
  EXPECT_TRUE(f.parse(3, "DTS"));
  EXPECT_EQ(f.image().basic[2], 1);
  EXPECT_TRUE(f.parse(1, "multi ch"));  // list search ignores case
  EXPECT_EQ(f.image().basic[0], 12);
}

TEST(BasicControlFiles, AnEnhancerTextSetsTheProgramAndTheEnhancerIndex) {
  FilesFixture f;
  EXPECT_TRUE(f.parse(4, "2ch Enhancer High"));
  EXPECT_EQ(f.image().basic[3], 25);
  EXPECT_EQ(f.image().basic[10], 1);
  EXPECT_EQ(f.describe(4), "2ch Enhancer High");
}

TEST(BasicControlFiles, UnrecognisedTextsLeaveTheImageUnchanged) {
  FilesFixture f;
  const model::ParameterImage before = f.image();
  const std::vector<std::pair<int, std::string>> bad = {
      {1, "DVD2"}, {2, "Digital"}, {4, "Hall"}, {4, "straight"}, {6, "EX/ES/"},   {7, "Night"},
      {8, "max"},  {8, ""},        {9, "mute"}, {9, "abcdB"},    {9, "20.0dB"},   {9, "-0.3dB"},
      {9, "dB"},   {9, "-81.0dB"}, {10, "on"},  {10, "1"},       {5, "Straight"}, {11, "2ch Enhancer Low"},
      {12, "ON"},  {9, "10dB"}, {9, "-30dB"},  {9, "-30.00dB"}, {9, "-30.0"}, {9, " -30.0dB"},
  };
  for (const auto& [number, text] : bad) {
    EXPECT_FALSE(f.parse(number, text)) << number << " " << text;
  }
  EXPECT_EQ(f.image(), before);
}

// The file keeps what the image holds, whatever receiver is connected: the decoder modes
// are the whole list.
TEST(BasicControlFiles, DecoderModesAreTheWholeList) {
  FilesFixture f;
  f.image().basic[2] = 2;
  EXPECT_EQ(f.describe(3), "AAC(J Only)");
  f.image().basic[2] = 0;
  EXPECT_TRUE(f.parse(3, "AAC(J Only)"));
  EXPECT_EQ(f.image().basic[2], 2);
}

}  // namespace
}  // namespace tw::test
