// Tuner Set, XM Set and iPod in the whole program against the in-process virtual receiver:
// Real Time edits reach the receiver, the dock reports what it plays, and an upload, a file
// and a download carry the three pages from one receiver to another. What the receiver
// holds is read from its own state, never through the tool's decoder.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "app/application.h"
#include "emu/row_families.h"
#include "model/command_table.h"
#include "model/parameter_access.h"
#include "pages/receiver_state.h"
#include "pages/tuner/ipod_page.h"
#include "pages/tuner/tuner_set_page.h"
#include "pages/tuner/xm_set_page.h"
#include "pages/workbench_fixture.h"

namespace tw::pages::test {

using namespace ::tw::session;
namespace {

using Operation = Workbench::Operation;

// The value the receiver holds for the read request `request` (DC4 body).
std::string RowValue(const emu::VirtualReceiver& receiver, std::string_view request) {
  const std::string text = "\x14" + std::string(request);
  for (int row = 0; row < model::kRowCount; ++row) {
    const char* rowRequest = model::kCommandTable[static_cast<std::size_t>(row)].request;
    if (rowRequest != nullptr && text == rowRequest) return receiver.rowValue(row);
  }
  ADD_FAILURE() << "no row reads " << request;
  return {};
}

template <class Page>
Page& Show(BenchFixture& f) {
  Page* page = f.bench.sheet().Find<Page>();
  EXPECT_NE(page, nullptr);
  EXPECT_TRUE(f.bench.sheet().SetActivePage(page->caption()));
  return *page;
}

TEST(TunerOnReceiver, RealTimeEditsOfTheThreePagesReachTheReceiver) {
  BenchFixture f(app::kStartModeRealTime, {});
  ASSERT_TRUE(f.run(Operation::Open).connected);

  auto& tuner = Show<TunerSetPage>(f);
  ASSERT_TRUE(tuner.picker().pages.select(3));  // PageC
  ASSERT_TRUE(tuner.picker().view.select(3));   // Preset4
  ASSERT_TRUE(tuner.fmButton().click());
  ASSERT_EQ(f.dialogs.top(), &tuner.frequencyDialog());
  ASSERT_TRUE(tuner.frequencyDialog().list().select(13));
  ASSERT_TRUE(tuner.frequencyDialog().okButton().click());
  f.scheduler.advance(BenchFixture::kSettleMs);
  EXPECT_EQ(RowValue(f.receiver(), "2006050034"), "1090.10");

  auto& xm = Show<XmSetPage>(f);
  ASSERT_TRUE(xm.picker().pages.select(4));
  ASSERT_TRUE(xm.picker().view.select(7));
  ASSERT_TRUE(xm.numberEdit().type("255"));
  ASSERT_TRUE(xm.enterButton().click());
  f.scheduler.advance(BenchFixture::kSettleMs);
  EXPECT_EQ(RowValue(f.receiver(), "2006051058"), "FF");

  auto& ipod = Show<IpodPage>(f);
  ASSERT_TRUE(ipod.group(550).click(2));  // Shuffle Albums
  ASSERT_TRUE(ipod.group(551).click(1));  // PlayInfo output On
  f.scheduler.advance(BenchFixture::kSettleMs);
  EXPECT_EQ(ReportOf(f.receiver().current(), "98"), "02");
  EXPECT_EQ(RowValue(f.receiver(), "200500400"), "1");
  EXPECT_TRUE(f.messageTexts().empty());
}

TEST(TunerOnReceiver, TheDockReportsWhatItPlaysAfterEachOperation) {
  BenchFixture f(app::kStartModeRealTime, {});
  ASSERT_TRUE(f.run(Operation::Open).connected);
  auto& ipod = Show<IpodPage>(f);
  // While both outputs are Off the receiver says nothing about the dock.
  ASSERT_TRUE(ipod.dockButton(0).click());
  f.scheduler.advance(BenchFixture::kSettleMs);
  EXPECT_EQ(ipod.playField(0).text(), "");

  ASSERT_TRUE(ipod.group(551).click(1));
  ASSERT_TRUE(ipod.group(552).click(1));
  f.scheduler.advance(BenchFixture::kSettleMs);
  ASSERT_TRUE(ipod.dockButton(0).click());  // Play
  f.scheduler.advance(BenchFixture::kSettleMs);
  EXPECT_EQ(ipod.playField(0).text(), "Morning Light");
  EXPECT_EQ(ipod.playField(1).text(), "The Harbour Lines");
  EXPECT_EQ(ipod.playField(2).text(), "Coastal Roads");
  EXPECT_EQ(ipod.cursorMark(0).text(), ">");
  EXPECT_EQ(ipod.listLine(1).text(), "Paper Boats");

  ASSERT_TRUE(ipod.dockButton(6).click());  // "+": the next track
  f.scheduler.advance(BenchFixture::kSettleMs);
  EXPECT_EQ(ipod.playField(0).text(), "Paper Boats");
  EXPECT_EQ(ipod.cursorMark(0).text(), "");
  EXPECT_EQ(ipod.cursorMark(1).text(), ">");

  ASSERT_TRUE(ipod.dockButton(1).click());  // Stop
  f.scheduler.advance(BenchFixture::kSettleMs);
  EXPECT_EQ(ipod.playField(0).text(), "");
  EXPECT_TRUE(f.messageTexts().empty());
}

TEST(TunerOnReceiver, AReceiverOfAnotherRegionBringsItsPresetsAndBands) {
  BenchFixture f(app::kStartModeRealTime, {"region=2"});
  ASSERT_TRUE(f.run(Operation::Open).connected);
  EXPECT_EQ(f.bench.link().tunerRegion(), 2);
  auto& tuner = Show<TunerSetPage>(f);
  ASSERT_TRUE(tuner.picker().pages.select(2));  // PageB
  EXPECT_EQ(tuner.picker().view.cell(7, 1), "AM 1404kHz");
  ASSERT_TRUE(tuner.fmButton().click());
  EXPECT_EQ(tuner.frequencyDialog().list().rowCount(), 411);
  tuner.frequencyDialog().pressEscape();
}

// What the receiver holds of the three pages: tuner and XM rows, the iPod outputs and the
// iPod settings' reports.
std::map<std::string, std::string> TunerState(const emu::VirtualReceiver& receiver) {
  std::map<std::string, std::string> state;
  for (int row = 0; row < model::kRowCount; ++row) {
    const emu::RowFamily family = emu::KindOfRow(row).family;
    if (family == emu::RowFamily::Tuner || family == emu::RowFamily::XmPreset ||
        family == emu::RowFamily::IpodOutput) {
      state["row " + std::to_string(row)] = receiver.rowValue(row);
    }
  }
  for (const char* code : {"96", "97", "98"}) state[std::string("report ") + code] = ReportOf(receiver.current(), code);
  return state;
}

TEST(TunerEndToEnd, UploadSaveLoadDownloadCarriesTheThreePagesToAnotherReceiver) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / "tunewright-tests" / "TunerEndToEnd.qcf";
  std::filesystem::remove(file);
  std::map<std::string, std::string> uploaded;
  {
    BenchFixture from(app::kStartModeAsync, {"seed=42"}, 1);
    ASSERT_EQ(from.run(Operation::Upload).listResult, 0);
    // The pages show what came.
    auto& tuner = Show<TunerSetPage>(from);
    EXPECT_EQ(tuner.picker().view.cell(0, 1),
              tuner::DisplayForm(std::get<std::string>(*model::GetParameter(from.image(0), 436))));
    ASSERT_TRUE(from.bench.SaveConfiguration(file).ok);
    uploaded = TunerState(from.receiver());
  }
  BenchFixture to(app::kStartModeAsync, {}, 1);
  const std::map<std::string, std::string> factory = TunerState(to.receiver());
  ASSERT_TRUE(to.bench.LoadConfiguration(file).ok);
  ASSERT_EQ(to.run(Operation::Download).listResult, 0);
  const std::map<std::string, std::string> now = TunerState(to.receiver());
  int differed = 0;
  for (const auto& [what, value] : uploaded) {
    EXPECT_EQ(now.at(what), value) << what;
    differed += factory.at(what) != value;
  }
  EXPECT_GT(differed, 60) << "the two receivers must differ to begin with";
  std::filesystem::remove(file);
}

TEST(TunerEndToEnd, AFailedTunerCommandIsLoggedUnderItsSectionAndKey) {
  // Row 229 reads preset A1: the receiver answers its write with a parameter error, every
  // time it is sent, until the tool gives it up and goes on.
  BenchFixture f(app::kStartModeAsync, {"error-rows=229"}, 1);
  EXPECT_GE(f.run(Operation::Download).listResult, 0);
  const std::string log = ReadFile(f.folder.path() / "ErrLog.txt");
  EXPECT_NE(log.find("\r\nTuner Set PageA Preset1\t"), std::string::npos) << log;
}

}  // namespace
}  // namespace tw::pages::test
