// iPod: the settings' radio groups and commands, the dock operations, and the play and list
// information as the receiver reports them.

#include <gtest/gtest.h>

#include "pages/tuner/ipod_page.h"
#include "pages/tuner_fixture.h"

namespace tw::test {
namespace {

using comm::WorkingMode;
using Fixture = TunerFixture<pages::IpodPage>;

TEST(IpodSettings, EveryButtonSendsItsValueDigit) {
  struct Case {
    int number;
    std::string key;
    std::vector<int> buttonIds;
    std::vector<std::string> texts;
    std::vector<std::string> frames;
  };
  const std::vector<Case> cases = {
      {548, "Standby Charge", {1355, 1354}, {"Off", "Auto"}, {Stx("29600"), Stx("29601")}},
      {549, "Repeat", {1356, 1357, 1358}, {"Off", "One", "All"}, {Stx("29700"), Stx("29701"), Stx("29702")}},
      {550, "Shaffle", {1359, 1360, 1361}, {"Off", "Songs", "Albums"}, {Stx("29800"), Stx("29801"), Stx("29802")}},
      {551, "PlayInformation Output Setting", {1352, 1353}, {"Off", "On"},
       {Dc4Upper("2006004100"), Dc4Upper("2006004101")}},
      {552, "ListInformation Output Setting", {1362, 1363}, {"Off", "On"},
       {Dc4Upper("2006005100"), Dc4Upper("2006005101")}},
  };
  Fixture f;
  for (const Case& c : cases) {
    ui::RadioGroup& group = f.page.group(c.number);
    ASSERT_EQ(group.count(), static_cast<int>(c.texts.size())) << c.number;
    for (int i = 0; i < group.count(); ++i) {
      const auto at = static_cast<std::size_t>(i);
      EXPECT_EQ(group.buttons()[at].id, c.buttonIds[at]);
      EXPECT_EQ(group.buttonText(i), c.texts[at]);
      f.link.sent.clear();
      ASSERT_TRUE(group.click(i));
      EXPECT_EQ(f.link.sent, (std::vector<Sent>{{c.frames[at], c.number}, {"", 564}})) << c.number << " " << i;
      // Each key shows its own setting's value.
      const pages::ItemText text = f.page.settings().DescribeItem(f.image(), c.number, -1, false);
      EXPECT_EQ(text.key, c.key);
      EXPECT_EQ(text.value, c.texts[at]);
    }
  }
  EXPECT_EQ(f.page.ListItems(true, pages::kAllGroups),
            (std::vector<pages::PageItem>{{548, -1}, {549, -1}, {550, -1}, {551, -1}, {552, -1}}));
}

TEST(IpodSettings, FileTextsAreTheButtonCaptionsAndNothingElse) {
  Fixture f;
  EXPECT_EQ(f.page.settings().DescribeItem(f.image(), 548, -1, false).value, "Auto") << "factory value";
  EXPECT_TRUE(f.page.settings().ParseItem(f.image(), 550, -1, "Albums"));
  EXPECT_EQ(f.value(550), 2);
  for (std::string_view bad : {"albums", "Shuffle", "2", ""}) {
    EXPECT_FALSE(f.page.settings().ParseItem(f.image(), 550, -1, bad)) << bad;
    EXPECT_EQ(f.value(550), 2);
  }
  f.page.RefreshAll();
  EXPECT_EQ(f.page.group(550).selected(), 2);
}

TEST(IpodDock, EachButtonSendsItsOperationInRealTimeModeOnly) {
  const std::vector<std::pair<std::string, std::string>> operations = {
      {"Play", "EE1"}, {"Stop", "DE2"}, {"Rew", "7E8"}, {"FF", "8E7"}, {"Pause", "AE5"}, {"-", "BE4"}, {"+", "CE3"}};
  Fixture f;
  Fixture async(WorkingMode::Async);
  for (int i = 0; i < 7; ++i) {
    const auto& [caption, code] = operations[static_cast<std::size_t>(i)];
    EXPECT_EQ(f.page.dockButton(i).text(), caption);
    f.link.sent.clear();
    ASSERT_TRUE(f.page.dockButton(i).click()) << caption;
    EXPECT_EQ(f.link.sent, (std::vector<Sent>{{Stx("0F7F011" + code), 553}, {"", 564}})) << caption;

    EXPECT_FALSE(async.page.dockButton(i).click()) << "no dock operations in Async Mode";
    async.page.Dock(i);
  }
  EXPECT_EQ(f.page.dockButton(1).id(), 1347);
  EXPECT_TRUE(async.link.sent.empty());
  // A download or a file never carries a dock operation.
  f.link.sent.clear();
  f.page.QueueAll(f.image());
  EXPECT_EQ(f.link.commands().size(), 5u);
}

// 120 characters: title 40, then artist, album, channel and category, 20 each.
std::string PlayInfo(const std::vector<std::string>& fields) {
  const std::vector<std::size_t> widths = {40, 20, 20, 20, 20};
  std::string text;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    std::string field = fields[i];
    field.resize(widths[i], ' ');
    text += field;
  }
  return text;
}

TEST(IpodInformation, ThePlayTextIsSplitIntoItsFiveFields) {
  Fixture f;
  const std::string text = PlayInfo({"A Title That Is Exactly Forty Characters", "Artist", "Album",
                                     "Channel 12", "Jazz"});
  ASSERT_EQ(text.size(), 120u);
  ASSERT_TRUE(model::SetParameterText(f.image(), 554, text));
  f.page.RefreshItem(554, true);
  EXPECT_EQ(f.page.playField(0).text(), "A Title That Is Exactly Forty Characters");
  // The blanks that pad each field are not part of it.
  EXPECT_EQ(f.page.playField(1).text(), "Artist");
  EXPECT_EQ(f.page.playField(2).text(), "Album");
  EXPECT_EQ(f.page.playField(3).text(), "Channel 12");
  EXPECT_EQ(f.page.playField(4).text(), "Jazz");
  EXPECT_TRUE(f.page.playField(0).isReadOnly());

  // A short report fills what it has.
  ASSERT_TRUE(model::SetParameterText(f.image(), 554, "Short"));
  f.page.RefreshItem(554, true);
  EXPECT_EQ(f.page.playField(0).text(), "Short");
  EXPECT_EQ(f.page.playField(1).text(), "");
}

TEST(IpodInformation, TheListTextMarksItsCursorLine) {
  Fixture f;
  std::string text = "2";
  for (const char* line : {"First", "Second", "Third", "Fourth"}) {
    std::string padded = line;
    padded.resize(20, ' ');
    text += padded;
  }
  ASSERT_TRUE(model::SetParameterText(f.image(), 555, text));
  f.page.RefreshItem(555, true);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(f.page.cursorMark(i).text(), i == 2 ? ">" : "") << i;
  EXPECT_EQ(f.page.listLine(0).text(), "First");
  EXPECT_EQ(f.page.listLine(3).text(), "Fourth");

  text[0] = '7';  // no line of the four
  ASSERT_TRUE(model::SetParameterText(f.image(), 555, text));
  f.page.RefreshItem(555, true);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(f.page.cursorMark(i).text(), "") << i;
}

TEST(IpodInformation, BytesOutsidePrintableAsciiAreShownAsQuestionMarks) {
  Fixture f;
  ASSERT_TRUE(model::SetParameterText(f.image(), 554, "Caf\xe9\x1b[2J\x7f" "Bell\x07"));
  ASSERT_TRUE(model::SetParameterText(f.image(), 555, "0\x01line\r\n"));
  f.page.RefreshAll();
  EXPECT_EQ(f.page.playField(0).text(), "Caf??[2J?Bell?");
  EXPECT_EQ(f.page.listLine(0).text(), "?line??");
  EXPECT_EQ(f.page.cursorMark(0).text(), ">");
}

TEST(IpodInformation, AnInactivePageCatchesUpWhenItIsShown) {
  Fixture f;
  f.page.setActive(false);
  ASSERT_TRUE(model::SetParameterText(f.image(), 554, "Later"));
  f.page.RefreshItem(554, true);
  EXPECT_EQ(f.page.playField(0).text(), "");
  f.page.setActive(true);
  f.page.OnSetActive();
  EXPECT_EQ(f.page.playField(0).text(), "Later");
}

}  // namespace
}  // namespace tw::test
