// Every item kind of the page framework through every page operation, on a small page of
// real parameter numbers: what the user sees, what is sent and queued, what files hold.

#include <gtest/gtest.h>

#include "pages/page_walks.h"

#include "model/parameter_access.h"
#include "pages/fake_page_link.h"
#include "pages/item_page.h"
#include "pages/radio_buttons.h"
#include "support/scripted_ui_services.h"
#include "ui/controls/button.h"

namespace tw::test {
namespace {

using comm::WorkingMode;
using pages::Needs;

// A list whose entries store 1..3 (not their index).
constexpr std::array<std::string_view, 3> kScreenTexts = {"Dark", "Normal", "Bright"};
constexpr std::array<std::int32_t, 3> kScreenValues = {1, 2, 3};
constexpr std::array<std::string_view, 3> kScreenCodes = {"1", "2", "3"};
// A radio group with a hidden third button.
constexpr std::array<std::string_view, 3> kMessageTexts = {"Off", "Short", "Full"};
constexpr std::array<std::string_view, 3> kMessageCodes = {"0", "1", "2"};
// A list that loses entries with the receiver's zones.
constexpr std::array<std::string_view, 4> kTriggerTexts = {"Main", "Zone2", "Zone3", "Zone OR"};
constexpr std::array<std::string_view, 4> kTriggerCodes = {"2", "3", "1", "4"};
constexpr std::array<Needs, 4> kTriggerNeeds = {Needs::Nothing, Needs::Zone2, Needs::Zone3, Needs::BothZones};
// A check box that sends the opposite digit.
constexpr std::array<std::string_view, 2> kMuteTexts = {"Off", "On"};
constexpr std::array<std::string_view, 2> kMuteCodes = {"1", "0"};

std::string VolumeCode(std::int32_t v) { return v == -805 ? "00" : pages::Hex(v / 5 + 199, 2, pages::HexCase::Upper); }
std::string BalanceCode(std::int32_t v) { return pages::Hex(v, 2, pages::HexCase::Upper); }
std::string BandCode(std::int32_t v) { return pages::Hex((v + 75) / 5, 2, pages::HexCase::Lower); }

// A gain whose command carries another value of the block (the first band's gain here).
std::vector<std::string> GainWithPartner(const model::ParameterImage& image, int number, int) {
  const auto gain = pages::ReadValue(image, nullptr, number, -1).value_or(0);
  return {pages::MakeCommand(pages::CommandFrame::ExtendedUpper,
                             "20090331" + pages::Hex(image.tone[1], 1, pages::HexCase::Upper) +
                                 pages::Hex((gain + 60) / 5, 2, pages::HexCase::Upper))};
}

// A name, sent as eight blank-padded characters.
std::vector<std::string> NameCommand(const model::ParameterImage& image, int number, int) {
  std::string name = pages::ReadText(image, number).value_or("");
  name.resize(8, ' ');
  return {pages::MakeCommand(pages::CommandFrame::Standard, "3000" + name)};
}

constexpr std::array<std::string_view, 2> kChannelPrefixes = {"(Center) ", "(Front L) "};
constexpr pages::Records kEqRecords{2, model::GetGraphicEqValue, model::SetGraphicEqValue, kChannelPrefixes};

constexpr pages::ChoiceItem kScreen{.number = 517,
                                    .key = "On Screen",
                                    .texts = kScreenTexts,
                                    .address = "2A1",
                                    .codes = kScreenCodes,
                                    .values = kScreenValues};
constexpr pages::ChoiceItem kMessage{
    .number = 518, .key = "Short Message", .texts = kMessageTexts, .address = "2A2", .codes = kMessageCodes, .shown = 2};
constexpr pages::ChoiceItem kTrigger{.number = 307,
                                     .key = "Trigger Control",
                                     .texts = kTriggerTexts,
                                     .address = "07E3",
                                     .codes = kTriggerCodes,
                                     .entryNeeds = kTriggerNeeds};
constexpr pages::ChoiceItem kMute{.number = 19,
                                  .key = "Zone2 Volume Mute",
                                  .texts = kMuteTexts,
                                  .address = "07EA",
                                  .codes = kMuteCodes,
                                  .needs = Needs::Zone2};
constexpr pages::LevelItem kVolume{.number = 18,
                                   .key = "Zone2 Volume",
                                   .min = -805,
                                   .max = 0,
                                   .step = 5,
                                   .address = "231",
                                   .encode = VolumeCode,
                                   .format = pages::VolumeText,
                                   .needs = Needs::Zone2};
constexpr pages::LevelItem kBalance{.number = 25,
                                    .key = "Zone2 Balance",
                                    .min = 0,
                                    .max = 40,
                                    .address = "2AD",
                                    .encode = BalanceCode,
                                    .format = pages::BalanceText,
                                    .needs = Needs::Zone2};
constexpr pages::LevelItem kGain{.number = 291,
                                 .key = "Speaker Bass Gain",
                                 .min = -60,
                                 .max = 60,
                                 .step = 5,
                                 .format = pages::TenthsDbText,
                                 .label = pages::Spaced<pages::TenthsDbText>,
                                 .build = GainWithPartner};
constexpr pages::LevelItem kBand1{.number = 398,
                                  .key = "Band 1 (63Hz) Gain",
                                  .min = -60,
                                  .max = 60,
                                  .step = 5,
                                  .unit = "dB",
                                  .address = "200803012",
                                  .encode = BandCode,
                                  .frame = pages::CommandFrame::ExtendedLower,
                                  .records = &kEqRecords};
constexpr pages::LevelItem kBand2{.number = 399,
                                  .key = "Band 2 (160Hz) Gain",
                                  .min = -60,
                                  .max = 60,
                                  .step = 5,
                                  .unit = "dB",
                                  .address = "200803014",
                                  .encode = BandCode,
                                  .frame = pages::CommandFrame::ExtendedLower,
                                  .records = &kEqRecords};
constexpr pages::TextItem kName{.number = 240, .key = "PHONO", .maxLength = 8, .build = NameCommand};

class KindsPage final : public pages::ItemPage {
 public:
  explicit KindsPage(const pages::PageContext& context) : ItemPage(context, "Kinds") {
    Bind(kScreen, screen);
    Bind(kMessage, message);
    Bind(kTrigger, trigger);
    Bind(kMute, mute);
    Bind(kVolume, volume, &volumeLabel);
    Bind(kBalance, balance, &balanceLabel);
    Bind(kGain, gain, &gainLabel);
    Bind(kBand1, band1);
    Bind(kBand2, band2);
    Add(kName);
    names.setColumns({{"Input"}, {"Name"}});
    names.addRow({"PHONO", ""});
    ShowInCell(240, names, 0, 1);
    SetLayout(ui::Column({ui::Item(screen), ui::Item(message), ui::Item(trigger), ui::Item(mute),
                          ui::Row({ui::Item(volume), ui::Item(volumeLabel), ui::Item(gain), ui::Item(gainLabel)}),
                          ui::Item(balance), ui::Item(balanceLabel), ui::Row({ui::Item(band1), ui::Item(band2)}),
                          ui::Item(names)}));
  }
  int ShownRecord() const override { return record; }
  using ItemPage::ControlOf;
  using ItemPage::SendItems;

  int record = 0;
  ui::ListCombo screen{2001};
  ui::RadioGroup message{2002, "Short Message", pages::Buttons(kMessage, 2003)};
  ui::ListCombo trigger{2010};
  ui::CheckBox mute{2011, "Mute"};
  ui::LevelSlider volume{2012};
  ui::ValueLabel volumeLabel{2013};
  ui::StepSlider balance{2014};
  ui::ValueLabel balanceLabel{2015};
  ui::LevelSlider gain{2016};
  ui::ValueLabel gainLabel{2017};
  ui::LevelSlider band1{2018};
  ui::LevelSlider band2{2019};
  ui::ListView names{2020};
};

struct KindsFixture {
  explicit KindsFixture(WorkingMode mode = WorkingMode::RealTime) : link(mode), page({link, ui}) {
    page.setActive(true);
    page.OnSetActive();
    link.sent.clear();
  }
  model::ParameterImage& image() { return *link.images.Image(0); }
  std::int32_t value(int number) { return pages::ReadValue(image(), nullptr, number, -1).value_or(-999); }
  std::string text(int number, int subIndex = -1) { return page.settings().DescribeItem(image(), number, subIndex, false).value; }

  FakePageLink link;
  ui::ScriptedUiServices ui;
  KindsPage page;
};

TEST(ChoiceValues, ListEntriesStoreTheirOwnValues) {
  KindsFixture f;
  ASSERT_EQ(f.page.screen.count(), 3);
  ASSERT_TRUE(f.page.screen.select(0));
  EXPECT_EQ(f.value(517), 1);
  EXPECT_EQ(f.link.commands(), std::vector<std::string>{Stx("2A11")});
  EXPECT_EQ(f.text(517), "Dark");
  EXPECT_TRUE(f.page.settings().ParseItem(f.image(), 517, -1, "bright"));  // lists ignore letter case
  EXPECT_EQ(f.value(517), 3);
  f.page.RefreshAll();
  EXPECT_EQ(f.page.screen.selectedText(), "Bright");
  model::SetParameter(f.image(), 517, 0);  // stored by no entry: no text, no selection, nothing sent
  f.page.RefreshAll();
  EXPECT_EQ(f.page.screen.curSel(), -1);
  EXPECT_EQ(f.text(517), "");
  f.link.sent.clear();
  f.page.QueueAll(f.image());
  for (const std::string& command : f.link.commands()) EXPECT_NE(command.substr(1, 3), "2A1");
}

TEST(ChoiceValues, AHiddenButtonIsNeverClickedButStillReadWrittenAndShown) {
  KindsFixture f;
  ASSERT_EQ(f.page.message.count(), 3);
  EXPECT_FALSE(f.page.message.isButtonVisible(2));
  EXPECT_FALSE(f.page.message.click(2));
  EXPECT_TRUE(f.page.settings().ParseItem(f.image(), 518, -1, "Full"));
  EXPECT_EQ(f.text(518), "Full");
  f.page.RefreshAll();
  EXPECT_EQ(f.page.message.selected(), 2);
  f.page.QueueAll(f.image());
  EXPECT_EQ(f.link.commands()[1], Stx("2A22"));
  EXPECT_FALSE(f.page.settings().ParseItem(f.image(), 518, -1, "full"));  // radio captions compare exactly
}

TEST(ChoiceValues, ListsLoseTheEntriesTheReceiverLacksButKeepTheirMeaning) {
  KindsFixture f;
  EXPECT_EQ(f.page.trigger.count(), 4);
  f.link.caps.zone2 = 0;
  f.page.UpdateAvailability();
  ASSERT_EQ(f.page.trigger.count(), 2);
  EXPECT_EQ(f.page.trigger.itemText(1), "Zone3");
  ASSERT_TRUE(f.page.trigger.select(1));
  EXPECT_EQ(f.value(307), 2);  // Zone3 stays Zone3 in the image
  EXPECT_EQ(f.link.commands(), std::vector<std::string>{Stx("07E31")});
  EXPECT_EQ(f.text(307), "Zone3");
  EXPECT_TRUE(f.page.settings().ParseItem(f.image(), 307, -1, "Zone OR"));  // files keep every value
}

TEST(CheckBoxItem, ClickStoresTheEntryAndSendsItsCode) {
  KindsFixture f;
  ASSERT_TRUE(f.page.mute.click());
  EXPECT_EQ(f.value(19), 1);
  EXPECT_EQ(f.link.commands(), std::vector<std::string>{Stx("07EA0")});
  EXPECT_EQ(f.text(19), "On");
  EXPECT_TRUE(f.page.settings().ParseItem(f.image(), 19, -1, "Off"));
  f.page.RefreshAll();
  EXPECT_EQ(f.page.mute.checked(), 0);
}

TEST(LevelFormats, LabelsFilesAndCommandsFollowTheItemsFormatter) {
  KindsFixture f;
  ASSERT_TRUE(f.page.volume.drag(-805));
  EXPECT_EQ(f.page.volumeLabel.text(), "Mute");
  ASSERT_TRUE(f.page.volume.release());
  EXPECT_EQ(f.link.commands(), std::vector<std::string>{Stx("23100")});
  EXPECT_EQ(f.text(18), "Mute");
  ASSERT_TRUE(f.page.balance.drag(15));
  EXPECT_EQ(f.page.balanceLabel.text(), "L5");
  EXPECT_EQ(f.value(25), 15);
  ASSERT_TRUE(f.page.gain.drag(-15));
  EXPECT_EQ(f.page.gainLabel.text(), " -1.5dB");
  EXPECT_EQ(f.text(291), "-1.5dB");
}

TEST(LevelFormats, OnlyTheTextsAnItemWritesAreReadBack) {
  KindsFixture f;
  struct Case {
    int number;
    std::string_view text;
    bool accepted;
  };
  const Case cases[] = {
      {18, "Mute", true},    {18, "-30.0dB", true}, {18, "-30dB", false},  {18, "mute", false},
      {18, "0.5dB", false},  {25, "Mid", true},     {25, "R20", true},     {25, "R21", false},
      {25, "L0", false},     {291, "-0.5dB", true}, {291, "6.0dB", true},  {291, "10dB", false},
      {291, "6.5dB", false}, {291, "1.25dB", false}, {291, "+1.0dB", false}, {291, "", false},
      {398, "-6.0dB", true}, {398, "-0.3dB", false}, {398, "1.0 dB", false},
  };
  for (const Case& c : cases) {
    const model::ParameterImage before = f.image();
    EXPECT_EQ(f.page.settings().ParseItem(f.image(), c.number, 0, c.text), c.accepted) << c.number << " " << c.text;
    if (c.accepted) {
      EXPECT_EQ(f.text(c.number, 0), c.text);
    } else {
      EXPECT_EQ(f.image(), before) << c.text;
    }
  }
}

TEST(BlockBuilders, ACommandCarriesOtherValuesOfTheBlock) {
  KindsFixture f;
  f.image().tone[1] = 2;
  ASSERT_TRUE(f.page.gain.drag(30));
  ASSERT_TRUE(f.page.gain.release());
  EXPECT_EQ(f.link.commands(), std::vector<std::string>{pages::MakeCommand(pages::CommandFrame::ExtendedUpper, "20090331212")});
}

TEST(Records, ControlsShowTheShownRecordAndFilesListEveryRecord) {
  KindsFixture f;
  f.page.record = 1;
  f.page.RefreshAll();
  ASSERT_TRUE(f.page.band1.drag(-60));
  ASSERT_TRUE(f.page.band1.release());
  EXPECT_EQ(f.image().graphicEq[1].bands[0], -60);
  EXPECT_EQ(f.image().graphicEq[0].bands[0], 0);
  EXPECT_EQ(f.link.commands(), std::vector<std::string>{pages::MakeCommand(pages::CommandFrame::ExtendedLower, "20080301203")});

  std::vector<pages::PageItem> eq;
  for (const pages::PageItem& item : f.page.ListItems(true, pages::kAllGroups)) {
    if (item.number == 398 || item.number == 399) eq.push_back(item);
  }
  EXPECT_EQ(eq, (std::vector<pages::PageItem>{{398, 0}, {399, 0}, {398, 1}, {399, 1}}));  // record by record
  EXPECT_EQ(f.page.settings().DescribeItem(f.image(), 398, 1, false).key, "(Front L) Band 1 (63Hz) Gain");
  EXPECT_EQ(f.text(398, 1), "-6.0dB");

  f.link.sent.clear();
  f.page.QueueAll(f.image());
  int bands = 0;
  for (const std::string& command : f.link.commands()) bands += command.find("20080301") != std::string::npos;
  EXPECT_EQ(bands, 4);
  EXPECT_TRUE(f.page.settings().ParseItem(f.image(), 399, 1, "1.5dB"));
  EXPECT_EQ(f.image().graphicEq[1].bands[1], 15);
}

TEST(TextItems, NamesNeverFallBackAndRefuseWhatTheLineCannotCarry) {
  KindsFixture f;
  EXPECT_TRUE(f.page.settings().ParseItem(f.image(), 240, -1, "Turntbl "));
  EXPECT_EQ(f.text(240), "Turntbl ");
  f.page.RefreshAll();
  EXPECT_EQ(f.page.names.cell(0, 1), "Turntbl ");
  for (std::string_view bad : {"Ninechars", "Caf\xc3\xa9", "a\tb"}) {
    EXPECT_FALSE(f.page.settings().ParseItem(f.image(), 240, -1, bad)) << bad;
  }
  EXPECT_EQ(f.text(240), "Turntbl ");
  f.page.QueueItem(f.image(), 240, -1);
  EXPECT_EQ(f.link.commands(), std::vector<std::string>{Stx("3000Turntbl ")});
}

TEST(Availability, AnItemTheReceiverLacksIsDisabledNeverSentOrQueuedButFiled) {
  KindsFixture f;
  f.link.caps.zone2 = 0;
  f.page.UpdateAvailability();
  EXPECT_FALSE(f.page.volume.isEnabled());
  EXPECT_FALSE(f.page.volumeLabel.isEnabled());
  EXPECT_FALSE(f.page.mute.isEnabled());
  EXPECT_TRUE(f.page.gain.isEnabled());
  EXPECT_FALSE(f.page.IsItemAvailable(25));
  EXPECT_TRUE(f.page.IsItemAvailable(291));

  f.page.SendItem(18);
  f.page.QueueItem(f.image(), 19, -1);
  EXPECT_TRUE(f.link.sent.empty());
  f.page.QueueAll(f.image());  // what a download asks of the page
  for (const std::string& command : f.link.commands()) {
    for (std::string_view zone2 : {"231", "2AD", "07EA"}) EXPECT_NE(command.substr(1, zone2.size()), zone2);
  }
  int bands = 0;
  for (const std::string& command : f.link.commands()) bands += command.find("20080301") != std::string::npos;
  EXPECT_EQ(bands, 4);
  model::SetParameter(f.image(), 18, -800);
  files::Profile profile;
  SaveItems(f.page.settings(), f.link, f.image(), profile);
  EXPECT_EQ(profile.GetString("Kinds", "Zone2 Volume", "?"), "-80.0dB");

  f.link.caps.zone2 = 1;
  f.page.UpdateAvailability();
  EXPECT_TRUE(f.page.volume.isEnabled());
}

TEST(Availability, APartialResetSendsOnlyWhatTheReceiverHas) {
  KindsFixture f;
  f.link.caps.zone2 = 0;
  const std::vector<pages::PageItem> flat = {{18, -1}, {291, -1}};
  f.page.SendItems(flat);
  ASSERT_EQ(f.link.sent.size(), 2u);
  EXPECT_EQ(f.link.sent[0].number, 291);
  EXPECT_EQ(f.link.batchStarts(), 1);
  KindsFixture async(WorkingMode::Async);
  async.page.SendItems(flat);
  EXPECT_TRUE(async.link.sent.empty());
}

TEST(AsyncMode, EditsOfEveryKindAreStoredAndNothingIsSent) {
  KindsFixture f(WorkingMode::Async);
  ASSERT_TRUE(f.page.screen.select(2));
  ASSERT_TRUE(f.page.mute.click());
  ASSERT_TRUE(f.page.balance.drag(30));
  ASSERT_TRUE(f.page.balance.release());
  EXPECT_EQ(f.value(517), 3);
  EXPECT_EQ(f.value(19), 1);
  EXPECT_EQ(f.value(25), 30);
  EXPECT_TRUE(f.link.sent.empty());
}

}  // namespace
}  // namespace tw::test
