// The input pages between two virtual receivers: one receiver's names, assignments,
// multichannel input and per-input programs go through an upload, a ".qcf" file and a
// download into another, read back from the receivers' own state.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "app/application.h"
#include "emu/row_families.h"
#include "pages/receiver_state.h"
#include "pages/workbench_fixture.h"

namespace tw::pages::test {

using namespace ::tw::session;
namespace {

using Operation = Workbench::Operation;

// What the four pages carry, as the receiver holds it.
std::map<std::string, std::string> InputState(const emu::VirtualReceiver& receiver) {
  std::map<std::string, std::string> state;
  for (int row = 0; row < model::kRowCount; ++row) {
    const emu::RowFamily family = emu::KindOfRow(row).family;
    if (family == emu::RowFamily::InputName || family == emu::RowFamily::IoAssign) {
      state["row " + std::to_string(row)] = receiver.rowValue(row);
    }
  }
  const std::string channels = ReportOf(receiver.current(), "7B");
  state["6ch/8ch"] = channels == "00" ? "6ch" : "8ch front " + channels;
  state["BGV"] = ReportOf(receiver.current(), "6F");
  for (std::size_t input = 0; input < 12; ++input) {
    state["program of input " + std::to_string(input)] = receiver.current().inputPrograms[input];
  }
  return state;
}

TEST(InputOnReceiver, UploadSaveLoadDownloadCarriesTheInputPagesToAnotherReceiver) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "tunewright-tests" / "InputPages.qcf";
  std::filesystem::create_directories(file.parent_path());
  std::filesystem::remove(file);
  std::map<std::string, std::string> uploaded;
  {
    BenchFixture from(app::kStartModeAsync, {"seed=42"}, 1);
    uploaded = InputState(from.receiver());
    ASSERT_EQ(from.run(Operation::Upload).listResult, 0);
    EXPECT_EQ(InputState(from.receiver()), uploaded) << "an upload leaves the receiver as it was";
    ASSERT_TRUE(from.bench.SaveConfiguration(file).ok);
  }
  BenchFixture to(app::kStartModeAsync, {"seed=7"}, 1);
  const auto before = InputState(to.receiver());
  std::size_t differing = 0;
  for (const auto& [what, value] : uploaded) differing += before.at(what) != value;
  ASSERT_GT(differing, 20u) << "the two receivers must differ to begin with";
  ASSERT_TRUE(to.bench.LoadConfiguration(file).ok);
  ASSERT_EQ(to.run(Operation::Download).listResult, 0);
  const auto now = InputState(to.receiver());
  for (const auto& [what, value] : uploaded) EXPECT_EQ(now.at(what), value) << what;
  EXPECT_TRUE(to.messageTexts().empty());
  std::filesystem::remove(file);
}

TEST(InputOnReceiver, ADownloadToAReceiverWithoutXmLeavesItsXmSettingsOut) {
  BenchFixture f(app::kStartModeAsync, {"xm=0"}, 1);
  ASSERT_EQ(f.run(Operation::Download).listResult, 0);
  EXPECT_TRUE(f.messageTexts().empty());
  for (const std::string& frame : f.bench.virtualPort().transcript().receivedFrames()) {
    EXPECT_EQ(frame.find("07AB4"), std::string::npos) << "XM selected";
    EXPECT_EQ(frame.find("201101110" "0E"), std::string::npos) << "XM named";
  }
}

TEST(InputOnReceiver, ADownloadGivesEachInputItsProgramAndEndsOnTheCurrentOne) {
  BenchFixture f(app::kStartModeAsync, {}, 1);
  // Straight for CD and 7ch Enhancer High for DVD; DVD is the current input.
  f.image(0).inputDsp[2] = 28;
  f.image(0).inputDsp[10] = 27;
  f.bench.basicControls().input.select(5);
  ASSERT_EQ(f.image(0).basic[3], 27) << "the main form shows DVD's program";
  ASSERT_EQ(f.run(Operation::Download).listResult, 0);
  EXPECT_EQ(f.receiver().current().inputPrograms[1], emu::kProgramValues[28]);
  EXPECT_EQ(f.receiver().current().inputPrograms[5], emu::kProgramValues[27]);
  EXPECT_EQ(ExpectedBasic(f.receiver().current()).input, 5);
  EXPECT_EQ(ExpectedBasic(f.receiver().current()).program, 27);
}

}  // namespace
}  // namespace tw::pages::test
