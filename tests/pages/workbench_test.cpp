// The composition as a user meets it: the main form with its Basic Control group, the
// sheet, the capabilities reaching the group, the settings written at shut-down.

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <memory>

#include "app/application.h"
#include "pages/view_hooks.h"
#include "pages/workbench_fixture.h"
#include "ui/main_view.h"

namespace tw::pages::test {

using namespace ::tw::session;
namespace {

using Operation = Workbench::Operation;

bool Visible(Workbench& bench, int id) {
  ui::Control* control = bench.view().form().find(id);
  EXPECT_NE(control, nullptr) << "control " << id << " is not on the main form";
  return control != nullptr && control->isVisible();
}

TEST(Workbench, RealTimeFormShowsZonePowerAndTheVirtualReceiver) {
  BenchFixture f(app::kStartModeRealTime, {});
  ui::MainView& view = f.bench.view();
  EXPECT_EQ(view.portList().selectedText(), ui::kVirtualPortEntry);
  EXPECT_EQ(view.statusText().text(), "Not Connected (virtual receiver)");
  for (int id : {ui::view_id::kZonePowerGroup, ui::view_id::kMainPower, ui::view_id::kZone2Power,
                 ui::view_id::kZone3Power, ui::view_id::kOpen}) {
    EXPECT_TRUE(Visible(f.bench, id)) << id;
  }
  EXPECT_FALSE(Visible(f.bench, ui::view_id::kUpload));
  // The group's lists are on the form and filled.
  EXPECT_EQ(f.bench.basicControls().input.count(), 13);
  EXPECT_EQ(f.bench.basicControls().decoder.count(), 3);
}

TEST(Workbench, AsyncFormHidesZonePowerEvenAfterCapabilitiesArrive) {
  BenchFixture f(app::kStartModeAsync, {}, 1);
  for (int id : {ui::view_id::kZonePowerGroup, ui::view_id::kMainPower, ui::view_id::kZone2Power,
                 ui::view_id::kZone3Power, ui::view_id::kOpen}) {
    EXPECT_FALSE(Visible(f.bench, id)) << id;
  }
  EXPECT_TRUE(Visible(f.bench, ui::view_id::kUpload));
  // The adapter keeps them hidden if it is told about capabilities in Async Mode.
  f.bench.view().UpdateCapabilities();
  EXPECT_FALSE(Visible(f.bench, ui::view_id::kZone2Power));
  EXPECT_FALSE(Visible(f.bench, ui::view_id::kZonePowerGroup));
}

TEST(Workbench, RealTimeConnectTrimsDecoderListAndZoneBoxesToTheReceiver) {
  BenchFixture f(app::kStartModeRealTime, {"aac=0", "zone2=0", "zone3=1"});
  const auto outcome = f.run(Operation::Open);
  ASSERT_TRUE(outcome.connected);
  ui::BasicControlGroup& group = f.bench.basicControls();
  ASSERT_EQ(group.decoder.count(), 2);
  EXPECT_EQ(group.decoder.itemText(0), "Auto");
  EXPECT_EQ(group.decoder.itemText(1), "DTS");
  EXPECT_FALSE(Visible(f.bench, ui::view_id::kZone2Power));
  EXPECT_TRUE(Visible(f.bench, ui::view_id::kZone3Power));
  EXPECT_TRUE(Visible(f.bench, ui::view_id::kMainPower));

  // Closing forgets the receiver: everything is offered again.
  f.bench.view().Close();
  EXPECT_EQ(group.decoder.count(), 3);
  EXPECT_TRUE(Visible(f.bench, ui::view_id::kZone2Power));
}

TEST(Workbench, ShutdownStoresThePortChoiceInTheSettingsFile) {
  BenchFixture f(app::kStartModeRealTime, {});
  f.bench.Shutdown();
  const std::string settings = ReadFile(f.folder.path() / "tunewright.ini");
  EXPECT_NE(settings.find("Port=Virtual TQ-N4400"), std::string::npos) << settings;
  EXPECT_FALSE(f.bench.hasWindow());
  // A second shut-down (the destructor's) changes nothing.
  f.bench.Shutdown();
}

TEST(Workbench, CancelledStartModeBuildsNoWindow) {
  ScratchFolder folder;
  comm::VirtualScheduler scheduler;
  ui::ScriptedUiServices ui;
  RecordingDialogHost dialogs;
  Workbench bench({scheduler, ui, dialogs, {folder.path() / "tunewright.ini", folder.path()}, {}});
  PresetStartup cancel(app::kDialogCancel);
  std::optional<bool> windowed;
  bench.Start({}, cancel, [&](bool ok) { windowed = ok; });
  ASSERT_TRUE(windowed.has_value());
  EXPECT_FALSE(*windowed);
  EXPECT_FALSE(bench.hasWindow());
  EXPECT_FALSE(bench.Run(Operation::Open, {}));
}

TEST(Workbench, RunRefusesASecondOperationWhileOneIsRunning) {
  BenchFixture f(app::kStartModeRealTime, {});
  std::optional<Workbench::Outcome> first;
  ASSERT_TRUE(f.bench.Run(Operation::Open, [&](Workbench::Outcome o) { first = o; }));
  EXPECT_FALSE(f.bench.Run(Operation::Open, {}));
  ASSERT_TRUE(f.scheduler.runUntil([&] { return first.has_value(); }, 600000));
  EXPECT_TRUE(first->connected);
  EXPECT_EQ(first->listResult, -1);
}

// A Speaker Distance stand-in that records what the view tells it at its initial update.
class DistanceStandIn final : public BasePage, public ModeAndUnitFollower {
 public:
  explicit DistanceStandIn(const PageContext& context) : BasePage(context, "Speaker Distance") {}
  void SetModeAndUnit(bool async, int unit) override { told.push_back({async, unit}); }
  std::vector<std::pair<bool, int>> told;
};

class PlainPage final : public BasePage {
 public:
  explicit PlainPage(const PageContext& context) : BasePage(context, "Speaker Set") {}
};

constexpr std::array<PageDescriptor, 2> kStandIns = {{
    {"Speaker Distance", Presence::Always, &MakePage<DistanceStandIn>},
    {"Speaker Set", Presence::Always, &MakePage<PlainPage>},
}};

TEST(Workbench, InitialUpdateTellsSpeakerDistanceTheModeAndUnitAndRestoresTheStoredPage) {
  ScratchFolder folder;
  {
    std::ofstream ini(folder.path() / "tunewright.ini", std::ios::binary);
    ini << "[DispSet]\r\nActivePage=Speaker Set\r\n";
  }
  comm::VirtualScheduler scheduler;
  ui::ScriptedUiServices ui;
  RecordingDialogHost dialogs;
  WorkbenchSetup setup{scheduler, ui, dialogs, {folder.path() / "tunewright.ini", folder.path()}, {}};
  setup.pages = kStandIns;
  Workbench bench(setup);
  PresetStartup async(app::kStartModeAsync, 2);
  bench.Start({}, async, {});
  ASSERT_TRUE(bench.hasWindow());

  auto* distance = bench.sheet().Find<DistanceStandIn>();
  ASSERT_NE(distance, nullptr);
  // Async Mode may change the unit; the image holds the default unit (metres, 0).
  ASSERT_EQ(distance->told.size(), 1u);
  EXPECT_TRUE(distance->told[0].first);
  EXPECT_EQ(distance->told[0].second, 0);
  ASSERT_NE(bench.sheet().activePage(), nullptr);
  EXPECT_EQ(bench.sheet().activePage()->caption(), "Speaker Set");
  EXPECT_EQ(bench.link().tunerRegion(), 2);
}

TEST(Workbench, RealTimeModeTellsSpeakerDistanceItsUnitIsFixed) {
  ScratchFolder folder;
  comm::VirtualScheduler scheduler;
  ui::ScriptedUiServices ui;
  RecordingDialogHost dialogs;
  WorkbenchSetup setup{scheduler, ui, dialogs, {folder.path() / "tunewright.ini", folder.path()}, {}};
  setup.pages = kStandIns;
  Workbench bench(setup);
  PresetStartup realTime(app::kStartModeRealTime);
  bench.Start({}, realTime, {});
  auto* distance = bench.sheet().Find<DistanceStandIn>();
  ASSERT_NE(distance, nullptr);
  ASSERT_EQ(distance->told.size(), 1u);
  EXPECT_FALSE(distance->told[0].first);
  EXPECT_EQ(bench.sheet().activePage()->caption(), "Speaker Distance") << "no stored page: the first";
}

TEST(Workbench, TheTimingReportSwitchedOnHoldsTheConfigurationReportOfTheTransfersEnd) {
  BenchFixture f(app::kStartModeAsync, {}, 1);
  f.bench.app().log().setReportSwitch(true);
  const Workbench::Outcome outcome = f.run(Operation::Download);
  ASSERT_TRUE(outcome.connected);
  const std::string report = ReadFile(f.folder.path() / "ReportDownLoad.txt");
  ASSERT_EQ(report.rfind("Time :", 0), 0u) << report;
  const std::string body = report.substr(report.find("\r\n") + 2);
  EXPECT_EQ(body, f.bench.BuildReport());
  EXPECT_NE(body.find("(Speaker Level)"), std::string::npos);
}

// The receiver refused part of the write-back: what was read is kept, the settings named.
TEST(Workbench, AnUploadWhoseWriteBackFailedKeepsWhatItReadAndNamesTheSettings) {
  BenchFixture clean(app::kStartModeAsync, {"seed=4"}, 1);
  ASSERT_EQ(clean.run(Operation::Upload).listResult, 0);
  BenchFixture f(app::kStartModeAsync, {"seed=4", "guard-rows=20"}, 1);
  const Workbench::Outcome outcome = f.run(Operation::Upload);
  EXPECT_TRUE(outcome.listResult == 1 && outcome.readEverything);
  EXPECT_EQ(f.bench.link().images().All(), clean.bench.link().images().All());
  // Then where the settings read are kept for a restore without a save.
  ASSERT_EQ(f.messageTexts().size(), 2u);
  EXPECT_EQ(f.messageTexts()[1].rfind("The receiver did not take every setting written back", 0), 0u);
  EXPECT_EQ(f.messageTexts()[0].rfind("The upload read every setting and all six System Memories", 0), 0u);
  EXPECT_NE(f.messageTexts()[0].find("as it did before the upload: [DSP Parameters Hall in Munich] "),
            std::string::npos) << f.messageTexts()[0];
}

TEST(Workbench, ALogThatCannotBeWrittenIsToldOnceWithItsPathAndTheConnectionGoesOn) {
  BenchFixture f(app::kStartModeRealTime, {});
  // Something that is not a file stands where the error log goes.
  std::filesystem::create_directory(f.folder.path() / "ErrLog.txt");
  for (int connection = 0; connection < 2; ++connection) {
    EXPECT_TRUE(f.run(Operation::Open).connected);
    f.bench.view().Close();
    f.scheduler.advance(100);
  }
  std::vector<std::string> told;
  for (const std::string& text : f.messageTexts()) {
    if (text.find("cannot be written") != std::string::npos) told.push_back(text);
  }
  ASSERT_EQ(told.size(), 1u);
  EXPECT_NE(told[0].find((f.folder.path() / "ErrLog.txt").string()), std::string::npos) << told[0];
}

TEST(Workbench, TheLogFolderIsRefusedWhenOthersMayWriteToIt) {
  comm::VirtualScheduler scheduler;
  ui::ScriptedUiServices ui;
  RecordingDialogHost dialogs;
  ScratchFolder folder;
  std::filesystem::permissions(folder.path(), std::filesystem::perms::all);
  Workbench bench({scheduler, ui, dialogs, {folder.path() / "tunewright.ini", folder.path()}, {}});
  PresetStartup realTime(app::kStartModeRealTime);
  bench.Start({}, realTime, {});
  ASSERT_TRUE(bench.SelectPort(Workbench::kVirtualDevice));
  bool connected = false;
  bench.Run(Operation::Open, [&](Workbench::Outcome outcome) { connected = outcome.connected; });
  scheduler.runUntil([&] { return !bench.isRunning(); }, 600000);
  EXPECT_TRUE(connected);
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "ErrLog.txt"));
  ASSERT_EQ(ui.messages().size(), 1u);
  EXPECT_NE(ui.messages()[0].text.find("others may write"), std::string::npos) << ui.messages()[0].text;
}

}  // namespace
}  // namespace tw::pages::test
