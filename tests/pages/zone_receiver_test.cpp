// The zone pages in the whole program against virtual receivers: a download sends exactly
// what each combination of Zone2, Zone3 and XM allows, and a configuration goes from one
// seeded receiver through an upload and a file into another one and comes back the same.

#include <gtest/gtest.h>

#include <set>

#include "files/profile.h"
#include "settings/configuration_file.h"
#include "pages/fake_page_link.h"
#include "pages/receiver_state.h"
#include "pages/sheet.h"
#include "pages/workbench_fixture.h"
#include "pages/zone/control_out_page.h"
#include "pages/zone/multi_zone_page.h"
#include "pages/zone/volume_trim_page.h"

namespace tw::pages::test {

using namespace ::tw::session;
namespace {

using tw::test::FakePageLink;
using tw::test::Stx;

constexpr std::string_view kZonePages[] = {"Multi Zone", "CONTROL OUT", "Volume Trim"};

// Whether the receiver has parameter `number` of the three pages, by their descriptions.
bool ReceiverHas(int number, const model::Capabilities& caps) {
  if (number >= 15 && number <= 26) return (number <= 19 || number == 25) ? caps.zone2 != 0 : caps.zone3 != 0;
  if (number == 395) return caps.xm != 0;  // the XM trim
  if (number == 307 || number == 345) return true;
  if (number >= 308 && number <= 382) {
    const int offset = number - (number < 345 ? 307 : 345) - 1;
    const bool xm = offset >= 34;
    const int column = offset < 33 ? offset % 3 : (offset == 33 ? 0 : offset - 34);
    const bool zone = column == 0 || (column == 1 ? caps.zone2 != 0 : caps.zone3 != 0);
    return zone && (!xm || caps.xm != 0);
  }
  return true;
}

struct PageFrame {
  int number;
  std::string frame;
};

// The frames of the three pages for the factory image on a receiver that has everything,
// in sheet and send order.
std::vector<PageFrame> FactoryFrames() {
  FakePageLink link(comm::WorkingMode::Async);
  ui::ScriptedUiServices ui;
  Sheet sheet({link, ui});
  std::vector<PageFrame> frames;
  for (std::string_view caption : kZonePages) {
    link.sent.clear();
    sheet.FindPage(caption)->QueueAll(*link.images.Image(0));
    for (const tw::test::Sent& sent : link.sent) frames.push_back({sent.number, sent.text});
  }
  return frames;
}

std::string MemorySave(int zone, int memory) {
  constexpr std::string_view kZone2[] = {"87", "88", "89", "8A", "8B", "8C"};
  constexpr std::string_view kZone3[] = {"20", "21", "22", "23", "24", "25"};
  return Stx("07E" + std::string((zone == 2 ? kZone2 : kZone3)[memory - 1]));
}

TEST(ZoneDownload, EachReceiverGetsExactlyTheZoneAndXmCommandsItHas) {
  const std::vector<PageFrame> all = FactoryFrames();
  for (int bits = 0; bits < 8; ++bits) {
    const model::Capabilities caps{bits & 1, (bits >> 1) & 1, (bits >> 2) & 1, 1};
    SCOPED_TRACE("zone2=" + std::to_string(caps.zone2) + " zone3=" + std::to_string(caps.zone3) +
                 " xm=" + std::to_string(caps.xm));
    BenchFixture f(app::kStartModeAsync,
                   {"zone2=" + std::to_string(caps.zone2), "zone3=" + std::to_string(caps.zone3),
                    "xm=" + std::to_string(caps.xm)},
                   1);
    const auto outcome = f.run(Workbench::Operation::Download);
    ASSERT_TRUE(outcome.connected);
    // A write the receiver does not have would be answered with an error and end the list.
    ASSERT_EQ(outcome.listResult, 0);

    // Volume Out goes to VAR first, then each memory's zone volumes are sent and saved, then
    // the pages; a zone volume of the factory memories is -40.0 dB (factory memories know no
    // trims of their own, so none are sent). The link's rebuild keeps the entry that followed
    // "@CURR", queued before the capabilities were read (a new link assumes it has
    // everything): Zone2's Volume Out VAR goes out twice, unless the receiver lacks Zone 2.
    std::vector<std::string> expected;
    if (caps.zone2) expected.insert(expected.end(), {Stx("26600"), Stx("26600")});
    if (caps.zone3) expected.push_back(Stx("26B00"));
    for (int memory = 1; memory <= 6; ++memory) {
      if (caps.zone2) expected.insert(expected.end(), {Stx("23177"), MemorySave(2, memory)});
      if (caps.zone3) expected.insert(expected.end(), {Stx("23477"), MemorySave(3, memory)});
    }
    std::set<std::string> watched = {Stx("26600"), Stx("26B00")};
    for (int memory = 1; memory <= 6; ++memory) watched.insert({MemorySave(2, memory), MemorySave(3, memory)});
    for (const PageFrame& page : all) {
      watched.insert(page.frame);
      // The factory Trigger Control, Zone OR, follows both zones.
      const bool offered = (page.number != 307 && page.number != 345) || (caps.zone2 && caps.zone3);
      if (ReceiverHas(page.number, caps) && offered) expected.push_back(page.frame);
    }
    std::vector<std::string> sent;
    for (const std::string& frame : f.bench.virtualPort().transcript().receivedFrames()) {
      if (watched.count(frame)) sent.push_back(frame);
    }
    EXPECT_EQ(sent, expected);
  }
}

// The settings of the three pages, read back from the second receiver by an upload, as the
// file writes them.
files::Profile ZoneSections(const files::Profile& file) {
  files::Profile sections;
  for (const std::string& section : file.SectionNames()) {
    const bool zonePage = std::find(std::begin(kZonePages), std::end(kZonePages), section) != std::end(kZonePages);
    const bool zoneMemory = section.find(" Multi Zone") != std::string::npos;
    if (!zonePage && !zoneMemory) continue;
    for (const std::string& key : file.KeyNames(section)) sections.WriteString(section, key, file.GetString(section, key, ""));
  }
  return sections;
}

files::Profile SaveFile(BenchFixture& f) {
  return f.bench.configuration().Save(f.bench.link().images(), "");
}

TEST(ZoneTransfer, UploadFileDownloadCarriesAllZoneItemsAndTheZoneVolumeMemories) {
  BenchFixture first(app::kStartModeAsync, {"seed=31"}, 1);
  const emu::VirtualReceiver original = first.receiver();
  ASSERT_EQ(first.run(Workbench::Operation::Upload).listResult, 0);
  const auto path = first.folder.path() / "zones.qcf";
  ASSERT_TRUE(SaveFile(first).Save(path));
  files::Profile file;
  ASSERT_TRUE(file.Load(path));
  const files::Profile uploaded = ZoneSections(file);
  std::size_t items = 0;
  for (std::string_view page : kZonePages) items += uploaded.KeyNames(page).size();
  EXPECT_EQ(items, 102u);

  BenchFixture second(app::kStartModeAsync, {"seed=77"}, 1);
  const emu::VirtualReceiver before = second.receiver();
  {
    std::string memo;
    second.bench.configuration().Load(file, second.bench.link().images(), memo);
    second.bench.view().RefreshAllPages();
  }
  ASSERT_EQ(second.run(Workbench::Operation::Download).listResult, 0);

  // The second receiver's own state: every trigger and trim row, the zone reports, and the
  // zone volumes of every memory now equal the first one's.
  int differed = 0;
  for (int row = 351; row <= 438; ++row) {
    const auto r = static_cast<std::size_t>(row);
    differed += before.current().rows[r] != original.current().rows[r];
    EXPECT_EQ(second.receiver().current().rows[r], original.current().rows[r]) << "row " << row;
  }
  for (const char* code : {"24", "3E", "66", "27", "25", "AD", "A0", "3F", "6B", "A2", "A1", "AE", "3A", "3B"}) {
    differed += ReportOf(before.current(), code) != ReportOf(original.current(), code);
    EXPECT_EQ(ReportOf(second.receiver().current(), code), ReportOf(original.current(), code)) << "code " << code;
  }
  for (int memory = 1; memory <= 6; ++memory) {
    for (const char* code : {"27", "A2"}) {
      differed += ReportOf(before.memory(memory), code) != ReportOf(original.memory(memory), code);
      EXPECT_EQ(ReportOf(second.receiver().memory(memory), code), ReportOf(original.memory(memory), code))
          << "memory " << memory << " code " << code;
    }
  }
  EXPECT_GE(differed, 40) << "the two seeds must start from different settings";

  // And read back by an upload, the file's texts of all 102 items and the zone volume
  // memories are the first receiver's.
  ASSERT_EQ(second.run(Workbench::Operation::Upload).listResult, 0);
  EXPECT_EQ(ZoneSections(SaveFile(second)).Text(), uploaded.Text());
}

}  // namespace
}  // namespace tw::pages::test
