// The sheet: which pages are tabs for a working mode and tuner region, and the walks of
// the download, the configuration file and the report over all nineteen pages.

#include "pages/sheet.h"
#include "settings/catalogue.h"

#include <gtest/gtest.h>

#include "pages/page_walks.h"

#include <algorithm>
#include <array>

#include "pages/fake_page_link.h"
#include "support/scripted_ui_services.h"

namespace tw::test {
namespace {

using comm::WorkingMode;

std::vector<std::string>& Calls() {
  static std::vector<std::string> calls;
  return calls;
}

// One item under the page's caption, whose reads are recorded.
class RecordingSettings final : public settings::PageSettings {
 public:
  RecordingSettings(std::string caption, int number) : PageSettings(std::move(caption)), number_(number) {}
  std::vector<settings::PageItem> ListItems(bool, const settings::SettingContext&, int) const override {
    return {{number_, -1}};
  }
  settings::ItemText DescribeItem(const model::ParameterImage&, int number, int, bool) const override {
    if (number != number_) return {};
    return {caption(), "Key", "Value"};
  }
  bool ParseItem(model::ParameterImage&, int, int, std::string_view text) const override {
    Calls().push_back("parse " + caption() + " " + std::string(text));
    return true;
  }

 private:
  int number_;
};

// A page that records the framework calls it receives and owns one item.
class RecordingPage final : public pages::BasePage {
 public:
  RecordingPage(const pages::PageContext& context, std::string caption, int number)
      : BasePage(context, caption), settings_(caption, number) {
    setSettings(settings_);
  }

  void RefreshAll() override { Calls().push_back("refresh " + caption()); }
  void RefreshItem(int number, bool update) override {
    Calls().push_back("item " + std::to_string(number) + (update ? " update" : ""));
  }
  void RestoreFocus() override { Calls().push_back("focus " + caption()); }
  void UpdateAvailability() override { Calls().push_back("availability " + caption()); }

 private:
  RecordingSettings settings_;
};

// The real sheet order with a recording page in every line.
template <std::size_t I>
std::unique_ptr<pages::BasePage> MakeRecording(const pages::PageContext& context) {
  const pages::PageDescriptor& d = pages::SheetPageDescriptors()[I];
  return std::make_unique<RecordingPage>(context, std::string(d.caption), static_cast<int>(I) + 1);
}

template <std::size_t... I>
std::array<pages::PageDescriptor, 19> RecordingDescriptors(std::index_sequence<I...>) {
  std::array<pages::PageDescriptor, 19> out{};
  ((out[I] = pages::SheetPageDescriptors()[I], out[I].create = &MakeRecording<I>), ...);
  return out;
}

const std::array<pages::PageDescriptor, 19> kRecording = RecordingDescriptors(std::make_index_sequence<19>{});

std::vector<std::string> Captions(const std::vector<pages::BasePage*>& pages) {
  std::vector<std::string> out;
  for (const pages::BasePage* page : pages) out.push_back(page->caption());
  return out;
}

const std::vector<std::string> kAllCaptions = {"Multi Zone",
                                               "DSP Parameters",
                                               "Input DSP",
                                               "Input Rename",
                                               "I/O Assign",
                                               "Speaker Level",
                                               "Speaker Distance",
                                               "Tone Control",
                                               "CONTROL OUT",
                                               "Volume Trim",
                                               "Graphic EQ",
                                               "Speaker Set",
                                               "Tuner Set",
                                               "XM Set",
                                               "Display Set",
                                               "MULTI CH",
                                               "Other",
                                               "Advanced Setup",
                                               "iPod"};

std::vector<std::string> Without(std::vector<std::string> captions, std::initializer_list<std::string> drop) {
  for (const std::string& d : drop) captions.erase(std::find(captions.begin(), captions.end(), d));
  return captions;
}

struct SheetFixture {
  SheetFixture(WorkingMode mode, int region) : link(mode), sheet({link, ui}, kRecording) {
    link.region = region;
    Calls().clear();
  }
  FakePageLink link;
  ui::ScriptedUiServices ui;
  pages::Sheet sheet;
};

TEST(SheetRegistry, NineteenPagesWithTheirCaptionsAndFamilies) {
  const auto pages = pages::SheetPageDescriptors();
  ASSERT_EQ(pages.size(), 19u);
  std::vector<std::string> captions;
  for (const auto& page : pages) captions.emplace_back(page.caption);
  EXPECT_EQ(captions, kAllCaptions);
  EXPECT_EQ(pages::FamilyOfPage("Speaker Distance"), pages::Family::Speakers);
  EXPECT_EQ(pages::FamilyOfPage("MULTI CH"), pages::Family::Inputs);
  EXPECT_EQ(pages::FamilyOfPage("iPod"), pages::Family::Sources);
  EXPECT_EQ(pages::FamilyOfPage("No Such Page"), pages::Family::System);
  EXPECT_EQ(pages::FamilyNames()[static_cast<std::size_t>(pages::Family::Zones)], "Zones");
  // The sheet and the catalogue list the same pages in the same order, shown alike.
  const auto catalogue = settings::Catalogue();
  ASSERT_EQ(catalogue.size(), pages.size());
  for (std::size_t i = 0; i < pages.size(); ++i) {
    EXPECT_EQ(catalogue[i]->caption(), pages[i].caption);
    EXPECT_EQ(catalogue[i]->presence(), pages[i].presence) << pages[i].caption;
  }
}

TEST(SheetTabs, DependOnWorkingModeAndTunerRegion) {
  struct Case {
    WorkingMode mode;
    int region;
    std::vector<std::string> tabs;
  };
  const std::vector<Case> cases = {
      {WorkingMode::Async, 1, kAllCaptions},
      {WorkingMode::Async, 0, Without(kAllCaptions, {"XM Set"})},
      {WorkingMode::Async, 2, Without(kAllCaptions, {"XM Set"})},
      {WorkingMode::RealTime, 1, Without(kAllCaptions, {"Input DSP"})},
      {WorkingMode::RealTime, 3, Without(kAllCaptions, {"Input DSP"})},
  };
  for (const Case& c : cases) {
    SheetFixture f(c.mode, c.region);
    f.sheet.Create();
    EXPECT_EQ(Captions(f.sheet.tabs()), c.tabs) << "region " << c.region;
    EXPECT_EQ(Captions(f.sheet.pages()), kAllCaptions);
  }
}

TEST(SheetTabs, CreateGivesEveryTabAWindowAndLeavesTheFirstActive) {
  SheetFixture f(WorkingMode::RealTime, 2);
  f.sheet.Create();
  for (pages::BasePage* tab : f.sheet.tabs()) EXPECT_TRUE(tab->hasWindow()) << tab->caption();
  EXPECT_FALSE(f.sheet.FindPage("Input DSP")->hasWindow());
  EXPECT_EQ(f.sheet.activePage()->caption(), "Multi Zone");
  EXPECT_EQ(std::count(Calls().begin(), Calls().end(), "refresh Multi Zone"), 2);
  EXPECT_TRUE(f.sheet.SetActivePage("Speaker Level"));
  EXPECT_FALSE(f.sheet.FindPage("Multi Zone")->isActive());
  EXPECT_FALSE(f.sheet.SetActivePage("Input DSP"));  // not a tab in Real Time Mode
  EXPECT_EQ(f.sheet.activePage()->caption(), "Speaker Level");
  EXPECT_FALSE(f.sheet.SetActivePage(99));
}

// The file and the report walk the catalogue, whatever pages a sheet holds.
TEST(SheetWalks, FileSavesXmSetOnlyInRegionOneButAlwaysLoadsIt) {
  for (int region : {1, 2}) {
    FakePageLink link(WorkingMode::Async);
    link.region = region;
    files::Profile profile;
    SheetFile(link).SavePages(*link.images.Image(0), profile);
    EXPECT_EQ(profile.HasKey("XM Set", "PageA No.1"), region == 1);
    EXPECT_TRUE(profile.HasKey("Input DSP", "CD"));
  }
  FakePageLink link(WorkingMode::Async);
  link.region = 2;
  SheetFile(link).LoadPages(*link.images.Image(0), files::Profile::Parse("[XM Set]\r\nPageA No.1=42\r\n"));
  EXPECT_EQ(link.images.Image(0)->xm.presets[0], 42);
}

TEST(SheetWalks, ReportSkipsPagesTheSheetDoesNotShowAndXmSetOutsideRegionOne) {
  for (int region : {1, 2}) {
    FakePageLink link(WorkingMode::RealTime);
    link.region = region;
    const std::string report = SheetFile(link).ReportPages(*link.images.Image(0));
    EXPECT_EQ(report.find("\r\n(XM Set)\r\n") != std::string::npos, region == 1);
    EXPECT_EQ(report.find("(Input DSP)"), std::string::npos);  // never shown in Real Time Mode
    EXPECT_EQ(report.rfind("\r\n(Multi Zone)\r\n", 0), 0u);
  }
  FakePageLink offline(WorkingMode::Async);
  EXPECT_NE(SheetFile(offline).ReportPages(*offline.images.Image(0)).find("\r\n(Input DSP)\r\n"), std::string::npos);
}

TEST(SheetRefresh, ReportedNumbersGoToTheActivePageWithTheFlagOnTheLast) {
  SheetFixture f(WorkingMode::Async, 1);
  f.sheet.Create();
  f.sheet.SetActivePage("Tone Control");
  Calls().clear();
  f.sheet.RefreshActiveItems({290, 291, 0, 292});
  EXPECT_EQ(Calls(), (std::vector<std::string>{"item 290", "item 291 update", "focus Tone Control"}));
  Calls().clear();
  f.sheet.RefreshActiveItems({1, 2, 3, 4, 5, 6, 7});
  EXPECT_EQ(Calls().size(), 6u);
  EXPECT_EQ(Calls()[4], "item 5 update");
}

TEST(SheetRefresh, RefreshAllRefreshesEveryTabThenActivatesTheActiveOne) {
  SheetFixture f(WorkingMode::Async, 2);
  f.sheet.Create();
  Calls().clear();
  f.sheet.RefreshAll();
  EXPECT_EQ(Calls().size(), 19u);  // 18 tabs and the active page once more
  EXPECT_EQ(Calls().back(), "refresh Multi Zone");
  Calls().clear();
  f.sheet.UpdateAvailability();
  EXPECT_EQ(Calls().size(), 18u);
}

TEST(SheetWalks, PagesWithoutFactoryAreAbsent) {
  std::array<pages::PageDescriptor, 19> descriptors = kRecording;
  descriptors[5].create = nullptr;  // Speaker Level not written yet
  FakePageLink link(WorkingMode::Async);
  ui::ScriptedUiServices ui;
  pages::Sheet sheet({link, ui}, descriptors);
  sheet.Create();
  EXPECT_EQ(Captions(sheet.pages()), Without(kAllCaptions, {"Speaker Level"}));
  EXPECT_EQ(sheet.FindPage("Speaker Level"), nullptr);
}

}  // namespace
}  // namespace tw::test
