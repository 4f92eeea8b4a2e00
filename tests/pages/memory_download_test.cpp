// The download of the System Memories: what one memory part queues, and a whole
// configuration taken from one virtual receiver by an upload, kept in a file, and
// downloaded into a second receiver, compared through the receivers' own state.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "comm/memory_commands.h"
#include "comm/operation_command.h"
#include "files/profile.h"
#include "model/command_table.h"
#include "settings/catalogue.h"
#include "settings/configuration_file.h"
#include "pages/fake_page_link.h"
#include "pages/receiver_state.h"
#include "session/transfer_pages.h"
#include "pages/workbench_fixture.h"
#include "support/scripted_ui_services.h"

namespace tw::pages::test {

using namespace ::tw::session;
namespace {

using tw::test::FakePageLink;
using tw::test::Sent;
using tw::test::Stx;

struct PartFixture {
  PartFixture() { sheet.Create(); }

  FakePageLink link{comm::WorkingMode::Async};
  ui::ScriptedUiServices ui;
  Sheet sheet{PageContext{link, ui, 0}};
  settings::ConfigurationFile file{[this] { return link.settingContext(); }};
  TransferPages pages{link, file.memoryGroups()};
};

std::vector<int> NumbersOf(const std::vector<Sent>& sent) {
  std::vector<int> numbers;
  for (const Sent& s : sent) numbers.push_back(s.number);
  return numbers;
}

// A download needs no page: every page of the catalogue, in sheet order, tab or not (XM Set
// has no tab in Async Mode outside tuner region 1).
TEST(Download, QueuesEveryPageOfTheCatalogueInSheetOrder) {
  FakePageLink link{comm::WorkingMode::Async};
  link.region = 2;
  settings::MemoryGroups groups{[&] { return link.settingContext(); }};
  TransferPages pages{link, groups};
  pages.QueueAll(*link.images.Image(0));
  const auto catalogue = settings::Catalogue();
  std::vector<std::size_t> order;
  for (const Sent& s : link.sent) {
    // The program switch (Basic Control's number 4) goes with DSP Parameters.
    const auto page = std::find_if(catalogue.begin(), catalogue.end(), [&](const settings::PageSettings* p) {
      return s.number == 4 ? p->caption() == "DSP Parameters"
                           : !p->DescribeItem(*link.images.Image(0), s.number, -1, false).key.empty();
    });
    ASSERT_NE(page, catalogue.end()) << s.number;
    order.push_back(static_cast<std::size_t>(page - catalogue.begin()));
  }
  EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
  std::set<std::string> sending;
  for (std::size_t index : order) sending.insert(catalogue[index]->caption());
  EXPECT_EQ(sending.size(), catalogue.size());
  EXPECT_TRUE(sending.count("XM Set"));
}

// The memory's trims only when it knows them (read by an upload, or held by a file): a file
// without them downloads as files did before memories carried trims.
TEST(MemoryDownload, SystemPartSendsBasicItemsThenEachPageInGroupOrderThenTheSaveCommand) {
  for (bool trimsKnown : {false, true}) {
    SCOPED_TRACE(trimsKnown ? "trims known" : "trims unknown");
    PartFixture f;
    model::ParameterImage& memory = *f.link.images.Image(3);
    memory.basic[3] = 5;  // sound program
    memory.basic[6] = 1;  // night mode
    memory.basic[7] = 2;  // night parameter
    memory.memoryTrimsKnown = trimsKnown;
    f.pages.QueueMemoryPart(3, comm::kMemorySystem, memory);

    std::vector<Sent> expected = {{comm::BuildOperationCommand(memory.basic, 4), 4},
                                  {comm::BuildOperationCommand(memory.basic, 7), 7},
                                  {comm::BuildOperationCommand(memory.basic, 8), 8}};
    // Each page's items in its send order, or only the numbers the group names; DSP Parameters
    // gives the parameters of the memory's own sound program.
    const std::vector<std::pair<std::string, std::vector<int>>> parts = {
        {"DSP Parameters", {}},
        {"Speaker Level", {}},
        {"Speaker Distance", {}},
        {"Tone Control", {289, 291, 293, 302, 304, 305}},
        {"Volume Trim", {}},
        {"Graphic EQ", {}},
        {"Speaker Set", {}}};
    for (const auto& [caption, numbers] : parts) {
      BasePage* page = f.sheet.FindPage(caption);
      ASSERT_NE(page, nullptr) << caption;
      for (int number : numbers) expected.push_back({"", number});
      if (!numbers.empty() || (caption == "Volume Trim" && !trimsKnown)) continue;
      const int group = caption == "DSP Parameters" ? memory.basic[3] : kAllGroups;
      for (const PageItem& item : page->ListItems(false, group)) expected.push_back({"", item.number});
    }
    // Display Set without Short Message, and of Other only the HDMI support audio.
    for (int number : {517, 518, 519, 520, 521, 525, 527, 528, 534}) expected.push_back({"", number});
    expected.push_back({Stx("07E2D"), 557});

    ASSERT_EQ(NumbersOf(f.link.sent), NumbersOf(expected));
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(f.link.sent[i], expected[i]) << i;
    for (const Sent& s : f.link.sent) EXPECT_FALSE(s.text.empty()) << "parameter " << s.number;
    EXPECT_EQ(f.link.sent.back(), expected.back());
  }
}

// A file without a memory's trim section leaves it sending none, and writes none back.
TEST(MemoryDownload, AFileGivesAMemoryTrimsToSendOnlyWhenItHoldsThem) {
  for (bool filed : {false, true}) {
    SCOPED_TRACE(filed ? "filed" : "not filed");
    PartFixture f;
    std::string memo;
    f.file.Load(files::Profile::Parse(filed ? "[System Memory 2 Volume Trim]\r\nCD=3.0dB\r\n" : ""),
                       f.link.images, memo);
    f.pages.QueueMemoryPart(2, comm::kMemorySystem, *f.link.images.Image(2));
    EXPECT_EQ(std::count_if(f.link.sent.begin(), f.link.sent.end(), [](const Sent& s) { return s.number == 384; }),
              filed ? 1 : 0);
    EXPECT_EQ(f.file.Save(f.link.images, "").HasKey("System Memory 2 Volume Trim", "CD"), filed);
  }
}

TEST(MemoryDownload, PageValuesComeFromTheMemoryImage) {
  PartFixture f;
  BasePage* level = f.sheet.FindPage("Speaker Level");
  ASSERT_NE(level, nullptr);
  const int fl = level->ListItems(false, kAllGroups).front().number;
  ASSERT_TRUE(level->settings().ParseItem(*f.link.images.Image(0), fl, -1, "2.5dB"));
  ASSERT_TRUE(level->settings().ParseItem(*f.link.images.Image(4), fl, -1, "-3.0dB"));

  f.pages.QueueMemoryPart(4, comm::kMemorySystem, *f.link.images.Image(4));
  const std::vector<Sent> fromMemory = f.link.sent;
  f.link.sent.clear();
  level->QueueItem(*f.link.images.Image(4), fl, -1);
  ASSERT_EQ(f.link.sent.size(), 1u);
  const Sent memoryLevel = f.link.sent.front();
  f.link.sent.clear();
  level->QueueItem(*f.link.images.Image(0), fl, -1);
  ASSERT_EQ(f.link.sent.size(), 1u);
  ASSERT_NE(f.link.sent.front(), memoryLevel) << "the two images must send different frames";
  EXPECT_NE(std::find(fromMemory.begin(), fromMemory.end(), memoryLevel), fromMemory.end());
}

TEST(MemoryDownload, VolumePartsSendTheirVolumeAndSaveIntoTheRightMemory) {
  PartFixture f;
  model::ParameterImage& memory = *f.link.images.Image(6);
  memory.basic[8] = -125;
  f.pages.QueueMemoryPart(6, comm::kMemoryMainVolume, memory);
  EXPECT_EQ(f.link.sent, (std::vector<Sent>{{comm::BuildOperationCommand(memory.basic, 9), 9}, {Stx("07E70"), 559}}));

  // The zone volumes go through the Multi Zone page.
  f.link.sent.clear();
  model::SetParameter(memory, 18, -205);
  model::SetParameter(memory, 23, -300);
  f.pages.QueueMemoryPart(1, comm::kMemoryZone2Volume, memory);
  f.pages.QueueMemoryPart(2, comm::kMemoryZone3Volume, memory);
  EXPECT_EQ(f.link.sent, (std::vector<Sent>{{Stx("2319E"), 18}, {Stx("07E87"), 561}, {Stx("2348B"), 23},
                                            {Stx("07E21"), 563}}));

  // A receiver without the zone has no volume to send, and saving would store its current
  // zone volume over the memory's own: nothing is queued.
  f.link.sent.clear();
  f.link.caps.zone3 = 0;
  f.pages.QueueMemoryPart(2, comm::kMemoryZone3Volume, memory);
  EXPECT_TRUE(f.link.sent.empty());
}

TEST(MemoryDownload, AMemoryOrPartOutOfRangeQueuesNothing) {
  PartFixture f;
  model::ParameterImage& memory = *f.link.images.Image(1);
  for (auto [number, part] : {std::pair{0, 0}, {7, 0}, {-1, 1}, {1, 4}, {1, -1}}) {
    f.pages.QueueMemoryPart(number, part, memory);
  }
  EXPECT_TRUE(f.link.sent.empty());
}

// ---------------------------------------------------------------- upload -> file -> download

// Rows the receiver was told to write (extended writes carry "1" at byte 8).
std::set<int> WrittenRows(const std::vector<std::string>& frames) {
  std::set<int> rows;
  for (const std::string& frame : frames) {
    if (frame.size() < 9 || frame[0] != '\x14' || frame[8] != '1') continue;
    const int row = model::FindRowForCommand(frame, model::kLinkDownload);
    if (row >= 0) rows.insert(row);
  }
  return rows;
}

// Codes of the standard reports the receiver sent (STX, class, guard, code, value, ETX).
std::set<std::string> ReportedCodes(const std::vector<std::string>& frames) {
  std::set<std::string> codes;
  for (const std::string& frame : frames) {
    if (frame.size() == 8 && frame[0] == '\x02' && frame[7] == '\x03') codes.insert(frame.substr(3, 2));
  }
  return codes;
}

// A row's value as the download carries it (a tone row: its turnover, then the gain).
std::string CarriedValue(const emu::ReceiverSettings& settings, int row) {
  return settings.rows[static_cast<std::size_t>(row)];
}

bool PerMemory(int row) { return (model::kCommandTable[static_cast<std::size_t>(row)].flags & model::kReadPerMemory) != 0; }

void ExpectSameMemoryBasics(const emu::ReceiverSettings& want, const emu::ReceiverSettings& got) {
  const BasicExpectation w = ExpectedBasic(want);
  const BasicExpectation g = ExpectedBasic(got);
  EXPECT_EQ(g.program, w.program) << "sound program";
  EXPECT_EQ(g.night, w.night) << "night mode";
  if (w.night != 0) {
    EXPECT_EQ(g.nightParameter, w.nightParameter) << "night parameter";
  }
  EXPECT_EQ(g.volume, w.volume) << "main volume";
}

TEST(ConfigurationTransfer, UploadFileDownloadMakesASecondReceiverHoldTheFirstOnesSettings) {
  BenchFixture first(app::kStartModeAsync, {"seed=31"}, 1);
  const emu::VirtualReceiver original = first.receiver();
  const auto up = first.run(Workbench::Operation::Upload);
  ASSERT_TRUE(up.connected);
  ASSERT_EQ(up.listResult, 0);

  // Through a real file, as tunewright-cli upload and download do.
  const auto path = first.folder.path() / "first.qcf";
  {
    ASSERT_TRUE(first.bench.configuration().Save(path, first.bench.link().images(), ""));
  }
  files::Profile file;
  ASSERT_TRUE(file.Load(path));

  BenchFixture second(app::kStartModeAsync, {"seed=77"}, 1);
  const emu::VirtualReceiver before = second.receiver();
  {
    std::string memo;
    second.bench.configuration().Load(file, second.bench.link().images(), memo);
    second.bench.view().RefreshAllPages();
  }
  const auto down = second.run(Workbench::Operation::Download);
  ASSERT_TRUE(down.connected);
  ASSERT_EQ(down.listResult, 0);

  const std::set<int> rows = WrittenRows(second.bench.virtualPort().transcript().receivedFrames());
  // Speaker Level at least (the other speaker pages send standard commands).
  ASSERT_GE(rows.size(), 10u);
  int differedBefore = 0;
  for (int row : rows) {
    const auto r = static_cast<std::size_t>(row);
    differedBefore += before.current().rows[r] != original.current().rows[r];
    EXPECT_EQ(CarriedValue(second.receiver().current(), row), CarriedValue(original.current(), row)) << "row " << row;
  }
  EXPECT_GE(differedBefore, 5) << "the two seeds must start from different settings";

  // Standard commands are answered with reports: every code reported is a setting the
  // download wrote.
  const std::set<std::string> codes = ReportedCodes(second.bench.virtualPort().transcript().sentFrames());
  int comparedCodes = 0;
  for (const std::string& code : codes) {
    if (!original.current().reports.count(code)) continue;
    ++comparedCodes;
    EXPECT_EQ(second.receiver().current().reports.at(code), original.current().reports.at(code)) << "code " << code;
  }
  // The codes a System Memory keeps are those the download changed in some memory (the
  // input, say, is not kept: it never changes there); each must now equal the original's.
  int memoryCodes = 0;
  for (const std::string& code : codes) {
    bool changed = false;
    for (int memory = 1; memory <= 6; ++memory) {
      const auto& was = before.memory(memory).reports;
      const auto& now = second.receiver().memory(memory).reports;
      changed = changed || (now.count(code) && (!was.count(code) || was.at(code) != now.at(code)));
    }
    if (!changed) continue;
    ++memoryCodes;
    for (int memory = 1; memory <= 6; ++memory) {
      ASSERT_TRUE(original.memory(memory).reports.count(code)) << code;
      std::string want = original.memory(memory).reports.at(code);
      std::string got = second.receiver().memory(memory).reports.at(code);
      // With night mode off its parameter is not a setting (it travels as "00").
      if (code == "8B" && want.size() == 2 && want[0] == '0') want.resize(1), got.resize(1);
      EXPECT_EQ(got, want) << "code " << code << " memory " << memory;
    }
  }
  EXPECT_GE(comparedCodes, 20);
  EXPECT_GE(memoryCodes, 15);

  const BasicExpectation want = ExpectedBasic(original.current());
  const BasicExpectation got = ExpectedBasic(second.receiver().current());
  EXPECT_EQ(got.input, want.input);
  EXPECT_EQ(got.audioSelect, want.audioSelect);
  EXPECT_EQ(got.decoder, want.decoder);
  EXPECT_EQ(got.program, want.program);
  EXPECT_EQ(got.surround, want.surround);
  EXPECT_EQ(got.night, want.night);
  EXPECT_EQ(got.volume, want.volume);
  EXPECT_EQ(got.mute, want.mute);

  int memoryRows = 0;
  int otherPrograms = 0;
  for (int memory = 1; memory <= 6; ++memory) {
    SCOPED_TRACE("memory " + std::to_string(memory));
    // A memory keeps the DSP parameters of its own sound program only; the receiver's memory
    // save stores the others as they stand at that moment.
    const int program = ExpectedBasic(original.memory(memory)).program;
    for (int row : rows) {
      if (!PerMemory(row)) continue;
      const int rowProgram = model::kCommandTable[static_cast<std::size_t>(row)].programGroup;
      if (rowProgram >= 0 && rowProgram != program) {
        ++otherPrograms;
        continue;
      }
      ++memoryRows;
      EXPECT_EQ(CarriedValue(second.receiver().memory(memory), row), CarriedValue(original.memory(memory), row))
          << "row " << row;
    }
    ExpectSameMemoryBasics(original.memory(memory), second.receiver().memory(memory));
  }
  // Every written row a memory keeps was compared (the headphone tone rows are not kept).
  EXPECT_EQ(memoryRows + otherPrograms, 6 * static_cast<int>(std::count_if(rows.begin(), rows.end(), PerMemory)));
  EXPECT_GE(memoryRows, 6 * (10 + 14 + 2 + 65)) << "distances, trims, speaker tone and equaliser bands";
  EXPECT_GT(otherPrograms, 0) << "the download writes every program's parameters";
  // The receiver's own memory-save report answered each part.
  EXPECT_EQ(second.messageTexts(), std::vector<std::string>{});
}

TEST(ConfigurationTransfer, TheUploadedFileHoldsTheReceiversSettings) {
  BenchFixture f(app::kStartModeAsync, {"seed=4242"}, 1);
  const emu::VirtualReceiver original = f.receiver();
  ASSERT_EQ(f.run(Workbench::Operation::Upload).listResult, 0);
  const settings::ConfigurationFile& file = f.bench.configuration();
  const files::Profile saved = file.Save(f.bench.link().images(), "");

  // Read back into factory images, every setting the file holds equals the upload's.
  model::ParameterImages fresh(1);
  std::string memo;
  file.Load(saved, fresh, memo);
  EXPECT_EQ(file.Save(fresh, "").Text(), saved.Text());
  EXPECT_TRUE(saved.HasKey("Speaker Level", "FL"));
  EXPECT_TRUE(saved.HasKey("System Memory 6 Speaker Distance", "SW"));
  ExpectBasicMatches(original.current(), *fresh.Image(0), "image 0 from the file");
  for (int memory = 1; memory <= 6; ++memory) {
    SCOPED_TRACE("memory " + std::to_string(memory));
    const BasicExpectation e = ExpectedBasic(original.memory(memory));
    EXPECT_EQ(fresh.Image(memory)->basic[3], e.program);
    EXPECT_EQ(fresh.Image(memory)->basic[6], e.night);
    EXPECT_EQ(fresh.Image(memory)->basic[8], e.volume);
  }
}

}  // namespace
}  // namespace tw::pages::test
