// The System Memories on virtual receivers: an upload fills images 1..6 with one receiver's
// six memories, and a download through a configuration file makes a second receiver's
// memories equal in all four groups, compared through the receivers' own state. In Real
// Time Mode the System Memory window's Save and Load restore a receiver's values.

#include <gtest/gtest.h>

#include <set>

#include "comm/frame_notation.h"
#include "emu/virtual_receiver.h"
#include "emu/wire_codes.h"
#include "model/command_table.h"
#include "model/decode.h"
#include "model/parameter_access.h"
#include "settings/configuration_file.h"
#include "pages/receiver_state.h"
#include "pages/system/display_set_page.h"
#include "pages/system/memory_page.h"
#include "pages/system_fixture.h"
#include "pages/workbench_fixture.h"

namespace tw::pages::test {

using namespace ::tw::session;
namespace {


int Hex2(std::string_view value) { return std::stoi(std::string(value), nullptr, 16); }

std::int32_t Value(const model::ParameterImage& image, int number) {
  return std::get<std::int32_t>(*model::GetParameter(image, number));
}

// Display Set and HDMI support audio of a memory as the receiver keeps them, against the
// image: the report value is the setting, OSD Shift and Dimmer offset by 5 and 4.
void ExpectDisplayAndOther(const emu::ReceiverSettings& memory, const model::ParameterImage& image) {
  struct Code {
    const char* code;
    int number;
    int offset;
  };
  for (const Code& c : {Code{"69", 517, 0}, Code{"85", 518, 0}, Code{"63", 519, 0}, Code{"62", 520, -5},
                        Code{"86", 521, 0}, Code{"61", 525, -4}, Code{"93", 527, 0}, Code{"67", 528, 0},
                        Code{"8F", 534, 0}}) {
    EXPECT_EQ(Value(image, c.number), Hex2(ReportOf(memory, c.code)) + c.offset) << c.code;
  }
}

// Whether a page of the sheet (or the Basic Control group) describes, reads and sends
// parameter `number`.
bool HasOwner(Sheet& sheet, int number, const model::ParameterImage& image) {
  if (model::BlockOfParameter(number) == model::Block::BasicControl) return true;
  for (BasePage* page : sheet.pages()) {
    if (!page->settings().DescribeItem(image, number, -1, false).section.empty()) return true;
  }
  return false;
}

bool AllOwned(Sheet& sheet, const model::DecodeResult& decoded, const model::ParameterImage& image) {
  if (!decoded.decoded || decoded.numbers().empty()) return false;
  for (int number : decoded.numbers()) {
    if (!HasOwner(sheet, number, image)) return false;
  }
  return true;
}

std::string Std(std::string_view code, std::string_view value) {
  return "\x02" "00" + std::string(code) + std::string(value) + "\x03";
}

TEST(SystemMemoryTransfer, AnUploadFillsTheMemoryImagesAndADownloadReproducesThemOnAnotherReceiver) {
  BenchFixture first(app::kStartModeAsync, {"seed=31"}, 1);
  const emu::VirtualReceiver original = first.receiver();
  const auto up = first.run(Workbench::Operation::Upload);
  ASSERT_TRUE(up.connected);
  ASSERT_EQ(up.listResult, 0);
  for (int memory = 1; memory <= 6; ++memory) {
    SCOPED_TRACE("memory " + std::to_string(memory));
    const emu::ReceiverSettings& kept = original.memory(memory);
    ExpectDisplayAndOther(kept, first.image(memory));
    EXPECT_EQ(first.image(memory).basic[8], VolumeOf(ReportOf(kept, "26")));
    EXPECT_EQ(Value(first.image(memory), 18), VolumeOf(ReportOf(kept, "27")));
    EXPECT_EQ(Value(first.image(memory), 23), VolumeOf(ReportOf(kept, "A2")));
    EXPECT_EQ(first.image(memory).basic[3], ExpectedBasic(kept).program);
  }

  BenchFixture second(app::kStartModeAsync, {"seed=77"}, 1);
  const emu::VirtualReceiver before = second.receiver();
  {
    const files::Profile file = first.bench.configuration().Save(first.bench.link().images(), "");
    std::string memo;
    second.bench.configuration().Load(file, second.bench.link().images(), memo);
  }
  const auto down = second.run(Workbench::Operation::Download);
  ASSERT_TRUE(down.connected);
  ASSERT_EQ(down.listResult, 0);
  EXPECT_EQ(second.messageTexts(), std::vector<std::string>{});

  // Every value a memory keeps whose parameter a page of this program sends.
  const model::ParameterImage& probe = second.image(0);
  std::set<std::string> comparedCodes;
  int differedBefore = 0;
  int comparedRows = 0;
  for (int memory = 1; memory <= 6; ++memory) {
    SCOPED_TRACE("memory " + std::to_string(memory));
    const emu::ReceiverSettings& want = original.memory(memory);
    const emu::ReceiverSettings& got = second.receiver().memory(memory);
    std::vector<std::string> codes(emu::SystemMemoryReportCodes().begin(), emu::SystemMemoryReportCodes().end());
    codes.insert(codes.end(), {"26", "27", "A2"});  // the three volume groups
    for (const std::string& code : codes) {
      const std::string value = ReportOf(want, code);
      if (!AllOwned(second.bench.sheet(), model::Decode(Std(code, value)), probe)) continue;
      std::string w = value;
      std::string g = ReportOf(got, code);
      // With night mode off its parameter is not a setting (it travels as "00").
      if (code == "8B" && w.size() == 2 && w[0] == '0') w.resize(1), g.resize(1);
      EXPECT_EQ(g, w) << "code " << code;
      differedBefore += ReportOf(before.memory(memory), code) != value;
      comparedCodes.insert(code);
    }
    const int program = ExpectedBasic(want).program;
    for (int row = 0; row < model::kRowCount; ++row) {
      const model::CommandRow& r = model::kCommandTable[static_cast<std::size_t>(row)];
      if (!(r.flags & model::kReadPerMemory) || r.request == nullptr || r.request[0] != '\x14') continue;
      if (r.programGroup != -1 && r.programGroup != program) continue;  // only the memory's own program
      const auto index = static_cast<std::size_t>(row);
      const std::string reply = emu::MakeExtendedFrame(std::string(r.replyPrefix + 1) + want.rows[index]);
      if (!AllOwned(second.bench.sheet(), model::Decode(reply), probe)) continue;
      EXPECT_EQ(got.rows[index], want.rows[index]) << "row " << row;
      ++comparedRows;
    }
  }
  for (const char* code : {"26", "27", "A2", "28", "40", "49", "70", "69", "85", "63", "62", "86", "61", "93", "67", "8F"})
    EXPECT_TRUE(comparedCodes.count(code)) << "code " << code << " was not compared";
  EXPECT_GE(differedBefore, 40) << "the two seeds must start from different memories";
  EXPECT_GE(comparedRows, 6) << "the speaker distances at least";
}

// ---------------------------------------------------------------- Real Time Mode

struct RealTime {
  RealTime() : f(app::kStartModeRealTime, {"seed=9"}, -1) {
    const auto open = f.run(Workbench::Operation::Open);
    EXPECT_TRUE(open.connected);
  }
  SystemMemoryPage& page() { return f.bench.memoryPage(); }
  void click(ui::Button& button, int part, int memory) {
    EXPECT_TRUE(page().list(part).setCurSel(memory - 1));
    EXPECT_TRUE(button.click());
    f.scheduler.advance(BenchFixture::kSettleMs);
  }
  std::string report(const char* code) { return f.receiver().reportValue(code); }

  BenchFixture f;
};

// Loading the memories changes the receiver's current settings; the upload's write-back puts
// them back, so a second upload from the same receiver, with either pacing of the reads,
// reads exactly what the first read.
TEST(SystemMemoryTransfer, AnUploadLeavesTheReceiverAsItFoundIt) {
  for (comm::ReadPacing second : {comm::ReadPacing::Mandated, comm::ReadPacing::Reply}) {
    BenchFixture fixture(app::kStartModeAsync, {"seed=11"}, 1);
    const emu::ReceiverSettings before = fixture.receiver().current();
    ASSERT_EQ(fixture.run(Workbench::Operation::Upload).listResult, 0);
    const emu::ReceiverSettings& after = fixture.receiver().current();
    for (std::size_t row = 0; row < before.rows.size(); ++row) {
      EXPECT_EQ(after.rows[row], before.rows[row]) << "row " << row << " " << comm::ToNotation(model::kCommandTable[row].request);
    }
    for (const auto& [code, value] : before.reports) EXPECT_EQ(after.reports.at(code), value) << "report " << code;
    const auto first = fixture.bench.link().images().All();
    fixture.bench.link().setReadPacing(second);
    ASSERT_EQ(fixture.run(Workbench::Operation::Upload).listResult, 0);
    for (std::size_t image = 0; image < first.size(); ++image) {
      EXPECT_TRUE(fixture.image(static_cast<int>(image)) == first[image]) << "image " << image;
    }
  }
}

TEST(SystemMemoryRealTime, ASaveThenALoadThroughTheWindowRestoresTheReceiversValues) {
  RealTime rt;
  DisplaySetPage* display = rt.f.bench.sheet().Find<DisplaySetPage>();
  ASSERT_NE(display, nullptr);
  rt.click(rt.page().saveButton(0), 0, 2);
  rt.click(rt.page().saveButton(1), 1, 2);
  const std::string videoConversion = rt.report("69");
  const std::string volume = rt.report("26");
  EXPECT_EQ(rt.f.receiver().memory(2).reports.at("69"), videoConversion);
  EXPECT_EQ(rt.f.receiver().memory(2).reports.at("26"), volume);

  // Both change on the receiver: one from the page, one at the front panel.
  const int changed = videoConversion == "00" ? 1 : 0;
  ASSERT_TRUE(display->group(517).click(changed));
  rt.f.scheduler.advance(BenchFixture::kSettleMs);
  ASSERT_NE(rt.report("69"), videoConversion);
  rt.f.receiver().turnVolumeKnob(volume == "27" ? 4 : -4);
  ASSERT_NE(rt.report("26"), volume);

  rt.click(rt.page().loadButton(1), 1, 2);
  EXPECT_EQ(rt.report("26"), volume);
  EXPECT_EQ(rt.f.image(0).basic[8], VolumeOf(volume)) << "the receiver reports the loaded volume";

  // The System load asks (the receiver loads meanwhile); Yes reads everything again, so the
  // page shows the loaded value.
  std::string whileAsked;
  rt.f.ui.answer(ui::MessageResult::Yes, [&] {
    rt.f.scheduler.advance(BenchFixture::kSettleMs);
    whileAsked = rt.report("69");
  });
  EXPECT_TRUE(rt.page().list(0).setCurSel(1));
  EXPECT_TRUE(rt.page().loadButton(0).click());
  EXPECT_EQ(whileAsked, videoConversion);
  EXPECT_TRUE(rt.f.scheduler.runUntil([&] { return rt.f.bench.view().statusText().text().starts_with("Connected TQ-N4400"); },
                                      60LL * 60 * 1000));
  rt.f.scheduler.advance(BenchFixture::kSettleMs);
  EXPECT_EQ(Value(rt.f.image(0), 517), Hex2(videoConversion));
  EXPECT_EQ(display->group(517).selected(), Hex2(videoConversion));
  EXPECT_EQ(rt.f.ui.unusedAnswers(), 0u);
}

TEST(SystemMemoryWindowOfTheProgram, TheMainFormsButtonShowsIt) {
  for (int mode : {app::kStartModeAsync, app::kStartModeRealTime}) {
    BenchFixture f(mode, {}, 1);
    int shows = 0;
    f.bench.memoryPage().onShowWindow = [&] { ++shows; };
    EXPECT_FALSE(f.bench.memoryPage().isWindowShown());
    ASSERT_TRUE(f.bench.view().systemMemoryButton().click());
    EXPECT_TRUE(f.bench.memoryPage().isWindowShown());
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(f.bench.memoryPage().list(3).count(), 6);
  }
}

}  // namespace
}  // namespace tw::pages::test
