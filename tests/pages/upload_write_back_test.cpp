// An upload only reads the receiver: after loading each System Memory it writes back the
// current settings it read, and nothing else. Settings no read and no report can give (the
// receiver never tells them) keep the receiver's own values.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comm/frame_notation.h"
#include "comm/memory_commands.h"
#include "comm/upload_coverage.h"
#include "pages/eq/graphic_eq_page.h"
#include "pages/system/advanced_setup_page.h"
#include "pages/workbench_fixture.h"
#include "support/frames.h"
#include "settings/catalogue.h"

namespace tw::pages::test {

using namespace ::tw::session;
namespace {

// The context of a download on a receiver with every option (tuner region 1).
const settings::SettingContext kDownload{{}, 1, false};

struct Item {
  const settings::PageSettings* page;
  settings::PageItem item;
};

// Every item a download sends, page by page.
std::vector<Item> SentItems() {
  std::vector<Item> items;
  for (const settings::PageSettings* page : settings::Catalogue()) {
    for (const settings::PageItem& item : page->ListItems(false, kDownload)) items.push_back({page, item});
  }
  return items;
}

// The frames of a download (in Async Mode) for one item, as its settings build them from `image`.
std::vector<std::string> CommandsOf(const Item& item, const model::ParameterImage& image) {
  return item.page->Commands(image, item.item.number, item.item.subIndex, kDownload);
}

// Subwoofer bands 3..7 at +3.0 dB and Fan Mode "Cont.": values an upload cannot read. With
// `saved`, the receiver then saves them into each System Memory too.
std::string UnreadablePresets(bool saved) {
  std::vector<std::string> frames;
  for (char band : std::string_view("468AC")) frames.push_back(tw::test::Dc4Lower(std::string("20080301A") + band + "15"));
  frames.push_back(tw::test::Stx("2B201"));
  for (int memory = 1; saved && memory <= comm::kMemoryCount; ++memory) {
    frames.push_back(comm::MemoryOperationCommand(memory, comm::kMemorySystem, false));
  }
  std::string option = "preset=";
  for (const std::string& frame : frames) option += comm::ToNotation(frame) + (&frame == &frames.back() ? "" : ",");
  return option;
}

// What the tables say an upload reads is what an upload from a receiver with every zone and
// XM reads, item by item, and the known unreadable settings are among the rest.
TEST(UploadWriteBack, TheDerivedReadableSettingsAreThoseAnUploadReads) {
  BenchFixture f(app::kStartModeAsync, {"seed=5"}, 1);
  ASSERT_EQ(f.run(Workbench::Operation::Upload).listResult, 0);
  std::vector<std::string> unreadable;
  for (const Item& item : SentItems()) {
    const bool derived = comm::IsReadByUpload(item.item.number, item.item.subIndex);
    const bool read = f.bench.link().uploadRead().contains(model::KeyOfItem(item.item.number, item.item.subIndex));
    EXPECT_EQ(derived, read) << item.page->caption() << " " << item.item.number << "/" << item.item.subIndex;
    if (!derived) {
      unreadable.push_back(item.page->DescribeItem(f.image(0), item.item.number, item.item.subIndex, false).key);
    }
  }
  EXPECT_TRUE(comm::IsReadByUpload(398, 9) && comm::IsReadByUpload(399, 9));
  for (int band = 400; band <= 404; ++band) EXPECT_FALSE(comm::IsReadByUpload(band, 9)) << band;
  EXPECT_FALSE(comm::IsReadByUpload(542, -1));
  EXPECT_EQ(unreadable.size(), 6u) << ::testing::PrintToString(unreadable);
}

// A reader of the report, or of a control's tooltip, learns that such a value is the
// program's; the Subwoofer's bands 1 and 2, and any other channel's bands, are read.
TEST(UploadWriteBack, TheReportAndTheControlsSayWhatWasNotReadFromTheReceiver) {
  BenchFixture f(app::kStartModeAsync, {}, 1);
  const std::string report = f.bench.BuildReport();
  std::vector<std::string> marked;
  for (std::size_t at = report.find("  (not read"); at != std::string::npos; at = report.find("  (not read", at + 1)) {
    const std::size_t line = report.rfind('\n', at) + 1;
    marked.push_back(report.substr(line, report.find('\r', at) - line));
  }
  // Of the filed settings, Fan Mode and the two one-shot actions.
  EXPECT_EQ(marked, (std::vector<std::string>{"User Preset = Cancel  (not read from the receiver)",
                                              "Fan Mode = Auto  (not read from the receiver)",
                                              "Video Reset = Cancel  (not read from the receiver)"}));

  auto* advanced = f.bench.sheet().Find<AdvancedSetupPage>();
  auto* eq = f.bench.sheet().Find<GraphicEqPage>();
  ASSERT_TRUE(f.bench.sheet().SetActivePage(advanced->caption()));
  EXPECT_NE(advanced->group(542).toolTip().find("Not read from the receiver"), std::string::npos);
  EXPECT_EQ(advanced->group(537).toolTip(), "");
  ASSERT_TRUE(f.bench.sheet().SetActivePage(eq->caption()));
  for (int record : {0, 9}) {
    ASSERT_TRUE(eq->channelList().select(record));
    for (int band = 398; band <= 404; ++band) {
      EXPECT_EQ(eq->slider(band).toolTip().empty(), record == 0 || band <= 399) << record << " " << band;
    }
  }
}

// A System Memory holds the Graphic EQ, so loading one sets the Subwoofer's unreadable bands
// too: the receiver ends with them as its last memory holds them, never with the program's.
TEST(UploadWriteBack, SettingsItCannotReadKeepTheReceiversValues) {
  for (const bool saved : {true, false}) {
    SCOPED_TRACE(saved ? "memories hold the same bands" : "memories hold their own bands");
    BenchFixture f(app::kStartModeAsync, {saved ? "seed=11" : "seed=12", UnreadablePresets(saved)}, 1);
    const emu::ReceiverSettings before = f.receiver().current();
    ASSERT_EQ(f.run(Workbench::Operation::Upload).listResult, 0);
    const emu::ReceiverSettings& after = f.receiver().current();
    EXPECT_EQ(after.unreadWrites, saved ? before.unreadWrites : f.receiver().memory(comm::kMemoryCount).unreadWrites);
    EXPECT_EQ(after.reports, before.reports);
    EXPECT_EQ(after.rows, before.rows);

    // Not one frame of what a write-back of everything would send for them went out.
    const auto received = f.bench.virtualPort().transcript().receivedFrames();
    int checked = 0;
    for (const Item& item : SentItems()) {
      if (comm::IsReadByUpload(item.item.number, item.item.subIndex)) continue;
      for (const std::string& command : CommandsOf(item, f.image(0))) {
        ++checked;
        EXPECT_EQ(std::count(received.begin(), received.end(), command), 0) << comm::ToNotation(command);
      }
    }
    EXPECT_EQ(checked, 6);
  }
}

}  // namespace
}  // namespace tw::pages::test
