// Graphic EQ: the band commands, the Channel list and its record, "Default", the 65 filed
// and 70 sent items, value texts, and the response curve beside the sliders.

#include <gtest/gtest.h>

#include "pages/page_walks.h"

#include <algorithm>
#include <set>

#include "pages/eq/graphic_eq_page.h"
#include "pages/speaker_fixture.h"

namespace tw::test {
namespace {

using comm::WorkingMode;
using Fixture = SpeakerFixture<pages::GraphicEqPage>;

constexpr std::string_view kChannelDigits = "023456789a";  // by record
constexpr std::string_view kBandCodes = "02468AC";         // by band

// The frame of one band command, built from the rule rather than from the page's code.
std::string BandFrame(int record, int band, std::string_view data) {
  return Dc4Lower(std::string("20080301") + kChannelDigits[static_cast<std::size_t>(record)] +
                  kBandCodes[static_cast<std::size_t>(band)] + std::string(data));
}

// An image as the tool starts with it: every record holds its channel's code.
model::ParameterImage Factory() {
  model::ParameterImage image;
  model::ResetToDefaults(image, 1);
  return image;
}

TEST(GraphicEqCommands, EveryBandAtBothEndsAndZeroForTheFirstAMiddleAndTheSubwooferChannel) {
  Fixture f;
  for (int record : {0, 4, 9}) {
    for (int band = 0; band < 7; ++band) {
      for (auto [gain, data] : std::vector<std::pair<int, std::string>>{{-60, "03"}, {-5, "0e"}, {0, "0f"}, {60, "1b"}}) {
        model::ParameterImage image = Factory();
        image.graphicEq[static_cast<std::size_t>(record)].bands[static_cast<std::size_t>(band)] = gain;
        f.link.sent.clear();
        f.page.QueueItem(image, 398 + band, record);
        EXPECT_EQ(f.link.sent, (std::vector<Sent>{{BandFrame(record, band, data), 398 + band}}))
            << "record " << record << " band " << band + 1 << " gain " << gain;
      }
    }
  }
  // The Subwoofer's digit in lower case (the receiver's reports spell it "A"), and the
  // lower-case checksum.
  model::ParameterImage image = Factory();
  image.graphicEq[9].bands[0] = 60;
  f.link.sent.clear();
  f.page.QueueItem(image, 398, 9);
  EXPECT_EQ(f.link.commands(), std::vector<std::string>{"\x14" "20080301a01bb2\x03"});
}

TEST(GraphicEqCommands, ARecordWithoutAKnownChannelCodeSendsNothing) {
  Fixture f;
  model::ParameterImage image = Factory();
  image.graphicEq[3].id = 1;  // no channel has code 1
  f.page.QueueItem(image, 398, 3);
  f.page.QueueItem(image, 398, 10);
  EXPECT_TRUE(f.link.sent.empty());
}

TEST(GraphicEqSlider, PresenceRBand3SendsChannel9AndBand4OnReleaseOnly) {
  Fixture f;
  ASSERT_TRUE(f.page.channelList().select(8));
  ASSERT_EQ(f.page.currentRecord(), 8);
  ui::LevelSlider& band3 = f.page.slider(400);
  for (int gain : {-5, -10, -15}) band3.drag(gain);
  EXPECT_TRUE(f.link.sent.empty());
  EXPECT_EQ(f.page.label(400).text(), " -1.5dB");
  band3.release();
  EXPECT_EQ(f.link.sent, (std::vector<Sent>{{"\x14" "20080301940c8e\x03", 400}, {"", 564}}));
  EXPECT_EQ(f.image().graphicEq[8].bands[2], -15);
  for (int record = 0; record < 10; ++record) {
    if (record == 8) continue;
    EXPECT_EQ(f.image().graphicEq[static_cast<std::size_t>(record)].bands[2], 0) << record;
  }
}

TEST(GraphicEqChannel, ListHoldsTheTenChannelsWithTheirCodesAndShowsTheChosenRecord) {
  Fixture f;
  const std::vector<std::pair<std::string, int>> expected = {
      {"Center", 0},     {"Front L", 2},         {"Front R", 3},         {"Surround L", 4}, {"Surround R", 5},
      {"Surround Back L", 6}, {"Surround Back R", 7}, {"Presence L", 8}, {"Presence R", 9}, {"Subwoofer", 10}};
  ui::ListCombo& list = f.page.channelList();
  ASSERT_EQ(list.count(), 10);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(list.itemText(i), expected[static_cast<std::size_t>(i)].first);
    EXPECT_EQ(list.itemData(i), expected[static_cast<std::size_t>(i)].second);
  }
  EXPECT_EQ(list.curSel(), 0);

  for (int record = 0; record < 10; ++record) f.image().graphicEq[static_cast<std::size_t>(record)].bands[3] = 5 * record;
  ASSERT_TRUE(list.select(9));
  EXPECT_EQ(f.page.currentRecord(), 9);
  EXPECT_EQ(f.page.label(401).text(), " 4.5dB");
  EXPECT_EQ(f.page.slider(401).GetValue(), 45);
  EXPECT_TRUE(f.link.sent.empty()) << "choosing a channel sends nothing";

  // Activation takes the record from the list again.
  list.setCurSel(2);
  f.page.OnSetActive();
  EXPECT_EQ(f.page.currentRecord(), 2);
  EXPECT_EQ(f.page.label(401).text(), " 1.0dB");
}

TEST(GraphicEqDefault, RealTimeResetsEveryRecordAndSendsAllSeventyInRecordOrder) {
  Fixture f;
  for (auto& channel : f.image().graphicEq) channel.bands.fill(-35);
  ASSERT_TRUE(f.page.channelList().select(9));
  f.page.defaultButton().click();
  std::vector<std::string> expected;
  for (int record = 0; record < 10; ++record) {
    EXPECT_EQ(f.image().graphicEq[static_cast<std::size_t>(record)].id, model::kGraphicEqChannelIds[static_cast<std::size_t>(record)]);
    EXPECT_EQ(f.image().graphicEq[static_cast<std::size_t>(record)].bands, (std::array<std::int32_t, 7>{}));
    for (int band = 0; band < 7; ++band) expected.push_back(BandFrame(record, band, "0f"));
  }
  EXPECT_EQ(f.link.commands(), expected);
  EXPECT_EQ(f.link.batchStarts(), 1);
  EXPECT_EQ(f.page.currentRecord(), 0);
  EXPECT_EQ(f.page.channelList().curSel(), 0);
  EXPECT_EQ(f.page.label(398).text(), " 0.0dB");
  EXPECT_EQ(f.ui.waitCursorDepth(), 0);
}

TEST(GraphicEqDefault, AsyncModeStoresDragsAndResetsWithoutSending) {
  Fixture f(WorkingMode::Async);
  f.page.slider(404).drag(60);
  f.page.slider(404).release();
  EXPECT_EQ(f.image().graphicEq[0].bands[6], 60);
  EXPECT_EQ(f.page.label(404).text(), " 6.0dB");
  f.image().graphicEq[5].bands.fill(15);
  f.page.defaultButton().click();
  EXPECT_EQ(f.image().graphicEq[5].bands, (std::array<std::int32_t, 7>{}));
  EXPECT_EQ(f.image().graphicEq[0].bands[6], 0);
  EXPECT_TRUE(f.link.sent.empty());
}

TEST(GraphicEqItems, SeventySentRecordByRecordSixtyFiveFiledWithoutTheSubwoofersUpperBands) {
  Fixture f;
  const auto sent = f.page.ListItems(false, pages::kAllGroups);
  ASSERT_EQ(sent.size(), 70u);
  for (std::size_t i = 0; i < sent.size(); ++i) {
    EXPECT_EQ(sent[i], (pages::PageItem{398 + static_cast<int>(i % 7), static_cast<int>(i / 7)})) << i;
  }
  const auto filed = f.page.ListItems(true, pages::kAllGroups);
  ASSERT_EQ(filed.size(), 65u);
  EXPECT_TRUE(std::equal(filed.begin(), filed.begin() + 63, sent.begin()));
  EXPECT_EQ(filed[63], (pages::PageItem{398, 9}));
  EXPECT_EQ(filed[64], (pages::PageItem{399, 9}));

  std::set<std::string> keys;
  for (const auto& item : filed) {
    const pages::ItemText text = f.page.settings().DescribeItem(f.image(), item.number, item.subIndex, false);
    EXPECT_EQ(text.section, "Graphic EQ");
    keys.insert(text.key);
  }
  EXPECT_EQ(keys.size(), 65u);
  EXPECT_TRUE(keys.count("(Front L) Band 1 (63Hz) Gain"));
  EXPECT_TRUE(keys.count("(Surround Back R) Band 6 (6.3kHz) Gain"));
  EXPECT_TRUE(keys.count("(Subwoofer) Band 2 (160Hz) Gain"));
  EXPECT_FALSE(keys.count("(Subwoofer) Band 3 (400Hz) Gain"));
}

TEST(GraphicEqFile, ValueTextsRoundTripAndSixtyFiveValuesLeaveTheSubwoofersUpperBands) {
  Fixture f;
  for (int record = 0; record < 10; ++record) {
    for (int band = 0; band < 7; ++band) {
      f.image().graphicEq[static_cast<std::size_t>(record)].bands[static_cast<std::size_t>(band)] =
          -60 + 5 * ((record * 7 + band) % 25);
    }
  }
  files::Profile profile;
  SaveItems(f.page.settings(), f.link, f.image(), profile);
  EXPECT_EQ(profile.GetString("Graphic EQ", "(Center) Band 1 (63Hz) Gain", ""), "-6.0dB");
  EXPECT_EQ(profile.GetString("Graphic EQ", "(Center) Band 4 (1kHz) Gain", ""), "-4.5dB");
  EXPECT_EQ(profile.GetString("Graphic EQ", "(Front R) Band 4 (1kHz) Gain", ""), "2.5dB");
  EXPECT_EQ(profile.GetString("Graphic EQ", "(Subwoofer) Band 2 (160Hz) Gain", ""), "1.0dB");
  EXPECT_EQ(profile.KeyNames("Graphic EQ").size(), 65u);

  model::ParameterImage other = Factory();
  other.graphicEq[9].bands = {1, 2, 3, 4, 5, 6, 7};
  LoadItems(f.page.settings(), f.link, other, profile);
  for (int record = 0; record < 9; ++record) {
    EXPECT_EQ(other.graphicEq[static_cast<std::size_t>(record)], f.image().graphicEq[static_cast<std::size_t>(record)]) << record;
  }
  EXPECT_EQ(other.graphicEq[9].bands, (std::array<std::int32_t, 7>{f.image().graphicEq[9].bands[0],
                                                                   f.image().graphicEq[9].bands[1], 3, 4, 5, 6, 7}));
}

TEST(GraphicEqFile, ParseAcceptsOnlyTheTextsASliderCanShow) {
  Fixture f;
  EXPECT_TRUE(f.page.settings().ParseItem(f.image(), 399, 1, "-1.5dB"));
  EXPECT_EQ(f.image().graphicEq[1].bands[1], -15);
  for (std::string_view good : {"-6.0dB", "6.0dB", "0.0dB", "-0.5dB"}) {
    EXPECT_TRUE(f.page.settings().ParseItem(f.image(), 398, 9, good)) << good;
  }
  for (std::string_view bad : {"7.0dB", "abc", "", "-6.2dB", "6.5dB", "-15dB", "-1.5", "-1.50dB", " -1.5dB"}) {
    EXPECT_FALSE(f.page.settings().ParseItem(f.image(), 399, 1, bad)) << bad;
  }
  EXPECT_EQ(f.image().graphicEq[1].bands[1], -15);
  EXPECT_FALSE(f.page.settings().ParseItem(f.image(), 399, -1, "1.0dB"));
  EXPECT_FALSE(f.page.settings().ParseItem(f.image(), 399, 10, "1.0dB"));
  EXPECT_EQ(f.page.settings().RefusalReason(f.image(), 399, 1, "7.0dB"), "allowed: \"-6.0dB\", \"-5.5dB\" ..., \"6.0dB\"");
}

TEST(GraphicEqCurve, FollowsTheShownChannelADragAndAReport) {
  Fixture f;
  ui::CurveView& curve = f.page.curve();
  EXPECT_EQ(curve.text(), "Center");
  ASSERT_EQ(curve.markers().size(), 7u);
  EXPECT_EQ(curve.curve().front(), (ui::PlotPoint{20, 0.0}));
  EXPECT_EQ(curve.curve().back(), (ui::PlotPoint{20000, 0.0}));

  f.page.slider(401).drag(60);  // still dragging: the curve follows
  EXPECT_EQ(curve.markers()[3], (ui::PlotPoint{1000, 6.0}));
  const auto peak = std::max_element(curve.curve().begin(), curve.curve().end(),
                                     [](const ui::PlotPoint& a, const ui::PlotPoint& b) { return a.y < b.y; });
  EXPECT_NEAR(peak->x, 1000, 100);
  EXPECT_NEAR(peak->y, 6.0, 0.05);

  f.image().graphicEq[9].bands[0] = -40;
  ASSERT_TRUE(f.page.channelList().select(9));
  EXPECT_EQ(curve.text(), "Subwoofer");
  EXPECT_EQ(curve.markers()[0], (ui::PlotPoint{63, -4.0}));
  EXPECT_EQ(curve.markers()[3].y, 0.0);

  // A report from the receiver about the shown record.
  f.image().graphicEq[9].bands[1] = 25;
  f.page.RefreshItem(399, true);
  EXPECT_EQ(curve.markers()[1], (ui::PlotPoint{160, 2.5}));
}

}  // namespace
}  // namespace tw::test
