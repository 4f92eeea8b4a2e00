// MULTI CH: 6ch/8ch with the front input that travels only with 8ch, BGV, and the report
// that leaves the front input out with 6ch.

#include <gtest/gtest.h>

#include "pages/page_walks.h"

#include "pages/input/multi_ch_page.h"
#include "pages/input_fixture.h"

namespace tw::test {
namespace {

using comm::WorkingMode;
using Fixture = PageFixture<pages::MultiChPage>;

constexpr int kChannels = 529, kFront = 530, kBgv = 531;

const std::vector<std::pair<std::string, std::string>> kFronts = {
    {"CD", "2"},  {"CD-R", "3"}, {"MD/TAPE", "4"},  {"DVD", "5"},  {"DTV", "6"},
    {"CBL/SAT", "7"}, {"VCR1", "9"}, {"DVR/VCR2", "A"}, {"V-AUX", "C"}};
const std::vector<std::pair<std::string, std::string>> kBgvs = {
    {"DVD", "5"},      {"DTV", "6"},   {"CBL/SAT", "7"}, {"VCR1", "9"},
    {"DVR/VCR2", "A"}, {"V-AUX", "C"}, {"LAST", "1"},    {"OFF", "0"}};

TEST(MultiChChannels, SixChannelsSendsZeroAndEightSendsTheFrontInput) {
  Fixture f;
  ASSERT_EQ(IntegerOf(f.image(), kChannels), 0);
  EXPECT_FALSE(f.page.list(530).isEnabled());
  // With 6ch the front input is stored but nothing goes out.
  f.image().multiCh[0] = 0;
  f.page.list(530).setEnabled(true);
  f.page.list(530).select(0);  // CD
  EXPECT_EQ(IntegerOf(f.image(), kFront), 0);
  EXPECT_TRUE(f.link.sent.empty());
  f.page.UpdateControlStates();
  EXPECT_FALSE(f.page.list(530).isEnabled());

  ASSERT_TRUE(f.page.group(529).click(1));
  EXPECT_TRUE(f.page.list(530).isEnabled());
  EXPECT_EQ(f.link.sent, (std::vector<Sent>{{Stx("27B02"), kChannels}, {"", 564}}));
  f.link.sent.clear();
  ASSERT_TRUE(f.page.group(529).click(0));
  EXPECT_FALSE(f.page.list(530).isEnabled());
  EXPECT_EQ(f.link.sent, (std::vector<Sent>{{Stx("27B00"), kChannels}, {"", 564}}));
}

TEST(MultiChChannels, WithEightChannelsEveryFrontInputSendsItsCode) {
  Fixture f;
  f.page.group(529).click(1);
  for (std::size_t i = 0; i < kFronts.size(); ++i) {
    f.link.sent.clear();
    ASSERT_TRUE(f.page.list(530).select(static_cast<int>(i)));
    EXPECT_EQ(f.link.sent, (std::vector<Sent>{{Stx("27B0" + kFronts[i].second), kFront}, {"", 564}}))
        << kFronts[i].first;
    EXPECT_EQ(f.page.settings().DescribeItem(f.image(), kFront, -1, false).value, kFronts[i].first);
  }
}

TEST(MultiChBgv, EveryBgvEntrySendsItsCode) {
  Fixture f;
  ASSERT_EQ(f.page.list(531).count(), static_cast<int>(kBgvs.size()));
  for (std::size_t i = 0; i < kBgvs.size(); ++i) {
    f.link.sent.clear();
    ASSERT_TRUE(f.page.list(531).select(static_cast<int>(i)));
    EXPECT_EQ(f.link.sent, (std::vector<Sent>{{Stx("26F0" + kBgvs[i].second), kBgv}, {"", 564}}))
        << kBgvs[i].first;
    EXPECT_EQ(f.page.list(531).itemText(static_cast<int>(i)), kBgvs[i].first);
  }
}

TEST(MultiChFiles, TheReportLeavesInputFrontOutWithSixChannelsButTheFileKeepsIt) {
  Fixture f;
  EXPECT_EQ(ReportItems(f.page.settings(), f.link, f.image()), "\r\n(MULTI CH)\r\n6ch/8ch = 6ch\r\nMULTI CH BGV = LAST\r\n");
  files::Profile profile;
  SaveItems(f.page.settings(), f.link, f.image(), profile);
  EXPECT_EQ(profile.GetString("MULTI CH", "MULTI CH Input Front", ""), "DVD");
  f.image().multiCh[0] = 1;
  EXPECT_EQ(ReportItems(f.page.settings(), f.link, f.image()),
            "\r\n(MULTI CH)\r\n6ch/8ch = 8ch\r\nMULTI CH Input Front = DVD\r\nMULTI CH BGV = LAST\r\n");
}

TEST(MultiChFiles, ValuesAreTheButtonAndListTextsAndAnythingElseChangesNothing) {
  Fixture f;
  model::ParameterImage& image = f.image();
  EXPECT_TRUE(f.page.settings().ParseItem(image, kChannels, -1, "8ch"));
  EXPECT_EQ(image.multiCh[0], 1);
  EXPECT_FALSE(f.page.settings().ParseItem(image, kChannels, -1, "8CH")) << "button captions compare exactly";
  EXPECT_TRUE(f.page.settings().ParseItem(image, kFront, -1, "V-AUX"));
  EXPECT_EQ(image.multiCh[1], 8);
  EXPECT_TRUE(f.page.settings().ParseItem(image, kBgv, -1, "off"));
  EXPECT_EQ(image.multiCh[2], 7);
  const model::ParameterImage before = image;
  for (int number : {kChannels, kFront, kBgv}) {
    for (const std::string bad : {"", "PHONO", "7ch", "V-AUX/DOCK"}) EXPECT_FALSE(f.page.settings().ParseItem(image, number, -1, bad));
  }
  EXPECT_EQ(image, before);
}

TEST(MultiChQueue, ADownloadSendsTheChannelsTheFrontInputWithEightOnlyAndTheBgv) {
  Fixture f(WorkingMode::Async);
  f.page.QueueAll(f.image());
  EXPECT_EQ(f.link.commands(), (std::vector<std::string>{Stx("27B00"), Stx("26F01")}));
  f.link.sent.clear();
  f.image().multiCh = {1, 7, 0};
  f.page.QueueAll(f.image());
  EXPECT_EQ(f.link.commands(), (std::vector<std::string>{Stx("27B0A"), Stx("27B0A"), Stx("26F05")}));
}

}  // namespace
}  // namespace tw::test
