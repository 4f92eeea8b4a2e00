// Graphic EQ and Tone Control through the whole program: one virtual receiver's settings
// uploaded, kept in a ".qcf" file and downloaded into a second receiver, compared through
// the receivers' own state (never through the tool's decoder).

#include <gtest/gtest.h>

#include <filesystem>
#include <array>
#include <map>

#include "emu/row_families.h"
#include "model/command_table.h"
#include "pages/receiver_state.h"
#include "pages/workbench_fixture.h"

namespace tw::pages::test {

using namespace ::tw::session;
namespace {

using Operation = Workbench::Operation;

// What the two pages set in one set of the receiver's settings. A tone row holds the
// turnover and then the gain; the turnover is never filed, so only the gain is compared.
std::map<std::string, std::string> EqState(const emu::ReceiverSettings& settings, bool memory) {
  std::map<std::string, std::string> state;
  for (int row = 0; row < model::kRowCount; ++row) {
    const emu::RowFamily family = emu::KindOfRow(row).family;
    const bool perMemory = (model::kCommandTable[static_cast<std::size_t>(row)].flags & model::kReadPerMemory) != 0;
    if (memory && !perMemory) continue;
    const std::string& value = settings.rows[static_cast<std::size_t>(row)];
    if (family == emu::RowFamily::GraphicEq) state["row " + std::to_string(row)] = value;
    if (family == emu::RowFamily::Tone) state["row " + std::to_string(row) + " gain"] = value.substr(1);
  }
  // Tone Bypass, LFE Level SP, Audio Delay and Dynamic Range Speaker are kept by a memory too.
  const std::vector<std::string> codes =
      memory ? std::vector<std::string>{"A8", "51", "53", "64"}
             : std::vector<std::string>{"A8", "4B", "4C", "4D", "4E", "51", "52", "53", "64", "65"};
  for (const std::string& code : codes) state["report " + code] = ReportOf(settings, code);
  return state;
}

TEST(EqEndToEnd, UploadFileDownloadCarriesTheEqualiserAndToneToASecondReceiver) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / "tunewright-tests" / "EqEndToEnd.qcf";
  std::filesystem::remove(file);
  std::array<std::map<std::string, std::string>, 7> uploaded;
  {
    BenchFixture from(app::kStartModeAsync, {"seed=42"}, 1);
    ASSERT_EQ(from.run(Operation::Upload).listResult, 0);
    ASSERT_TRUE(from.bench.SaveConfiguration(file).ok);
    uploaded[0] = EqState(from.receiver().current(), false);
    for (int memory = 1; memory <= 6; ++memory) uploaded[static_cast<std::size_t>(memory)] = EqState(from.receiver().memory(memory), true);
  }
  BenchFixture to(app::kStartModeAsync, {"seed=7"}, 1);
  int differing = 0;
  for (const auto& [what, value] : EqState(to.receiver().current(), false)) differing += uploaded[0].at(what) != value;
  ASSERT_GE(differing, 40) << "the two receivers must differ to begin with";

  ASSERT_TRUE(to.bench.LoadConfiguration(file).ok);
  ASSERT_EQ(to.run(Operation::Download).listResult, 0);
  EXPECT_EQ(EqState(to.receiver().current(), false), uploaded[0]);
  for (int memory = 1; memory <= 6; ++memory) {
    EXPECT_EQ(EqState(to.receiver().memory(memory), true), uploaded[static_cast<std::size_t>(memory)]) << "memory " << memory;
  }
  EXPECT_TRUE(to.messageTexts().empty());
  std::filesystem::remove(file);
}

}  // namespace
}  // namespace tw::pages::test
