// The sheet and the Basic Control group as the main view drives them, over stand-in pages:
// the error log's names come from any page of the sheet, and the group reaches the pages it
// must tell.

#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "comm/link.h"
#include "comm/virtual_scheduler.h"
#include "emu/emulator_port.h"
#include "pages/test_page.h"
#include "pages/sheet.h"
#include "pages/view_hooks.h"
#include "support/scripted_ui_services.h"

namespace tw::pages::test {

namespace {

// A page that counts what the view asks of it; the DSP Parameters stand-in follows the program.
class CountingPage : public BasePage, public ProgramFollower {
 public:
  CountingPage(const PageContext& context, std::string caption) : BasePage(context, std::move(caption)) {}
  void RefreshAll() override { ++refreshAll; }
  void RefreshItem(int number, bool update) override { refreshed.push_back({number, update}); }
  void SetCurrentProgram(int program) override { programs.push_back(program); }

  int refreshAll = 0;
  std::vector<std::pair<int, bool>> refreshed;
  std::vector<int> programs;
};

template <const char* Caption>
std::unique_ptr<BasePage> MakeCounting(const PageContext& context) {
  return std::make_unique<CountingPage>(context, Caption);
}

constexpr char kDsp[] = "DSP Parameters";
constexpr char kInputDsp[] = "Input DSP";
constexpr char kSpeakerSet[] = "Speaker Set";

constexpr std::array<PageDescriptor, 4> kPages = {{
    {kDsp, Presence::Always, &MakeCounting<kDsp>},
    {kInputDsp, Presence::AsyncOnly, &MakeCounting<kInputDsp>},
    {"Test Page", Presence::AsyncOnly, &MakePage<tw::test::TestPage>},
    {kSpeakerSet, Presence::Always, &MakeCounting<kSpeakerSet>},
}};

struct AdapterFixture {
  explicit AdapterFixture(comm::WorkingMode mode)
      : port(scheduler, emu::EmulatorConfig{}),
        link(port, scheduler, mode),
        pageLink(link),
        sheet(PageContext{pageLink, ui, 0}, kPages),
        group(pageLink, ui, &sheet) {
    sheet.Create();
    group.FillBasicControls();
  }
  CountingPage& page(std::string_view caption) { return dynamic_cast<CountingPage&>(*sheet.FindPage(caption)); }

  comm::VirtualScheduler scheduler;
  emu::EmulatorPort port;
  comm::Link link;
  ui::ScriptedUiServices ui;
  ui::CommPageLink pageLink;
  Sheet sheet;
  ui::BasicControlGroup group;
};

TEST(SheetAsViewed, ErrorLogNamesComeFromAnyPageOfTheSheetTabOrNot) {
  AdapterFixture f(comm::WorkingMode::RealTime);
  // In Real Time Mode the test page has no tab, but a download would still send it.
  ASSERT_EQ(f.sheet.pageCount(), 2);
  EXPECT_EQ(f.sheet.DescribeItem(f.link.imageInUse(), 427, ""), (ui::ItemName{"Test Page", "Front"}));
  EXPECT_EQ(f.sheet.DescribeItem(f.link.imageInUse(), 268, ""), (ui::ItemName{"Test Page", "FL"}));
  EXPECT_EQ(f.sheet.DescribeItem(f.link.imageInUse(), 600, ""), std::nullopt);
  EXPECT_EQ(f.group.DescribeBasicItem(f.link.imageInUse(), 9), (ui::ItemName{"Basic Control", "Main Volume"}));
  // Command-only numbers have no name.
  EXPECT_EQ(f.group.DescribeBasicItem(f.link.imageInUse(), 5), std::nullopt);
}

TEST(SheetAsViewed, SheetCountsTabsOnlyAndReportsActivation) {
  AdapterFixture f(comm::WorkingMode::Async);
  ASSERT_EQ(f.sheet.pageCount(), 4);
  EXPECT_EQ(f.sheet.pageCaption(2), "Test Page");
  EXPECT_EQ(f.sheet.pageCaption(4), "");
  std::vector<int> changes;
  f.sheet.onActiveChanged = [&](int index) { changes.push_back(index); };
  f.sheet.setActive(3);
  f.sheet.setActive(7);
  EXPECT_EQ(f.sheet.activeIndex(), 3);
  EXPECT_EQ(changes, std::vector<int>{3});
}

TEST(SheetAsViewed, NightModeRefreshesTheSpeakerSetPage) {
  AdapterFixture f(comm::WorkingMode::Async);
  const int before = f.page(kSpeakerSet).refreshAll;
  f.group.nightMode.select(1);
  EXPECT_EQ(f.page(kSpeakerSet).refreshAll, before + 1);
}

TEST(SheetAsViewed, RealTimeProgramChoiceReachesDspParameters) {
  AdapterFixture f(comm::WorkingMode::RealTime);
  f.group.program.select(11);
  ASSERT_FALSE(f.page(kDsp).programs.empty());
  EXPECT_EQ(f.page(kDsp).programs.back(), 11);
}

TEST(SheetAsViewed, AsyncProgramChoiceRefreshesTheInputDspRowOfTheCurrentInput) {
  AdapterFixture f(comm::WorkingMode::Async);
  f.group.input.select(3);
  f.group.program.select(6);
  ASSERT_FALSE(f.page(kInputDsp).refreshed.empty());
  EXPECT_EQ(f.page(kInputDsp).refreshed.back(), (std::pair<int, bool>{212 + 2 * 3, true}));
  EXPECT_TRUE(f.page(kDsp).programs.empty()) << "Async Mode leaves DSP Parameters to its own combo";
}

}  // namespace
}  // namespace tw::pages::test
