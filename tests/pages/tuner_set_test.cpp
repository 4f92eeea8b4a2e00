// Tuner Set: the frequency commands, the keys and texts, the list of one page at a time, the
// Frequency dialog, "Default" and the tuner region.

#include <gtest/gtest.h>

#include "model/tuner_presets.h"
#include "pages/tuner/tuner_set_page.h"
#include "pages/tuner_fixture.h"

namespace tw::test {
namespace {

using comm::WorkingMode;
using Fixture = TunerFixture<pages::TunerSetPage>;

constexpr int kCurrent = 436;
constexpr int kC4 = 456;

void SetText(model::ParameterImage& image, int number, std::string_view text) {
  ASSERT_TRUE(model::SetParameterText(image, number, text));
}

pages::FrequencyDialog& Dialog(Fixture& f) {
  EXPECT_EQ(f.openDialog(), &f.page.frequencyDialog());
  return f.page.frequencyDialog();
}

// The address digits of each entry: "00" for the current frequency, page and preset digits
// for A1..E8.
std::string Address(int number) {
  if (number == kCurrent) return "00";
  const int preset = number - 437;
  return {static_cast<char>('1' + preset / 8), static_cast<char>('1' + preset % 8)};
}

TEST(TunerSetCommands, EveryEntrySendsItsAddressBandDigitAndText) {
  Fixture f;
  for (int number = kCurrent; number <= 476; ++number) {
    const std::string text = number % 2 == 0 ? "000630" : "087.50";
    SetText(f.image(), number, text);
    f.link.sent.clear();
    f.page.SendItem(number);
    const std::string band = number % 2 == 0 ? "0" : "1";
    EXPECT_EQ(f.link.sent, (std::vector<Sent>{{Dc4Upper("200D0501" + Address(number) + band + text), number},
                                              {"", 564}}))
        << number;
  }
  // The cases as the receiver's manual writes them.
  SetText(f.image(), 437, "000630");
  f.link.sent.clear();
  f.page.SendItem(437);
  EXPECT_EQ(f.link.commands().front().substr(0, 18), "\x14" "200D0501110000630");
  SetText(f.image(), kC4, "090.10");
  f.link.sent.clear();
  f.page.SendItem(kC4);
  EXPECT_EQ(f.link.commands(), std::vector<std::string>{"\x14" "200D0501341090.105C\x03"});
}

TEST(TunerSetCommands, ATextThatIsNoFrequencyIsNeverSent) {
  Fixture f;
  SetText(f.image(), 440, "");
  SetText(f.image(), 441, "87.5");
  f.link.sent.clear();
  f.page.QueueItem(f.image(), 440, -1);
  f.page.QueueItem(f.image(), 441, -1);
  EXPECT_TRUE(f.link.sent.empty());
}

TEST(TunerSetItems, KeysValuesAndTheirOrders) {
  Fixture f;
  std::vector<pages::PageItem> file = f.page.ListItems(true, pages::kAllGroups);
  ASSERT_EQ(file.size(), 41u);
  for (std::size_t i = 0; i < file.size(); ++i) EXPECT_EQ(file[i], (pages::PageItem{kCurrent + static_cast<int>(i), -1}));
  const std::vector<pages::PageItem> sending = f.page.ListItems(false, pages::kAllGroups);
  ASSERT_EQ(sending.size(), 41u);
  EXPECT_EQ(sending.front().number, 437);
  EXPECT_EQ(sending[39].number, 476);
  EXPECT_EQ(sending.back().number, kCurrent) << "the current frequency goes last";

  const std::vector<std::tuple<int, std::string, std::string>> cases = {
      {kCurrent, "Current ", "FM 87.5MHz"}, {437, "PageA Preset1", "FM 87.5MHz"},
      {448, "PageB Preset4", "AM 530kHz"},  {kC4, "PageC Preset4", "FM 98.1MHz"},
      {476, "PageE Preset8", "FM 107.9MHz"}};
  for (const auto& [number, key, value] : cases) {
    const pages::ItemText text = f.page.settings().DescribeItem(f.image(), number, -1, false);
    EXPECT_EQ(text.section, "Tuner Set");
    EXPECT_EQ(text.key, key);
    EXPECT_EQ(text.value, value);
  }
  EXPECT_TRUE(f.page.settings().DescribeItem(f.image(), 477, -1, false).key.empty());
}

TEST(TunerSetItems, ParseTakesEveryDisplayFormOfSixCharactersEvenOutsideTheBand) {
  Fixture f;
  EXPECT_TRUE(f.page.settings().ParseItem(f.image(), kC4, -1, "FM 90.1MHz"));
  EXPECT_EQ(f.text(kC4), "090.10");
  EXPECT_EQ(f.page.settings().AdviceOn(f.image(), kC4, -1, f.link.settingContext()), "");
  EXPECT_TRUE(f.page.settings().ParseItem(f.image(), kCurrent, -1, "AM 1611kHz"));
  EXPECT_EQ(f.text(kCurrent), "001611");
  // Region 1 tunes AM in 10 kHz steps and FM in 0.2 MHz steps: taken, with a note.
  EXPECT_EQ(f.page.settings().AdviceOn(f.image(), kCurrent, -1, f.link.settingContext()),
            "AM 1611kHz is not in the AM band of tuner region 1 (AM10 / FM200  (USA, Canada)); the receiver "
            "may not tune it");
  EXPECT_TRUE(f.page.settings().ParseItem(f.image(), 437, -1, "FM 90.15MHz"));
  EXPECT_NE(f.page.settings().AdviceOn(f.image(), 437, -1, f.link.settingContext()).find("FM 90.15MHz is not in the FM band"), std::string::npos);
  // What gives no six-character frequency leaves the entry as it was.
  for (std::string_view bad : {"FM 90MHz", "AM 12345678kHz", "tuner", "FM 8x.5MHz", ""}) {
    EXPECT_FALSE(f.page.settings().ParseItem(f.image(), 437, -1, bad)) << bad;
    EXPECT_EQ(f.text(437), "090.15") << bad;
  }
}

TEST(TunerSetList, ThePageChoiceShowsItsEntriesInDisplayForm) {
  Fixture f;
  pages::PresetPicker& picker = f.page.picker();
  ASSERT_EQ(picker.pages.count(), 6);
  EXPECT_EQ(picker.pages.itemText(0), "Current");
  EXPECT_EQ(picker.pages.itemText(5), "PageE");
  EXPECT_EQ(picker.view.rowCount(), 1);
  EXPECT_EQ(picker.view.cell(0, 0), "Current");
  EXPECT_EQ(picker.view.cell(0, 1), "FM 87.5MHz");
  EXPECT_EQ(f.page.SelectedNumber(), kCurrent);

  ASSERT_TRUE(picker.pages.select(2));  // PageB
  ASSERT_EQ(picker.view.rowCount(), 8);
  EXPECT_EQ(picker.entries.count(), 8);
  EXPECT_EQ(picker.view.cell(0, 0), "Preset1");
  EXPECT_EQ(picker.view.cell(0, 1), "AM 630kHz");
  EXPECT_EQ(picker.view.cell(7, 1), "AM 1400kHz");
  // The list box and the list view select together.
  ASSERT_TRUE(picker.view.select(5));
  EXPECT_EQ(picker.entries.curSel(), 5);
  EXPECT_EQ(f.page.SelectedNumber(), 450);
  ASSERT_TRUE(picker.entries.select(2));
  EXPECT_EQ(picker.view.selectedRow(), 2);
  // Another page keeps the entry.
  ASSERT_TRUE(picker.pages.select(3));
  EXPECT_EQ(f.page.SelectedNumber(), 455);
  EXPECT_EQ(picker.view.cell(2, 1), "FM 95.1MHz");
}

TEST(TunerSetList, AReportChangesTheListOnlyWhenItsEntryIsShown) {
  Fixture f;
  ASSERT_TRUE(f.page.picker().pages.select(2));  // PageB: 445..452
  SetText(f.image(), 437, "090.10");             // PageA Preset1
  SetText(f.image(), kCurrent, "090.10");
  f.page.RefreshItem(437, true);
  f.page.RefreshItem(kCurrent, true);
  EXPECT_EQ(f.page.picker().view.cell(0, 1), "AM 630kHz");
  SetText(f.image(), 445, "001000");
  f.page.RefreshItem(445, true);
  EXPECT_EQ(f.page.picker().view.cell(0, 1), "AM 1000kHz");
  // The others show when their page is chosen.
  ASSERT_TRUE(f.page.picker().pages.select(1));
  EXPECT_EQ(f.page.picker().view.cell(0, 1), "FM 90.1MHz");
}

TEST(TunerSetFrequencyDialog, FmPicksAFrequencyOfTheRegionForTheSelectedPreset) {
  Fixture f;
  ASSERT_TRUE(f.page.picker().pages.select(3));  // PageC
  ASSERT_TRUE(f.page.picker().view.select(3));   // Preset4, "098.10"
  f.link.sent.clear();
  ASSERT_TRUE(f.page.fmButton().click());
  pages::FrequencyDialog& dialog = Dialog(f);
  EXPECT_EQ(f.host.dialogHost.shown.back(), "Frequency");
  ASSERT_EQ(dialog.list().rowCount(), 103);
  EXPECT_EQ(dialog.list().cell(0, 0), "FM 87.5MHz");
  EXPECT_EQ(dialog.list().selectedRow(), 53) << "the preset's own frequency is selected";
  ASSERT_TRUE(dialog.list().select(13));  // 90.1 MHz
  ASSERT_TRUE(dialog.okButton().click());
  EXPECT_EQ(f.openDialog(), nullptr);
  EXPECT_EQ(f.text(kC4), "090.10");
  EXPECT_EQ(f.link.sent, (std::vector<Sent>{{"\x14" "200D0501341090.105C\x03", kC4}, {"", 564}}));
  EXPECT_EQ(f.page.picker().view.cell(3, 1), "FM 90.1MHz");
}

TEST(TunerSetFrequencyDialog, AmOffersTheAmBandAndADoubleClickTakesTheRow) {
  Fixture f;  // Current
  ASSERT_TRUE(f.page.amButton().click());
  pages::FrequencyDialog& dialog = Dialog(f);
  ASSERT_EQ(dialog.list().rowCount(), 119);
  EXPECT_EQ(dialog.list().cell(118, 0), "AM 1710kHz");
  EXPECT_EQ(dialog.list().selectedRow(), -1) << "an FM frequency is not in the AM list";
  ASSERT_TRUE(dialog.list().activate(10));
  EXPECT_EQ(f.openDialog(), nullptr);
  EXPECT_EQ(f.text(kCurrent), "000630");
  EXPECT_EQ(f.link.commands(), std::vector<std::string>{Dc4Upper("200D0501000000630")});
}

TEST(TunerSetFrequencyDialog, CancelOrOkWithoutARowChangesNothing) {
  Fixture f;
  const model::ParameterImage before = f.image();
  ASSERT_TRUE(f.page.fmButton().click());
  ASSERT_TRUE(Dialog(f).cancelButton().click());
  ASSERT_TRUE(f.page.fmButton().click());
  Dialog(f).pressEscape();
  ASSERT_TRUE(f.page.amButton().click());  // nothing selected in the AM list
  ASSERT_TRUE(Dialog(f).okButton().click());
  EXPECT_EQ(f.openDialog(), nullptr);
  EXPECT_EQ(f.image(), before);
  EXPECT_TRUE(f.link.sent.empty());
}

TEST(TunerSetFrequencyDialog, AsyncModeStoresThePickAndSendsNothing) {
  Fixture f(WorkingMode::Async);
  ASSERT_TRUE(f.page.picker().pages.select(1));
  ASSERT_TRUE(f.page.fmButton().click());
  ASSERT_TRUE(Dialog(f).list().activate(1));
  EXPECT_EQ(f.text(437), "087.70");
  ASSERT_TRUE(f.page.picker().view.select(7));
  ASSERT_TRUE(f.page.fmButton().click());
  ASSERT_TRUE(Dialog(f).list().activate(100));
  EXPECT_EQ(f.text(444), "107.50");
  EXPECT_TRUE(f.link.sent.empty());
}

TEST(TunerSetFrequencyDialog, WithoutAMainWindowTheBandButtonsAreDisabled) {
  Fixture f(WorkingMode::RealTime, false);
  EXPECT_FALSE(f.page.amButton().isEnabled());
  EXPECT_FALSE(f.page.fmButton().click());
  EXPECT_TRUE(f.link.sent.empty());
}

TEST(TunerSetDefault, PutsBackTheRegionsPresetsAndSendsPresetsBeforeTheCurrentFrequency) {
  Fixture f;
  ASSERT_TRUE(f.page.picker().pages.select(2));
  ASSERT_TRUE(f.page.picker().view.select(6));
  for (int number = kCurrent; number <= 476; ++number) SetText(f.image(), number, "000999");
  f.link.sent.clear();
  ASSERT_TRUE(f.page.defaultButton().click());
  EXPECT_EQ(f.page.picker().entries.curSel(), 0);
  EXPECT_EQ(f.page.picker().view.cell(6, 1), "AM 1350kHz");
  const model::TunerTable& table = model::kTunerRegionTables[1];
  for (int i = 0; i < 40; ++i) EXPECT_EQ(f.text(437 + i), table[static_cast<std::size_t>(i)]) << i;
  EXPECT_EQ(f.text(kCurrent), table[40]);
  ASSERT_EQ(f.link.sent.size(), 42u);
  EXPECT_EQ(f.link.sent[0].number, 437);
  EXPECT_EQ(f.link.sent[39].number, 476);
  EXPECT_EQ(f.link.sent[40], (Sent{Dc4Upper("200D0501001087.50"), kCurrent}));
  EXPECT_EQ(f.link.sent[41], (Sent{"", 564}));

  Fixture async(WorkingMode::Async);
  SetText(async.image(), 437, "000999");
  ASSERT_TRUE(async.page.defaultButton().click());
  EXPECT_EQ(async.text(437), "087.50");
  EXPECT_TRUE(async.link.sent.empty());
}

// A new region (the Tuner Region dialog, or a receiver of another region) brings its own
// presets into the block and its own bands into the Frequency dialog.
TEST(TunerSetRegion, ANewRegionBringsItsPresetsAndBands) {
  Fixture f;
  f.link.region = 2;
  model::ResetTunerBlock(f.image(), 2);
  f.page.RefreshAll();
  ASSERT_TRUE(f.page.picker().pages.select(1));
  EXPECT_EQ(f.page.picker().view.cell(4, 1), "FM 108.0MHz");
  ASSERT_TRUE(f.page.fmButton().click());
  EXPECT_EQ(Dialog(f).list().rowCount(), 411);
  EXPECT_EQ(Dialog(f).list().selectedRow(), 0);
  ASSERT_TRUE(Dialog(f).list().activate(1));
  EXPECT_EQ(f.text(437), "087.55");
  ASSERT_TRUE(f.page.amButton().click());
  EXPECT_EQ(Dialog(f).list().cell(0, 0), "AM 531kHz");
  Dialog(f).pressEscape();
  ASSERT_TRUE(f.page.defaultButton().click());
  EXPECT_EQ(f.text(452), "001404") << "region 2's own B8";

  // A region the tool does not know offers no band.
  f.link.region = 7;
  f.page.RefreshAll();
  EXPECT_FALSE(f.page.fmButton().isEnabled());
  EXPECT_EQ(f.page.settings().AdviceOn(f.image(), 437, -1, f.link.settingContext()), "");
}

}  // namespace
}  // namespace tw::test
