// XM Set: the station commands, keys and texts, the number box, the XM capability and
// "Default".

#include <gtest/gtest.h>

#include "pages/tuner/xm_set_page.h"
#include "pages/tuner_fixture.h"

namespace tw::test {
namespace {

using comm::WorkingMode;
using Fixture = TunerFixture<pages::XmSetPage>;

constexpr int kFirst = 477;
constexpr int kE8 = 516;

TEST(XmSetCommands, EveryPresetSendsItsPageAndPresetDigitsAndTheStationInHex) {
  Fixture f;
  for (int number = kFirst; number <= kE8; ++number) {
    const int preset = number - kFirst;
    const int station = (preset * 37) % 256;
    ASSERT_TRUE(model::SetParameter(f.image(), number, station));
    f.link.sent.clear();
    f.page.SendItem(number);
    char body[32];  // room for any int, so that the compiler sees nothing cut
    std::snprintf(body, sizeof body, "20080511%d%d%02X", preset / 8 + 1, preset % 8 + 1, station);
    EXPECT_EQ(f.link.sent, (std::vector<Sent>{{Dc4Upper(body), number}, {"", 564}})) << number;
  }
  ASSERT_TRUE(model::SetParameter(f.image(), kE8, 255));
  f.link.sent.clear();
  f.page.SendItem(kE8);
  EXPECT_EQ(f.link.commands().front().substr(0, 13), "\x14" "2008051158FF");
}

TEST(XmSetItems, KeysAndDecimalTextsAndOnlyStationsAreRead) {
  Fixture f;
  const auto items = f.page.ListItems(true, pages::kAllGroups);
  ASSERT_EQ(items.size(), 40u);
  const std::vector<std::pair<int, std::string>> keys = {
      {477, "PageA No.1"}, {484, "PageA No.8"}, {485, "PageB No.1"}, {516, "PageE No.8"}};
  for (const auto& [number, key] : keys) {
    const pages::ItemText text = f.page.settings().DescribeItem(f.image(), number, -1, false);
    EXPECT_EQ(text.section, "XM Set");
    EXPECT_EQ(text.key, key);
    EXPECT_EQ(text.value, "1");
  }
  for (const auto& [text, value] : std::vector<std::pair<std::string, int>>{{"0", 0}, {"255", 255}, {"42", 42}}) {
    EXPECT_TRUE(f.page.settings().ParseItem(f.image(), 480, -1, text)) << text;
    EXPECT_EQ(f.value(480), value);
  }
  for (std::string_view bad : {"256", "-1", "1.5", "x", " 5", "5 ", "", "99999999999"}) {
    EXPECT_FALSE(f.page.settings().ParseItem(f.image(), 480, -1, bad)) << bad;
    EXPECT_EQ(f.value(480), 42) << bad;
  }
}

TEST(XmSetNumberBox, EnterStoresANumberFrom0To255InTheSelectedPresetAndSendsIt) {
  Fixture f;
  pages::PresetPicker& picker = f.page.picker();
  ASSERT_EQ(picker.pages.count(), 5);
  EXPECT_EQ(picker.pages.itemText(0), "PageA");
  ASSERT_TRUE(picker.pages.select(4));
  ASSERT_TRUE(picker.view.select(7));
  EXPECT_EQ(f.page.SelectedNumber(), kE8);
  EXPECT_EQ(f.page.numberEdit().text(), "1") << "the box shows the selected station";
  ASSERT_TRUE(f.page.numberEdit().type("255"));
  f.link.sent.clear();
  ASSERT_TRUE(f.page.enterButton().click());
  EXPECT_EQ(f.value(kE8), 255);
  EXPECT_EQ(picker.view.cell(7, 1), "255");
  EXPECT_EQ(f.link.sent, (std::vector<Sent>{{Dc4Upper("2008051158FF"), kE8}, {"", 564}}));

  for (std::string_view bad : {"256", "-1", "abc", "", "2 5"}) {
    f.link.sent.clear();
    f.page.numberEdit().type(std::string(bad));
    ASSERT_TRUE(f.page.enterButton().click());
    EXPECT_EQ(f.value(kE8), 255) << bad;
    EXPECT_TRUE(f.link.sent.empty()) << bad;
  }
  EXPECT_EQ(f.page.numberEdit().maxLength(), 3u);
}

TEST(XmSetNumberBox, AsyncModeStoresAndSendsNothing) {
  Fixture f(WorkingMode::Async);
  ASSERT_TRUE(f.page.picker().entries.select(2));
  ASSERT_TRUE(f.page.numberEdit().type("0"));
  ASSERT_TRUE(f.page.enterButton().click());
  EXPECT_EQ(f.value(479), 0);
  EXPECT_TRUE(f.link.sent.empty());
}

TEST(XmSetCapability, WithoutXmThePresetsCannotBeEditedOrSentButAreStillFiled) {
  Fixture f;
  f.link.caps.xm = 0;
  f.page.UpdateAvailability();
  pages::PresetPicker& picker = f.page.picker();
  for (ui::Control* control : std::vector<ui::Control*>{&picker.pages, &picker.entries, &f.page.numberEdit(),
                                                        &f.page.enterButton()}) {
    EXPECT_FALSE(control->isEnabled()) << control->id();
  }
  EXPECT_FALSE(picker.view.isVisible());
  EXPECT_TRUE(f.page.defaultButton().isEnabled());
  f.page.QueueAll(f.image());
  f.page.SendItem(kFirst);
  ASSERT_TRUE(f.page.defaultButton().click());
  EXPECT_EQ(f.link.commands(), std::vector<std::string>{}) << "nothing for a receiver without XM";
  EXPECT_EQ(f.page.settings().DescribeItem(f.image(), kFirst, -1, false).key, "PageA No.1");

  f.link.caps.xm = 1;
  f.page.UpdateAvailability();
  EXPECT_TRUE(picker.entries.isEnabled());
  EXPECT_TRUE(picker.view.isVisible());
}

TEST(XmSetDefault, EveryPresetBackToOneAndTheSelectionToTheFirst) {
  Fixture f;
  for (int number = kFirst; number <= kE8; ++number) ASSERT_TRUE(model::SetParameter(f.image(), number, 9));
  ASSERT_TRUE(f.page.picker().pages.select(3));
  ASSERT_TRUE(f.page.picker().view.select(5));
  f.link.sent.clear();
  ASSERT_TRUE(f.page.defaultButton().click());
  for (int number = kFirst; number <= kE8; ++number) EXPECT_EQ(f.value(number), 1) << number;
  EXPECT_EQ(f.page.SelectedNumber(), kFirst);
  EXPECT_EQ(f.page.picker().view.cell(0, 1), "1");
  ASSERT_EQ(f.link.sent.size(), 41u);
  EXPECT_EQ(f.link.sent.front(), (Sent{Dc4Upper("200805111101"), kFirst}));
  EXPECT_EQ(f.link.sent.back(), (Sent{"", 564}));
}

TEST(XmSetList, AReportChangesTheListOnlyWhenItsPresetIsShown) {
  Fixture f;
  ASSERT_TRUE(model::SetParameter(f.image(), 486, 77));  // PageB No.2
  f.page.RefreshItem(486, true);
  EXPECT_EQ(f.page.picker().view.cell(1, 1), "1");
  ASSERT_TRUE(model::SetParameter(f.image(), 477, 12));  // PageA No.1, selected
  f.page.RefreshItem(477, true);
  EXPECT_EQ(f.page.picker().view.cell(0, 1), "12");
  EXPECT_EQ(f.page.numberEdit().text(), "12");
  ASSERT_TRUE(f.page.picker().pages.select(1));
  EXPECT_EQ(f.page.picker().view.cell(1, 1), "77");
}

}  // namespace
}  // namespace tw::test
