// The DSP Parameters page in the whole program against the in-process virtual receiver:
// what the receiver holds is read from its own rows, never through the tool's decoder.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>

#include "comm/protocol.h"
#include "emu/row_families.h"
#include "model/command_table.h"
#include "model/parameter_access.h"
#include "pages/dsp/dsp_parameters_page.h"
#include "pages/workbench_fixture.h"

namespace tw::pages::test {

using namespace ::tw::session;
namespace {

using Operation = Workbench::Operation;

// Every sound-program parameter the receiver holds: program and parameter code (as its read
// row names them) to the two value characters.
std::map<std::string, std::string> DspState(const emu::VirtualReceiver& receiver) {
  std::map<std::string, std::string> state;
  for (int row = 0; row < model::kRowCount; ++row) {
    const emu::RowKind kind = emu::KindOfRow(row);
    if (kind.family == emu::RowFamily::Dsp) state[std::string(kind.tail)] = receiver.rowValue(row);
  }
  return state;
}

std::string Hex2(int value) {
  char text[3];
  std::snprintf(text, sizeof text, "%02X", value);
  return text;
}

DspParametersPage& DspPage(BenchFixture& f) {
  auto* page = f.bench.sheet().Find<DspParametersPage>();
  EXPECT_NE(page, nullptr);
  return *page;
}

void SelectRow(DspParametersPage& page, int number) {
  for (int layout = 0; layout < 3; ++layout) {
    page.layoutList().select(layout);
    const auto found = std::find(page.rows().begin(), page.rows().end(), number);
    if (found != page.rows().end()) {
      ASSERT_TRUE(page.parameterList().select(static_cast<int>(found - page.rows().begin())));
      return;
    }
  }
  FAIL() << number << " is on no layout of program " << page.program();
}

TEST(DspOnReceiver, RealTimePageFollowsTheProgramAndItsEditsReachTheReceiver) {
  BenchFixture f(app::kStartModeRealTime, {"seed=11"});
  ASSERT_TRUE(f.run(Operation::Open).connected);
  ASSERT_TRUE(f.bench.sheet().SetActivePage("DSP Parameters"));
  DspParametersPage& page = DspPage(f);
  ASSERT_GE(f.image(0).basic[3], 0);
  if (f.image(0).basic[3] < 24) {
    EXPECT_EQ(page.program(), f.image(0).basic[3]);
  }
  EXPECT_FALSE(page.programList().isEnabled());

  // The user picks Standard on the main form: the page shows Standard.
  ui::BasicControlGroup& group = f.bench.basicControls();
  group.selector.click(0);
  ASSERT_TRUE(group.program.select(10));
  f.scheduler.advance(BenchFixture::kSettleMs);
  EXPECT_EQ(page.program(), 10);
  EXPECT_EQ(page.programList().selectedText(), "Standard");

  // Its Quad Only SB. Init. Delay, one step down from what the receiver reported.
  SelectRow(page, 95);
  const std::int32_t before = std::get<std::int32_t>(*model::GetParameter(f.image(0), 95));
  ASSERT_GT(before, 1);
  page.downButton().click();
  f.scheduler.advance(BenchFixture::kSettleMs);
  EXPECT_EQ(DspState(f.receiver()).at("2D085"), Hex2(before - 1));
  EXPECT_EQ(std::get<std::int32_t>(*model::GetParameter(f.image(0), 95)), before - 1);
  EXPECT_TRUE(f.messageTexts().empty());
}

TEST(DspOnReceiver, AsyncDownloadSwitchesToEachProgramBeforeItsParameters) {
  BenchFixture f(app::kStartModeAsync, {}, 1);
  ASSERT_TRUE(f.bench.sheet().SetActivePage("DSP Parameters"));
  DspParametersPage& page = DspPage(f);
  ASSERT_TRUE(page.programList().select(22));  // 2ch Stereo Direct: AUTO to OFF
  SelectRow(page, 204);
  page.downButton().click();
  ASSERT_TRUE(page.programList().select(11));  // Spectacle Decode Type: to Pro LogicIIx
  SelectRow(page, 109);
  page.upButton().click();
  ASSERT_EQ(f.run(Operation::Download).listResult, 0);

  const auto state = DspState(f.receiver());
  EXPECT_EQ(state.at("34240"), "00");
  EXPECT_EQ(state.at("241B0"), "06");
  EXPECT_EQ(state.at("000E0"), "06");  // Hall in Munich DSP Level 0dB

  // The frames of the sheet's pass: every program's selection, each followed by its
  // parameters, which carry its program code.
  const std::vector<std::string> frames = f.bench.virtualPort().transcript().receivedFrames();
  const std::string munich = comm::MakeStandard("07EE1");
  auto at = std::find(frames.begin(), frames.end(), munich);
  ASSERT_NE(at, frames.end());
  // Skip the memory parts (which select programs of their own) to the sheet's pass: the last
  // Hall in Munich selection followed by a Hall in Munich parameter.
  for (auto next = at; next != frames.end(); next = std::find(next + 1, frames.end(), munich)) {
    if (next + 1 != frames.end() && next[1].rfind("\x14" "200B021100", 0) == 0) at = next;
  }
  const std::vector<std::string> selections = {"07EE1", "07EE5", "07EE6", "07EE8", "07EAF", "07EEB",
                                               "07EEE", "07ECD", "07EED", "07EEC", "07EFE", "07EF9",
                                               "07EFA", "07EFB", "07EFC", "07EF7", "07EF8", "07EF2",
                                               "07ECE", "07EF3", "07EF5", "07EFD", "07EC0", "07EFF"};
  const std::vector<std::string> codes = {"00", "05", "07", "09", "0B", "0D", "11", "0F", "10", "0E", "2D", "24",
                                          "25", "28", "29", "20", "21", "1E", "1F", "18", "1C", "2C", "34", "17"};
  std::vector<std::string> standardParameters;
  int parameters = 0;
  for (std::size_t program = 0; program < selections.size(); ++program) {
    ASSERT_NE(at, frames.end());
    EXPECT_EQ(*at, comm::MakeStandard(selections[program])) << program;
    for (++at; at != frames.end() && at->rfind("\x14" "200B0211", 0) == 0; ++at) {
      EXPECT_EQ(at->substr(9, 2), codes[program]);
      if (program == 10) standardParameters.push_back(at->substr(11, 3));
      ++parameters;
    }
  }
  EXPECT_EQ(parameters, 185);
  EXPECT_EQ(standardParameters, (std::vector<std::string>{"0E0", "1C0", "051", "052", "085", "061", "062", "095",
                                                          "071", "072", "0A5", "1B0"}));
}

TEST(DspOnReceiver, UploadFileDownloadCarriesEveryProgramsParametersToAnotherReceiver) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / "tunewright-tests" / "DspOnReceiver.carry.qcf";
  std::filesystem::remove(file);
  std::map<std::string, std::string> uploaded;
  {
    BenchFixture from(app::kStartModeAsync, {"seed=42"}, 1);
    ASSERT_EQ(from.run(Operation::Upload).listResult, 0);
    ASSERT_TRUE(from.bench.SaveConfiguration(file).ok);
    uploaded = DspState(from.receiver());
  }
  ASSERT_EQ(uploaded.size(), 185u);
  BenchFixture to(app::kStartModeAsync, {}, 1);
  const auto factory = DspState(to.receiver());
  int differing = 0;
  for (const auto& [what, value] : uploaded) differing += factory.at(what) != value;
  ASSERT_GT(differing, 100) << "the two receivers must differ to begin with";
  ASSERT_TRUE(to.bench.LoadConfiguration(file).ok);
  ASSERT_EQ(to.run(Operation::Download).listResult, 0);
  EXPECT_EQ(DspState(to.receiver()), uploaded);
  std::filesystem::remove(file);
}

}  // namespace
}  // namespace tw::pages::test
