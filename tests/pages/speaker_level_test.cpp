// Speaker Level: the level commands, drags, "Default", orders and file texts.

#include <gtest/gtest.h>

#include "pages/page_walks.h"

#include "pages/speaker/speaker_level_page.h"
#include "pages/speaker_fixture.h"

namespace tw::test {
namespace {

using comm::WorkingMode;
using Fixture = SpeakerFixture<pages::SpeakerLevelPage>;

// Number, key and command address of every channel.
struct Channel {
  int number;
  std::string key;
  std::string address;
};
const std::vector<Channel> kChannels = {
    {268, "FL", "241"},  {269, "FR", "240"},  {270, "CT", "242"},  {271, "SL", "244"},  {272, "SR", "243"},
    {273, "SBL", "248"}, {274, "SBR", "247"}, {275, "PRL", "246"}, {276, "PRR", "245"}, {277, "SW", "249"}};

TEST(SpeakerLevelCommands, EveryChannelAtBothRangeEndsAndZero) {
  Fixture f;
  for (const Channel& c : kChannels) {
    for (auto [level, data] : std::vector<std::pair<int, std::string>>{
             {-100, "14"}, {-95, "15"}, {0, "28"}, {95, "3b"}, {100, "3c"}}) {
      model::ParameterImage image;
      ASSERT_TRUE(model::SetParameter(image, c.number, level));
      f.link.sent.clear();
      f.page.QueueItem(image, c.number, -1);
      EXPECT_EQ(f.link.sent, (std::vector<Sent>{{Stx(c.address + data), c.number}})) << c.key << " " << level;
    }
  }
}

TEST(SpeakerLevelSlider, RealTimeDragSendsOnceOnReleaseWithTheFinalValue) {
  Fixture f;
  ui::LevelSlider& sw = f.page.slider(277);
  for (int level : {5, 20, 95, 100}) sw.drag(level);
  EXPECT_TRUE(f.link.sent.empty());
  EXPECT_EQ(f.image().speakerLevel[0], 100);
  EXPECT_EQ(f.page.label(277).text(), " 10.0dB");
  sw.release();
  EXPECT_EQ(f.link.sent, (std::vector<Sent>{{Stx("2493c"), 277}, {"", 564}}));
}

TEST(SpeakerLevelSlider, AsyncDragChangesImageAndLabelOnly) {
  Fixture f(WorkingMode::Async);
  f.page.slider(270).drag(-5);
  f.page.slider(270).release();
  EXPECT_EQ(f.image().speakerLevel[7], -5);
  EXPECT_EQ(f.page.label(270).text(), " -0.5dB");
  EXPECT_TRUE(f.link.sent.empty());
}

TEST(SpeakerLevelDefault, RealTimeResetsAndSendsTheWholePageInItsOrder) {
  Fixture f;
  f.image().speakerLevel.fill(55);
  f.page.defaultButton().click();
  const std::vector<std::pair<int, int>> expected = {{268, 0},   {269, 0},   {270, -10}, {271, -10},
                                                     {272, -10}, {273, -10}, {274, -10}, {275, 0},
                                                     {276, 0},   {277, 0}};
  for (auto [number, level] : expected) {
    EXPECT_EQ(std::get<std::int32_t>(*model::GetParameter(f.image(), number)), level) << number;
  }
  EXPECT_EQ(f.page.label(270).text(), " -1.0dB");
  EXPECT_EQ(f.link.commands(),
            (std::vector<std::string>{Stx("24928"), Stx("24528"), Stx("24628"), Stx("24726"), Stx("24826"),
                                      Stx("24326"), Stx("24426"), Stx("24226"), Stx("24128"), Stx("24028")}));
  EXPECT_EQ(f.link.batchStarts(), 1);
  EXPECT_EQ(f.ui.waitCursorDepth(), 0);
}

TEST(SpeakerLevelDefault, AsyncResetsWithoutSending) {
  Fixture f(WorkingMode::Async);
  f.image().speakerLevel.fill(55);
  f.page.defaultButton().click();
  EXPECT_EQ(f.image().speakerLevel, (std::array<std::int32_t, 10>{0, 0, 0, -10, -10, -10, -10, -10, 0, 0}));
  EXPECT_TRUE(f.link.sent.empty());
}

TEST(SpeakerLevelItems, SendOrderSwDownToCtThenFlThenFrFileOrderByNumber) {
  Fixture f;
  std::vector<int> send;
  for (const auto& item : f.page.ListItems(false, pages::kAllGroups)) send.push_back(item.number);
  EXPECT_EQ(send, (std::vector<int>{277, 276, 275, 274, 273, 272, 271, 270, 268, 269}));
  std::vector<int> file;
  for (const auto& item : f.page.ListItems(true, pages::kAllGroups)) file.push_back(item.number);
  EXPECT_EQ(file, (std::vector<int>{268, 269, 270, 271, 272, 273, 274, 275, 276, 277}));
}

TEST(SpeakerLevelFile, EachChannelWritesItsLevelWithOneDecimal) {
  Fixture f;
  f.image().speakerLevel = {-100, -5, 0, 5, 100, -55, 25, -10, -5, 0};
  files::Profile profile;
  SaveItems(f.page.settings(), f.link, f.image(), profile);
  EXPECT_EQ(profile.Text(),
            "[Speaker Level]\r\nFL=-0.5dB\r\nFR=0.0dB\r\nCT=-1.0dB\r\nSL=2.5dB\r\nSR=-5.5dB\r\nSBL=10.0dB\r\n"
            "SBR=0.5dB\r\nPRL=0.0dB\r\nPRR=-0.5dB\r\nSW=-10.0dB\r\n");
}

TEST(SpeakerLevelFile, ParseAcceptsOnlyLevelsInRangeAndOnTheStep) {
  Fixture f;
  EXPECT_TRUE(f.page.settings().ParseItem(f.image(), 268, -1, "0.5dB"));
  EXPECT_EQ(f.image().speakerLevel[8], 5);
  EXPECT_TRUE(f.page.settings().ParseItem(f.image(), 268, -1, "-0.5dB"));
  EXPECT_EQ(f.image().speakerLevel[8], -5);
  for (std::string_view bad : {"1.25dB", "10.5dB", "-10.5dB", "0.3dB", "10dB", "abc", "", "dB", "5.0"}) {
    EXPECT_FALSE(f.page.settings().ParseItem(f.image(), 268, -1, bad)) << bad;
  }
  EXPECT_FALSE(f.page.settings().ParseItem(f.image(), 278, -1, "1.0dB"));
  EXPECT_EQ(f.image().speakerLevel[8], -5);
}

TEST(SpeakerLevelReport, BlankLineCaptionThenOneLinePerChannel) {
  Fixture f;
  const std::string report = ReportItems(f.page.settings(), f.link, f.image());
  EXPECT_EQ(report.substr(0, 31), "\r\n(Speaker Level)\r\nFL = 0.0dB\r\n");
  EXPECT_NE(report.find("CT = -1.0dB\r\n"), std::string::npos);
  EXPECT_TRUE(report.ends_with("SW = 0.0dB\r\n"));
}

}  // namespace
}  // namespace tw::test
