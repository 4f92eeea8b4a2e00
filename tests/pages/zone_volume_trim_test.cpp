// The Volume Trim page: every input's command at both ends and the middle, the reversed
// block, the list of trims, "Flat" and the file texts it reads.

#include <gtest/gtest.h>

#include "pages/speaker_fixture.h"
#include "pages/zone/volume_trim_page.h"

namespace tw::test {
namespace {

using comm::WorkingMode;
using pages::VolumeTrimPage;
using Fixture = SpeakerFixture<VolumeTrimPage>;

struct Input {
  int number;
  std::string_view key;
  std::string_view address;
};
constexpr Input kInputs[] = {
    {383, "PHONO", "2008012100"},    {384, "CD", "2008012101"},      {385, "TUNER", "2008012102"},
    {386, "CD-R", "2008012103"},     {387, "MD/TAPE", "2008012104"}, {388, "DVD", "2008012105"},
    {389, "DTV", "2008012106"},      {390, "CBL/SAT", "2008012107"}, {391, "VCR1", "2008012109"},
    {392, "DVR/VCR2", "200801210A"}, {393, "V-AUX", "200801210C"},   {394, "MULTI CH", "2008012110"},
    {395, "XM", "200801210E"},       {396, "DOCK", "2008012120"},
};

TEST(VolumeTrim, EveryInputSendsItsTrimWithLowerCaseDataAndChecksum) {
  Fixture f;
  std::vector<int> listed;
  for (const pages::PageItem& item : f.page.ListItems(true, pages::kAllGroups)) listed.push_back(item.number);
  std::vector<int> expected;
  for (const Input& input : kInputs) expected.push_back(input.number);
  EXPECT_EQ(listed, expected);

  for (const Input& input : kInputs) {
    for (auto [text, data] : {std::pair{"-6.0dB", "00"}, {"0.0dB", "0c"}, {"6.0dB", "18"}, {"-1.5dB", "09"}}) {
      ASSERT_TRUE(f.page.settings().ParseItem(f.image(), input.number, -1, text));
      const pages::ItemText item = f.page.settings().DescribeItem(f.image(), input.number, -1, false);
      EXPECT_EQ(item.key, input.key);
      EXPECT_EQ(item.value, text);
      f.link.sent.clear();
      f.page.QueueItem(f.image(), input.number, -1);
      EXPECT_EQ(f.link.sent, (std::vector<Sent>{{Dc4Lower(std::string(input.address) + data), input.number}}))
          << input.key << " " << text;
    }
  }
}

TEST(VolumeTrim, DockSitsInTheFirstSlotAndPhonoInTheLast) {
  Fixture f;
  ASSERT_TRUE(f.page.settings().ParseItem(f.image(), 396, -1, "2.5dB"));
  ASSERT_TRUE(f.page.settings().ParseItem(f.image(), 383, -1, "-0.5dB"));
  EXPECT_EQ(f.image().volumeTrim.front(), 25);
  EXPECT_EQ(f.image().volumeTrim.back(), -5);
}

TEST(VolumeTrim, TheListShowsEachTrimAndADragSendsOnRelease) {
  Fixture f;
  ASSERT_EQ(f.page.trimList().rowCount(), 14);
  EXPECT_EQ(f.page.trimList().cell(13, 0), "DOCK");
  EXPECT_EQ(f.page.trimList().cell(13, 1), " 0.0dB");
  ASSERT_TRUE(f.page.stepSlider(388).drag(-35));
  EXPECT_EQ(f.page.trimList().cell(5, 1), " -3.5dB");
  EXPECT_TRUE(f.link.sent.empty());
  ASSERT_TRUE(f.page.stepSlider(388).release());
  EXPECT_EQ(f.link.commands(), std::vector<std::string>{Dc4Lower("200801210505")});
  ASSERT_TRUE(f.page.stepSlider(396).drag(60));
  EXPECT_EQ(f.page.trimList().cell(13, 1), " 6.0dB");
}

TEST(VolumeTrim, FlatPutsEveryTrimToZeroAndSendsThemInRealTimeOnly) {
  Fixture f;
  f.image().volumeTrim.fill(30);
  f.page.RefreshAll();
  ASSERT_TRUE(f.page.flatButton().click());
  for (std::int32_t trim : f.image().volumeTrim) EXPECT_EQ(trim, 0);
  EXPECT_EQ(f.page.trimList().cell(0, 1), " 0.0dB");
  EXPECT_EQ(f.link.commands().size(), 14u);
  EXPECT_EQ(f.link.commands().front(), Dc4Lower("20080121000c"));
  EXPECT_EQ(f.link.batchStarts(), 1);

  Fixture async(WorkingMode::Async);
  async.image().volumeTrim.fill(-30);
  ASSERT_TRUE(async.page.flatButton().click());
  EXPECT_EQ(async.image().volumeTrim[3], 0);
  EXPECT_TRUE(async.link.sent.empty());
}

TEST(VolumeTrim, FileTextsOutsideTheRangeOrStepLeaveTheTrimAlone) {
  Fixture f;
  const model::ParameterImage before = f.image();
  for (std::string_view text : {"6.5dB", "-6.5dB", "1.3dB", "0.25dB", "0.50dB", "one", "", "1.0 dB"}) {
    EXPECT_FALSE(f.page.settings().ParseItem(f.image(), 390, -1, text)) << text;
  }
  EXPECT_EQ(f.image(), before);
  // Whole decibels and a sign are read as what they say.
  EXPECT_TRUE(f.page.settings().ParseItem(f.image(), 390, -1, "2dB"));
  EXPECT_EQ(f.page.settings().DescribeItem(f.image(), 390, -1, false).value, "2.0dB");
  EXPECT_TRUE(f.page.settings().ParseItem(f.image(), 390, -1, "+0.5"));
  EXPECT_EQ(f.page.settings().DescribeItem(f.image(), 390, -1, false).value, "0.5dB");
  EXPECT_EQ(f.page.settings().RefusalReason(f.image(), 390, -1, "9dB"), "allowed: \"-6.0dB\", \"-5.5dB\" ..., \"6.0dB\"");
}

// The XM trim exists only on a receiver with XM (as its read does).
TEST(VolumeTrim, TheXmTrimIsNeverSentToAReceiverWithoutXm) {
  Fixture f;
  f.link.caps.xm = 0;
  f.page.UpdateAvailability();
  EXPECT_FALSE(f.page.stepSlider(395).isEnabled());
  EXPECT_TRUE(f.page.stepSlider(394).isEnabled());
  ASSERT_TRUE(f.page.flatButton().click());
  EXPECT_EQ(f.link.commands().size(), 13u);
  for (const std::string& command : f.link.commands()) EXPECT_EQ(command.find("200801210E"), std::string::npos);
}

}  // namespace
}  // namespace tw::test
